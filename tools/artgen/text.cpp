#include "text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <sys/stat.h>

#include "platform/text_pen.h"

namespace art {
namespace {

constexpr const char* kFallbackBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

bool IsFile(const std::string& path) {
  struct stat info {};
  return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Copies the alpha of a rendered surface into a white mask and finds the ink box.
void SurfaceToMask(SDL_Surface* surface, TextMask& out) {
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
  if (rgba == nullptr || SDL_LockSurface(rgba) != 0) {
    if (rgba != nullptr) SDL_FreeSurface(rgba);
    return;
  }
  out.mask = Canvas(rgba->w, rgba->h);
  out.inkX0 = rgba->w;
  out.inkY0 = rgba->h;
  for (int y = 0; y < rgba->h; ++y) {
    const auto* row = static_cast<const Uint8*>(rgba->pixels) + static_cast<ptrdiff_t>(y) * rgba->pitch;
    for (int x = 0; x < rgba->w; ++x) {
      const float a = static_cast<float>(row[x * 4 + 3]) / 255.0f;
      out.mask.at(x, y) = {a, a, a, a};
      if (a <= 0.0f) continue;
      out.inkX0 = std::min(out.inkX0, x);
      out.inkY0 = std::min(out.inkY0, y);
      out.inkX1 = std::max(out.inkX1, x + 1);
      out.inkY1 = std::max(out.inkY1, y + 1);
    }
  }
  if (out.inkX1 == 0) out.inkX0 = out.inkY0 = 0;
  SDL_UnlockSurface(rgba);
  SDL_FreeSurface(rgba);
  out.ok = true;
}

}  // namespace

std::string BoldFontFile() {
  const std::string found = FindSansFontFile(true);
  return IsFile(found) ? found : std::string(kFallbackBold);
}

TextMask RenderTextMask(const std::string& text, int pointSize) {
  TextMask result;
  if (text.empty() || pointSize < 1 || pointSize > 1000) return result;
  if (TTF_WasInit() == 0 && TTF_Init() != 0) return result;
  TTF_Font* font = TTF_OpenFont(BoldFontFile().c_str(), pointSize);
  if (font == nullptr) return result;
  TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
  SDL_Surface* surface = TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
  if (surface != nullptr) {
    SurfaceToMask(surface, result);
    SDL_FreeSurface(surface);
  }
  TTF_CloseFont(font);
  return result;
}

int FittingPointSize(const std::string& text, float boxWidth, float boxHeight, int maxPoint) {
  // Ink grows about linearly with the point size: start from a proportional guess
  // and step down until it fits.
  TextMask probe = RenderTextMask(text, 100);
  if (!probe.ok || probe.InkWidth() == 0) return 1;
  const float scale = std::min(boxWidth / static_cast<float>(probe.InkWidth()),
                               boxHeight / static_cast<float>(probe.InkHeight()));
  int size = std::clamp(static_cast<int>(std::ceil(100.0f * scale)) + 2, 1, maxPoint);
  for (; size > 1; --size) {
    const TextMask m = RenderTextMask(text, size);
    if (static_cast<float>(m.InkWidth()) <= boxWidth && static_cast<float>(m.InkHeight()) <= boxHeight) break;
  }
  return size;
}

void DrawTextCentred(Canvas& canvas, const std::string& text, int pointSize, Box box, const Paint& paint,
                     const std::string& reference) {
  const TextMask m = RenderTextMask(text, pointSize);
  if (!m.ok) return;
  TextMask ref;
  if (!reference.empty()) ref = RenderTextMask(reference, pointSize);
  const TextMask& vertical = ref.ok ? ref : m;
  const float inkX = (box.x0 + box.x1 - static_cast<float>(m.InkWidth())) * 0.5f;
  const float inkY = (box.y0 + box.y1 - static_cast<float>(vertical.InkHeight())) * 0.5f;
  const int dx = static_cast<int>(std::lround(inkX)) - m.inkX0;
  const int dy = static_cast<int>(std::lround(inkY)) - vertical.inkY0;
  DrawMask(canvas, m.mask, dx, dy, paint);
}

}  // namespace art
