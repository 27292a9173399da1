// What stands behind SDL's accelerated renderer: a GPU, or a rasteriser that runs
// OpenGL on the CPU (Mesa's llvmpipe, softpipe or swrast, or SDL's own software
// renderer). On such a machine our software renderer is several times faster, so
// the programs draw with it instead, and present its frames through the window's
// own memory rather than through an emulated texture.
#pragma once

#include <string>
#include <string_view>

struct SDL_Renderer;

// True when an OpenGL renderer string names a rasteriser running on the CPU.
bool NamesCpuRasteriser(std::string_view glRenderer);

struct RendererProbe {
  bool emulated = false;    // no GPU: the renderer runs on the CPU
  std::string description;  // the SDL driver and the OpenGL renderer ("opengl, llvmpipe (LLVM 15.0.6, 256 bits)")
};

// Looks at a renderer just created: its SDL flags and, for the OpenGL drivers, the
// renderer string of its context (current after creation).
RendererProbe ProbeRenderer(SDL_Renderer* renderer);
