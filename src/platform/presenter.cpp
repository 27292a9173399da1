#include "platform/presenter.h"

#include <SDL.h>

#include "platform/renderer_probe.h"
#include "render/frame_fit.h"
#include "render/frame_scaler.h"
#include "render/renderer.h"

namespace {

// The window's memory as a raster target; the surface is locked while it is used.
RasterTarget SurfaceTarget(SDL_Surface* surface) {
  RasterTarget target;
  target.pixels = static_cast<uint32_t*>(surface->pixels);
  target.pitch = surface->pitch / 4;
  target.width = surface->w;
  target.height = surface->h;
  return target;
}

}  // namespace

FramePresenter::FramePresenter() = default;

FramePresenter::~FramePresenter() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
}

bool FramePresenter::Attach(SDL_Window* window, bool integerScale, PresentPath path, int threads) {
  if (window == nullptr || window_ != nullptr) return false;
  integerScale_ = integerScale;
  if (path == PresentPath::kTexture && !AttachTexture(window)) return false;
  if (path == PresentPath::kAuto && !AttachTexture(window)) reason_ = "none";
  if (renderer_ != nullptr) {
    const RendererProbe probe = ProbeRenderer(renderer_);
    reason_ = probe.description;
    if (path == PresentPath::kTexture || !probe.emulated) {
      window_ = window;
      return true;
    }
    SDL_DestroyTexture(texture_);
    SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
  }
  // The window's memory itself, not a texture SDL would put behind it (on the
  // same emulated renderer).
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_GetWindowSurface(window) == nullptr) return false;
  scaler_ = std::make_unique<FrameScaler>(threads);
  surface_ = true;
  window_ = window;
  return true;
}

bool FramePresenter::AttachTexture(SDL_Window* window) {
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
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeLinear);
  blocks_ = false;
  return true;
}

// The surface is asked for every frame: after a resize SDL makes a new one.
bool FramePresenter::FramePlace(uint32_t*& pixels, int& pitch) {
  place_ = nullptr;
  if (!surface_) return false;
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (surface == nullptr || surface->format->format != SDL_PIXELFORMAT_RGB888 || SDL_MUSTLOCK(surface)) return false;
  const FrameFit fit = FitFrame(surface->w, surface->h, integerScale_);
  if (fit.scale != 1.0f || fit.x < 0 || fit.y < 0 || fit.x + kScreenWidth > surface->w ||
      fit.y + kScreenHeight > surface->h) {
    return false;
  }
  const RasterTarget target = SurfaceTarget(surface);
  // The bars: the window black, the frame then drawn over its place.
  if (surface->w != kScreenWidth || surface->h != kScreenHeight) SDL_FillRect(surface, nullptr, 0);
  pixels = target.pixels + static_cast<long>(fit.y) * target.pitch + fit.x;
  pitch = target.pitch;
  place_ = pixels;
  return true;
}

void FramePresenter::Show(const uint32_t* pixels, int pitch) {
  if (window_ == nullptr || pixels == nullptr || pitch < kScreenWidth) return;
  if (surface_) {
    ShowSurface(pixels, pitch);
  } else {
    ShowTexture(pixels, pitch);
  }
}

void FramePresenter::ShowSurface(const uint32_t* pixels, int pitch) {
  const bool inPlace = pixels == place_;
  place_ = nullptr;
  SDL_Surface* surface = SDL_GetWindowSurface(window_);
  if (surface == nullptr) return;
  if (!inPlace) {
    const FrameFit fit = FitFrame(surface->w, surface->h, integerScale_);
    if (surface->format->format == SDL_PIXELFORMAT_RGB888 && SDL_LockSurface(surface) == 0) {
      scaler_->Scale(pixels, pitch, fit, SurfaceTarget(surface));
      SDL_UnlockSurface(surface);
    } else {
      // Another pixel format (a 16-bit display): SDL converts while it scales.
      SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels), kScreenWidth,
                                                              kScreenHeight, 32, pitch * 4, SDL_PIXELFORMAT_RGB888);
      if (frame == nullptr) return;
      SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
      SDL_Rect dst{fit.x, fit.y, fit.width, fit.height};
      SDL_BlitScaled(frame, nullptr, surface, &dst);
      SDL_FreeSurface(frame);
    }
  }
  SDL_UpdateWindowSurface(window_);
}

// The output's size is read every frame: the window may have been resized since.
void FramePresenter::ShowTexture(const uint32_t* pixels, int pitch) {
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
