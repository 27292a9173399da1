// The hardware back-end: SDL2's accelerated renderer (OpenGL driver) on the game
// window, with a fixed 1024x768 logical screen that SDL scales to the window's
// drawable and letterboxes (the rule FitFrame repeats), by whole multiples only
// with integer scaling.
// Every blend mode is composed from the game's factor numbers with the alpha
// factors (zero, one), so the screen's alpha stays 255 after a clear to opaque black
// and destination alpha reads as one.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "render/renderer.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

// The SDL blend mode of a pair of game blend factor numbers (valid numbers only).
int ComposeSdlBlendMode(int source, int destination);

class SdlRenderer : public Renderer {
 public:
  // The back-end's name in the timedemo report.
  static constexpr const char* kBackendName = "SDL accelerated";
  // Creates the renderer on the window; check ok() and error() afterwards.
  explicit SdlRenderer(SDL_Window* window, bool integerScale = false);
  ~SdlRenderer() override;
  SdlRenderer(const SdlRenderer&) = delete;
  SdlRenderer& operator=(const SdlRenderer&) = delete;

  bool ok() const { return renderer_ != nullptr; }
  const std::string& error() const { return error_; }
  // The SDL driver in use ("opengl"), empty when creation failed.
  std::string driverName() const;
  // The SDL renderer itself (for ProbeRenderer); null when creation failed.
  SDL_Renderer* handle() const { return renderer_; }

  int CreateTexture(const Image& image) override;
  void FreeTexture(int texture) override;
  void Clear(uint32_t colour) override;
  void BeginScene() override;
  void EndScene() override;
  void SetBlendMode(int source, int destination) override;
  void SetQuality(int quality) override;
  void Draw(const QuadDraw& quad) override;
  void DrawText(int x, int y, std::string_view text, uint32_t colour, const TextStyle& style = {}) override;
  void Present() override;
  bool Capture(Image& out) override;

 private:
  SDL_Texture* Upload(const Image& image) const;
  int BlendMode(int source, int destination);

  SDL_Renderer* renderer_ = nullptr;
  std::string error_;
  std::map<int, SDL_Texture*> textures_;
  int nextTexture_ = 1;
  std::map<int, int> blendModes_;  // key source * 16 + destination
  int blendSource_ = kBlendSrcAlpha;
  int blendDestination_ = kBlendInvSrcAlpha;
  int quality_ = 0;
  bool integerScale_ = false;
};
