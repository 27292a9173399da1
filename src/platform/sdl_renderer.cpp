#include "platform/sdl_renderer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/frame_fit.h"
#include "platform/text_pen.h"

namespace {

SDL_BlendFactor SdlFactor(int factor) {
  switch (factor) {
    case kBlendZero: return SDL_BLENDFACTOR_ZERO;
    case kBlendOne: return SDL_BLENDFACTOR_ONE;
    case kBlendSrcColour: return SDL_BLENDFACTOR_SRC_COLOR;
    case kBlendInvSrcColour: return SDL_BLENDFACTOR_ONE_MINUS_SRC_COLOR;
    case kBlendSrcAlpha: return SDL_BLENDFACTOR_SRC_ALPHA;
    case kBlendInvSrcAlpha: return SDL_BLENDFACTOR_ONE_MINUS_SRC_ALPHA;
    case kBlendDstAlpha: return SDL_BLENDFACTOR_DST_ALPHA;
    case kBlendInvDstAlpha: return SDL_BLENDFACTOR_ONE_MINUS_DST_ALPHA;
    case kBlendDstColour: return SDL_BLENDFACTOR_DST_COLOR;
    case kBlendInvDstColour: return SDL_BLENDFACTOR_ONE_MINUS_DST_COLOR;
    default: return SDL_BLENDFACTOR_ONE;
  }
}

// Nearest-texel copy of the scaled, letterboxed 1024x768 screen out of an output
// of another size.
void Unletterbox(const std::vector<uint8_t>& output, int outW, int outH, bool integerScale, Image& out) {
  const FrameFit fit = FitFrame(outW, outH, integerScale);
  for (int y = 0; y < kScreenHeight; ++y) {
    const int sy = std::clamp(fit.y + static_cast<int>((y + 0.5f) * fit.scale), 0, outH - 1);
    for (int x = 0; x < kScreenWidth; ++x) {
      const int sx = std::clamp(fit.x + static_cast<int>((x + 0.5f) * fit.scale), 0, outW - 1);
      const uint8_t* p = &output[(static_cast<size_t>(sy) * outW + sx) * 4];
      std::copy(p, p + 4, out.Pixel(x, y));
    }
  }
}

}  // namespace

int ComposeSdlBlendMode(int source, int destination) {
  return static_cast<int>(SDL_ComposeCustomBlendMode(SdlFactor(source), SdlFactor(destination),
                                                     SDL_BLENDOPERATION_ADD, SDL_BLENDFACTOR_ZERO,
                                                     SDL_BLENDFACTOR_ONE, SDL_BLENDOPERATION_ADD));
}

SdlRenderer::SdlRenderer(SDL_Window* window, bool integerScale) : integerScale_(integerScale) {
  if (window == nullptr) {
    error_ = "no game window";
    return;
  }
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  // Naming a driver turns SDL's command batching off; it stays on, and the renderer
  // flushes by itself where a texture's state changes outside the command queue.
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
  if (renderer_ == nullptr) {
    error_ = std::string("cannot create the accelerated renderer: ") + SDL_GetError();
    return;
  }
  SDL_RenderSetLogicalSize(renderer_, kScreenWidth, kScreenHeight);
  SDL_RenderSetIntegerScale(renderer_, integerScale_ ? SDL_TRUE : SDL_FALSE);
}

SdlRenderer::~SdlRenderer() {
  for (auto& [handle, texture] : textures_) SDL_DestroyTexture(texture);
  if (renderer_ != nullptr) SDL_DestroyRenderer(renderer_);
}

std::string SdlRenderer::driverName() const {
  SDL_RendererInfo info{};
  if (renderer_ == nullptr || SDL_GetRendererInfo(renderer_, &info) != 0 || info.name == nullptr) return {};
  return info.name;
}

// A static texture holding the image's bytes R, G, B, A in that order.
SDL_Texture* SdlRenderer::Upload(const Image& image) const {
  if (renderer_ == nullptr || image.width <= 0 || image.height <= 0 ||
      image.rgba.size() < static_cast<size_t>(image.width) * image.height * 4) {
    return nullptr;
  }
  SDL_Texture* texture =
      SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGBA32, SDL_TEXTUREACCESS_STATIC, image.width, image.height);
  if (texture == nullptr) return nullptr;
  if (SDL_UpdateTexture(texture, nullptr, image.rgba.data(), image.width * 4) != 0) {
    SDL_DestroyTexture(texture);
    return nullptr;
  }
  return texture;
}

