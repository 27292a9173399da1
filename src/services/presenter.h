// Shows frames drawn by the software renderer in the game window (an SDL streaming
// texture on whatever SDL renderer the window has), with vsync where available.
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

  bool Attach(SDL_Window* window);
  // pixels: 1024x768 0x00RRGGBB, pitch in pixels.
  void Show(const uint32_t* pixels, int pitch);

 private:
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
};
