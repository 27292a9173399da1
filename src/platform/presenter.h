// Shows frames drawn by the software renderer in the game window (an SDL streaming
// texture on whatever SDL renderer the window has), with vsync where available. The
// frame is scaled to the window as the accelerated back-end scales its own (see
// FitFrame): the largest size that keeps its aspect, black bars beside it, whole
// multiples only with integer scaling. Whole multiples copy each pixel as a block;
// other scales filter bilinearly.
#pragma once

#include <cstdint>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

class FramePresenter {
 public:
  FramePresenter() = default;
  ~FramePresenter();
  FramePresenter(const FramePresenter&) = delete;
  FramePresenter& operator=(const FramePresenter&) = delete;

  bool Attach(SDL_Window* window, bool integerScale = false);
  // pixels: 1024x768 0x00RRGGBB, pitch in pixels.
  void Show(const uint32_t* pixels, int pitch);

 private:
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  bool integerScale_ = false;
  bool blocks_ = false;  // the texture's filter: nearest (true) or bilinear
};
