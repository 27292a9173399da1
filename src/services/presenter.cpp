#include "services/presenter.h"

#include <SDL.h>

#include "services/renderer.h"

FramePresenter::~FramePresenter() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
}

bool FramePresenter::Attach(SDL_Window* window) {
  if (window == nullptr || renderer_ != nullptr) return false;
  renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
  if (renderer_ == nullptr) return false;
  // 0x00RRGGBB words, the software renderer's screen as it is.
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, kScreenWidth,
                               kScreenHeight);
  if (texture_ == nullptr) {
    SDL_DestroyRenderer(renderer_);
    renderer_ = nullptr;
    return false;
  }
  SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeLinear);  // only matters when letterboxed
  SDL_RenderSetLogicalSize(renderer_, kScreenWidth, kScreenHeight);
  return true;
}

void FramePresenter::Show(const uint32_t* pixels, int pitch) {
  if (renderer_ == nullptr || pixels == nullptr || pitch < kScreenWidth) return;
  SDL_UpdateTexture(texture_, nullptr, pixels, pitch * static_cast<int>(sizeof(uint32_t)));
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}
