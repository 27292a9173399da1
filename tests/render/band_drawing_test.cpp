// Drawing on several threads, band by band, must give the one-thread picture bit
// for bit: on the benchmark's reference frame (rotated particles across every
// band border), on the back-end comparison scene (every factor pair, turned
// quads, text), and on frames of random quads and text read back by Capture.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/backend_scene.h"
#include "render/render_test_util.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-variable"
#include "../../bench/scene.h"
#pragma GCC diagnostic pop

namespace {

constexpr int kThreadCounts[] = {2, 3, 7};

// Where two screens first differ, or "" when they are the same.
std::string Difference(const SoftwareRenderer& a, const SoftwareRenderer& b) {
  for (int i = 0; i < kScreenWidth * kScreenHeight; ++i) {
    if (a.pixels()[i] != b.pixels()[i]) {
      return "first difference at " + std::to_string(i % kScreenWidth) + "," +
             std::to_string(i / kScreenWidth);
    }
  }
  return "";
}

// The reference frame of bench/scene.h, drawn as bench_software draws it.
void DrawReferenceFrame(SoftwareRenderer& r) {
  const int factors[4][2] = {{kBlendSrcAlpha, kBlendInvSrcAlpha},
                             {kBlendSrcAlpha, kBlendDstAlpha},
                             {kBlendDstColour, kBlendDstAlpha},
                             {kBlendSrcColour, kBlendDstColour}};
  int handles[NTEX];
  for (int i = 0; i < NTEX; ++i) {
    const tex_t& t = g_tex[i];
    handles[i] = r.CreateTexture(MakeImage(t.w, t.h, [&t](int x, int y) {
      const uint32_t p = t.px[y * t.w + x];
      return Rgba{static_cast<int>(p >> 16 & 255), static_cast<int>(p >> 8 & 255), static_cast<int>(p & 255),
                  static_cast<int>(p >> 24)};
    }));
  }
  r.Clear(0);
  for (int i = 0; i < g_nq; ++i) {
    const squad_t& q = g_q[i];
    r.SetBlendMode(factors[q.blend][0], factors[q.blend][1]);
    r.SetQuality(q.bilinear);
    r.Draw(Quad(handles[q.tex], static_cast<int>(std::lrint(q.cx - q.dw / 2)),
                static_cast<int>(std::lrint(q.cy - q.dh / 2)), static_cast<int>(std::lrint(q.dw)),
                static_cast<int>(std::lrint(q.dh)), q.angle * (180.0f / 3.14159265f),
                static_cast<int>(std::lrint(q.alpha * 255.0f))));
  }
}

TEST(BandDrawing, TheReferenceFrameIsTheSameOnEveryThreadCount) {
  make_textures();
  make_scene(300);
  SoftwareRenderer one;
  DrawReferenceFrame(one);
  for (const int threads : kThreadCounts) {
    SoftwareRenderer many(threads);
    EXPECT_EQ(many.threads(), threads);
    DrawReferenceFrame(many);
    EXPECT_EQ(Difference(one, many), "") << threads << " threads";
  }
  for (tex_t& t : g_tex) free(t.px);
}

TEST(BandDrawing, TheBackendSceneIsTheSameOnEveryThreadCount) {
  const Scene scene = BuildScene();
  SoftwareRenderer one;
  one.SetTextSource(BlockText);
  DrawScene(scene, one);
  for (const int threads : kThreadCounts) {
    SoftwareRenderer many(threads);
    many.SetTextSource(BlockText);
    DrawScene(scene, many);
    EXPECT_EQ(Difference(one, many), "") << threads << " threads";
  }
}

// Several frames of random quads (many across band borders, turned, every blend
// and filter) with text between them, on a kept screen and after clears; each
// read back by Capture, which must see the whole frame. A texture freed while its
// draws are kept must still draw in them.
TEST(BandDrawing, FramesOfQuadsAndTextCaptureAlike) {
  std::mt19937 rng(15);
  std::uniform_int_distribution<int> pos(-150, 1100), size(1, 300), angle(-400, 400), byte(0, 255),
      factor(1, 10);
  const Image soft = MakeImage(48, 40, [](int x, int y) {
    return Rgba{x * 5, y * 6, 200 - x, (x * y) % 256};
  });
  const Image opaque = MakeImage(20, 20, [](int x, int y) { return Rgba{x * 12, 90, y * 12, 255}; });
  for (const int threads : kThreadCounts) {
    SoftwareRenderer one, many(threads);
    one.SetTextSource(BlockText);
    many.SetTextSource(BlockText);
    std::mt19937 frameRng = rng;
    for (int frame = 0; frame < 4; ++frame) {
      std::vector<int> handles;
      for (SoftwareRenderer* r : {&one, &many}) {
        std::mt19937 draws = frameRng;
        if (frame % 2 == 0) r->Clear(Bgr(byte(draws), byte(draws), byte(draws)));
        const int a = r->CreateTexture(soft);
        int b = r->CreateTexture(opaque);
        for (int i = 0; i < 60; ++i) {
          r->SetBlendMode(factor(draws), factor(draws));
          r->SetQuality(i % 2);
          r->Draw(Quad(i % 3 == 0 ? b : a, pos(draws), pos(draws), size(draws), size(draws),
                       static_cast<float>(angle(draws)) * 0.9f, byte(draws)));
          if (i % 20 == 0) r->DrawText(pos(draws), pos(draws), "band " + std::to_string(i), Bgr(255, 200, 9));
          if (i == 30) {
            r->FreeTexture(b);
            b = 0;
          }
        }
        r->FreeTexture(a);
      }
      frameRng.discard(1000);
      Image shotOne, shotMany;
      ASSERT_TRUE(one.Capture(shotOne));
      ASSERT_TRUE(many.Capture(shotMany));
      EXPECT_TRUE(shotOne.rgba == shotMany.rgba) << threads << " threads, frame " << frame;
      many.Present();
    }
  }
  EXPECT_EQ(SoftwareRenderer(0).threads(), 1);
  EXPECT_EQ(SoftwareRenderer(1000).threads(), kMaxRenderThreads);
}

}  // namespace
