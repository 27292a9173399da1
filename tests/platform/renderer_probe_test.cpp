// Which SDL renderers run OpenGL on the CPU.
#include "platform/renderer_probe.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/window.h"
#include "x_display_fixture.h"

namespace {

TEST(RendererProbe, NamesTheRasterisersThatRunOnTheCpu) {
  const struct {
    const char* glRenderer;
    bool cpu;
  } cases[] = {
      {"llvmpipe (LLVM 15.0.6, 256 bits)", true},
      {"Gallium 0.4 on llvmpipe (LLVM 3.4, 128 bits)", true},
      {"Gallium 0.4 on softpipe", true},
      {"Software Rasterizer (swrast)", true},
      {"LLVMPIPE", true},
      {"Mesa Intel(R) UHD Graphics 620 (KBL GT2)", false},
      {"NVIDIA GeForce GTX 1060 6GB/PCIe/SSE2", false},
      {"AMD Radeon RX 580 Series (polaris10, LLVM 15.0.6, DRM 3.49)", false},
      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(NamesCpuRasteriser(c.glRenderer), c.cpu) << c.glRenderer;
}

using RendererProbeOnX = XDisplayTest;

// Xvfb has no GPU: SDL's OpenGL renderer there is Mesa's CPU rasteriser.
TEST_F(RendererProbeOnX, SdlsRendererOnXvfbIsEmulated) {
  GameWindow window;
  ASSERT_TRUE(window.Open("vexmoor probe test", false, true)) << window.error();
  SDL_Renderer* renderer = SDL_CreateRenderer(window.handle(), -1, SDL_RENDERER_ACCELERATED);
  ASSERT_NE(renderer, nullptr) << SDL_GetError();
  const RendererProbe probe = ProbeRenderer(renderer);
  EXPECT_TRUE(probe.emulated) << probe.description;
  EXPECT_NE(probe.description.find("opengl"), std::string::npos) << probe.description;
  SDL_DestroyRenderer(renderer);
  EXPECT_FALSE(ProbeRenderer(nullptr).emulated);
}

}  // namespace