int SdlRenderer::CreateTexture(const Image& image) {
  SDL_Texture* texture = Upload(image);
  if (texture == nullptr) return 0;
  const int handle = nextTexture_++;
  textures_[handle] = texture;
  return handle;
}

void SdlRenderer::FreeTexture(int texture) {
  auto it = textures_.find(texture);
  if (it == textures_.end()) return;
  SDL_DestroyTexture(it->second);
  textures_.erase(it);
}

void SdlRenderer::Clear(uint32_t colour) {
  if (renderer_ == nullptr) return;
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
  SDL_SetRenderDrawColor(renderer_, colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF, 255);
  SDL_RenderClear(renderer_);
}

// Every draw sets its texture's blend mode, so there is nothing to re-apply here.
void SdlRenderer::BeginScene() {}
void SdlRenderer::EndScene() {}

void SdlRenderer::SetBlendMode(int source, int destination) {
  blendSource_ = source;
  blendDestination_ = destination;
}

void SdlRenderer::SetQuality(int quality) { quality_ = quality == 0 ? 0 : 1; }

int SdlRenderer::BlendMode(int source, int destination) {
  const int key = source * 16 + destination;
  auto it = blendModes_.find(key);
  if (it != blendModes_.end()) return it->second;
  const int mode = ComposeSdlBlendMode(source, destination);
  blendModes_[key] = mode;
  return mode;
}

void SdlRenderer::Draw(const QuadDraw& quad) {
  auto it = textures_.find(quad.texture);
  if (renderer_ == nullptr || it == textures_.end() || quad.width <= 0 || quad.height <= 0 ||
      !std::isfinite(quad.angle)) {
    return;
  }
  SDL_Texture* texture = it->second;
  const SDL_ScaleMode scale = quality_ == 0 ? SDL_ScaleModeNearest : SDL_ScaleModeLinear;
  SDL_ScaleMode current = SDL_ScaleModeNearest;
  if (SDL_GetTextureScaleMode(texture, &current) != 0 || current != scale) {
    // The filter is texture state applied at once, not queued: draw what is queued first.
    SDL_RenderFlush(renderer_);
    SDL_SetTextureScaleMode(texture, scale);
  }
  SDL_SetTextureBlendMode(texture, static_cast<SDL_BlendMode>(BlendMode(blendSource_, blendDestination_)));
  SDL_SetTextureAlphaMod(texture, static_cast<Uint8>(std::clamp(quad.alpha, 0, 255)));
  const SDL_FRect dst{static_cast<float>(quad.x), static_cast<float>(quad.y), static_cast<float>(quad.width),
                      static_cast<float>(quad.height)};
  SDL_RenderCopyExF(renderer_, texture, nullptr, &dst, static_cast<double>(quad.angle), nullptr, SDL_FLIP_NONE);
}

void SdlRenderer::DrawText(int x, int y, std::string_view text, uint32_t colour, const TextStyle& style) {
  Image image;
  if (renderer_ == nullptr || !RenderTextImage(text, colour, image, style) || image.width == 0) return;
  SDL_Texture* texture = Upload(image);
  if (texture == nullptr) return;
  SDL_SetTextureBlendMode(texture, static_cast<SDL_BlendMode>(BlendMode(kBlendSrcAlpha, kBlendInvSrcAlpha)));
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
  const SDL_Rect dst{style.Left(x, image.width), y, image.width, image.height};
  SDL_RenderCopy(renderer_, texture, nullptr, &dst);
  SDL_DestroyTexture(texture);  // SDL draws the queued copy before the texture goes
}

void SdlRenderer::Present() {
  if (renderer_ != nullptr) SDL_RenderPresent(renderer_);
}

bool SdlRenderer::Capture(Image& out) {
  int outW = 0, outH = 0;
  if (renderer_ == nullptr || SDL_GetRendererOutputSize(renderer_, &outW, &outH) != 0 || outW <= 0 || outH <= 0) {
    return false;
  }
  out.Resize(kScreenWidth, kScreenHeight);
  if (outW == kScreenWidth && outH == kScreenHeight) {
    if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGBA32, out.rgba.data(), kScreenWidth * 4) != 0) {
      return false;
    }
  } else {
    std::vector<uint8_t> output(static_cast<size_t>(outW) * outH * 4, 0);
    const SDL_Rect whole{0, 0, outW, outH};
    if (SDL_RenderReadPixels(renderer_, &whole, SDL_PIXELFORMAT_RGBA32, output.data(), outW * 4) != 0) return false;
    Unletterbox(output, outW, outH, integerScale_, out);
  }
  for (size_t i = 3; i < out.rgba.size(); i += 4) out.rgba[i] = 255;
  return true;
}
