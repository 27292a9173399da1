// Shows frames drawn by the software renderer in the game window, by one of two
// paths:
// - texture: an SDL streaming texture on the window's SDL renderer, with vsync
//   where available; the GPU scales the frame.
// - surface: the window's own memory (SDL's window surface: shared memory with
//   the X server on X11), for machines whose SDL renderer would run on the CPU.
//   The renderer's bands draw the frame straight into it when it is shown 1:1 in
//   the surface's pixel format; otherwise the frame scaler (frame_scaler.h) scales
//   it in, on as many threads as the bands.
// Either way the frame is scaled to the window as the accelerated back-end scales
// its own (see FitFrame): the largest size that keeps its aspect, black bars beside
// it, whole multiples only with integer scaling; whole multiples copy each pixel
// as a block, other scales filter bilinearly.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;
class FrameScaler;

enum class PresentPath {
  kAuto,     // the texture where SDL's renderer has a GPU behind it, else the surface
  kTexture,
  kSurface,
};

class FramePresenter {
 public:
  FramePresenter();
  ~FramePresenter();
  FramePresenter(const FramePresenter&) = delete;
  FramePresenter& operator=(const FramePresenter&) = delete;

  // threads: how many threads scale on the surface path.
  bool Attach(SDL_Window* window, bool integerScale = false, PresentPath path = PresentPath::kAuto,
              int threads = 1);
  // The path in use once attached.
  bool surfacePath() const { return surface_; }
  // Why the path was chosen (the SDL renderer that was looked at), for --verbose.
  const std::string& reason() const { return reason_; }
  // Surface path: a 1024x768 place in the window's memory to draw the next frame
  // into (0x00RRGGBB words, `pitch` words a row), with the bars around it black;
  // false when the frame cannot be drawn in place (scaled, or another pixel format).
  bool FramePlace(uint32_t*& pixels, int& pitch);
  // pixels: 1024x768 0x00RRGGBB, pitch in pixels; the place FramePlace gave, or any other.
  void Show(const uint32_t* pixels, int pitch);

 private:
  bool AttachTexture(SDL_Window* window);
  void ShowTexture(const uint32_t* pixels, int pitch);
  void ShowSurface(const uint32_t* pixels, int pitch);

  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  std::unique_ptr<FrameScaler> scaler_;
  bool surface_ = false;
  bool integerScale_ = false;
  bool blocks_ = false;  // the texture's filter: nearest (true) or bilinear
  const uint32_t* place_ = nullptr;  // the last place handed out by FramePlace
  std::string reason_;
};
