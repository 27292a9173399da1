#include "platform/renderer_probe.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>

namespace {

constexpr unsigned kGlRenderer = 0x1F01;  // GL_RENDERER
using GetStringFunction = const unsigned char* (*)(unsigned);

// The OpenGL renderer string of the current context; empty without one.
std::string CurrentGlRenderer() {
  if (SDL_GL_GetCurrentContext() == nullptr) return {};
  auto getString = reinterpret_cast<GetStringFunction>(SDL_GL_GetProcAddress("glGetString"));
  if (getString == nullptr) return {};
  const unsigned char* text = getString(kGlRenderer);
  return text != nullptr ? reinterpret_cast<const char*>(text) : std::string();
}

}  // namespace

bool NamesCpuRasteriser(std::string_view glRenderer) {
  std::string lower(glRenderer);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const char* name : {"llvmpipe", "softpipe", "swrast"}) {
    if (lower.find(name) != std::string::npos) return true;
  }
  return false;
}

RendererProbe ProbeRenderer(SDL_Renderer* renderer) {
  RendererProbe probe;
  SDL_RendererInfo info{};
  if (renderer == nullptr || SDL_GetRendererInfo(renderer, &info) != 0) {
    probe.description = "no renderer";
    return probe;
  }
  probe.description = info.name != nullptr ? info.name : "unnamed";
  if ((info.flags & SDL_RENDERER_SOFTWARE) != 0 || probe.description == "software") {
    probe.emulated = true;
    return probe;
  }
  if (probe.description.rfind("opengl", 0) == 0) {
    const std::string gl = CurrentGlRenderer();
    if (!gl.empty()) probe.description += ", " + gl;
    probe.emulated = NamesCpuRasteriser(gl);
  }
  return probe;
}
