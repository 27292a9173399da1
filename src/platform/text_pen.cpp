#include "platform/text_pen.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <utility>

namespace {

constexpr const char* kFallbackRegular = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kFallbackBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// Sizes outside this range are refused: they would only make huge or empty glyphs.
constexpr int kMinPointSize = 1;
constexpr int kMaxPointSize = 256;
// At most this many sizes and faces stay open; the pen only ever uses a few.
constexpr size_t kMaxCachedSizes = 16;

bool IsRegularFile(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

std::string FontconfigMatch(bool bold) {
  std::string file;
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(bold ? "sans-serif:bold" : "sans-serif"));
  if (pattern == nullptr) return file;
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  if (match != nullptr) {
    FcChar8* name = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch && name != nullptr) {
      file = reinterpret_cast<const char*>(name);
    }
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return file;
}

// The open fonts, one per point size and face, and SDL_ttf's lifetime. Only the pen
// touches it.
class FontCache {
 public:
  ~FontCache() {
    for (auto& [size, font] : fonts_) TTF_CloseFont(font);
    if (ttfReady_) TTF_Quit();
  }

  TTF_Font* Get(int pointSize, bool bold) {
    const auto key = std::make_pair(pointSize, bold);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    if (!EnsureTtf() || fonts_.size() >= kMaxCachedSizes) return nullptr;
    TTF_Font* font = Open(pointSize, bold);
    if (font != nullptr) fonts_[key] = font;
    return font;
  }

  std::mutex& mutex() { return mutex_; }

 private:
  bool EnsureTtf() {
    if (!ttfReady_) ttfReady_ = TTF_Init() == 0;
    return ttfReady_;
  }

  // The fontconfig face first; DejaVu Sans when that one cannot be opened (a
  // bitmap-only match, for instance).
  TTF_Font* Open(int pointSize, bool bold) {
    std::string& path = paths_[bold ? 1 : 0];
    const std::string fallback = bold ? kFallbackBold : kFallbackRegular;
    if (path.empty()) path = FindSansFontFile(bold);
    TTF_Font* font = path.empty() ? nullptr : TTF_OpenFont(path.c_str(), pointSize);
    if (font == nullptr && path != fallback && IsRegularFile(fallback)) {
      path = fallback;
      font = TTF_OpenFont(path.c_str(), pointSize);
    }
    return font;
  }

  std::mutex mutex_;
  bool ttfReady_ = false;
  std::string paths_[2];  // regular, bold
  std::map<std::pair<int, bool>, TTF_Font*> fonts_;
};

FontCache& Fonts() {
  static FontCache cache;
  return cache;
}

// Copies an SDL surface into an RGBA image (bytes R, G, B, A, straight alpha).
bool SurfaceToImage(SDL_Surface* surface, Image& out) {
  SDL_Surface* rgba = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
  if (rgba == nullptr) return false;
  bool ok = SDL_LockSurface(rgba) == 0;
  if (ok) {
    out.Resize(rgba->w, rgba->h);
    const auto* src = static_cast<const uint8_t*>(rgba->pixels);
    const size_t rowBytes = static_cast<size_t>(rgba->w) * 4;
    for (int y = 0; y < rgba->h; ++y) {
      std::memcpy(out.Pixel(0, y), src + static_cast<size_t>(y) * rgba->pitch, rowBytes);
    }
    SDL_UnlockSurface(rgba);
  }
  SDL_FreeSurface(rgba);
  return ok;
}

}  // namespace

std::string FindSansFontFile(bool bold) {
  std::string file = FontconfigMatch(bold);
  if (IsRegularFile(file)) return file;
  const std::string fallback = bold ? kFallbackBold : kFallbackRegular;
  return IsRegularFile(fallback) ? fallback : std::string();
}

bool RenderText(std::string_view text, uint32_t colour, Image& out, int pointSize, bool bold) {
  out = Image{};
  if (pointSize < kMinPointSize || pointSize > kMaxPointSize) return false;
  FontCache& cache = Fonts();
  std::lock_guard<std::mutex> lock(cache.mutex());
  TTF_Font* font = cache.Get(pointSize, bold);
  if (font == nullptr) return false;
  // The renderer stops at the first zero byte, as a C string would.
  const std::string line(text.substr(0, text.find('\0')));
  if (line.empty()) return true;  // nothing to draw: an empty image
  const SDL_Color ink{static_cast<Uint8>(colour & 0xFF), static_cast<Uint8>((colour >> 8) & 0xFF),
                      static_cast<Uint8>((colour >> 16) & 0xFF), 255};
  // TTF_RenderText_* reads the bytes as Latin-1, the game's 8-bit text.
  SDL_Surface* surface = TTF_RenderText_Blended(font, line.c_str(), ink);
  if (surface == nullptr) return false;
  const bool ok = SurfaceToImage(surface, out);
  SDL_FreeSurface(surface);
  return ok;
}
