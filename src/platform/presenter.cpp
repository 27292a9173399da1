#include "platform/presenter.h"

#include <SDL.h>

#include "render/frame_fit.h"
#include "render/renderer.h"

FramePresenter::~FramePresenter() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
}

bool FramePresenter::Attach(SDL_Window* window, bool integerScale) {
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
  integerScale_ = integerScale;
  SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeLinear);
  blocks_ = false;
  return true;
}

// The output's size is read every frame: the window may have been resized since.
void FramePresenter::Show(const uint32_t* pixels, int pitch) {
  if (renderer_ == nullptr || pixels == nullptr || pitch < kScreenWidth) return;
  int outW = 0, outH = 0;
  if (SDL_GetRendererOutputSize(renderer_, &outW, &outH) != 0) return;
  const FrameFit fit = FitFrame(outW, outH, integerScale_);
  const bool blocks = WholeScale(fit);
  if (blocks != blocks_) {
    SDL_SetTextureScaleMode(texture_, blocks ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    blocks_ = blocks;
  }
  SDL_UpdateTexture(texture_, nullptr, pixels, pitch * static_cast<int>(sizeof(uint32_t)));
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  const SDL_FRect dst{static_cast<float>(fit.x), static_cast<float>(fit.y), kScreenWidth * fit.scale,
                      kScreenHeight * fit.scale};
  SDL_RenderCopyF(renderer_, texture_, nullptr, &dst);
  SDL_RenderPresent(renderer_);
}
