// The CPU back-end: draws into its own 1024x768 screen of 0x00RRGGBB words with the
// rasteriser of software_raster.h. It is the reference for the blend arithmetic,
// the back-end of headless runs and screenshots, and of the vexmoor-soft build.
// It knows nothing of fonts or windows: text comes from a TextImageSource and
// finished frames go to a FrameSink, which the program supplies (the platform's text
// pen and frame presenter) and tests replace with their own.
//
// With one thread every draw is drawn at once. With more, draws are kept in
// order and drawn band by band on a pool of threads (software_raster_bands.h)
// when the screen is read: by Present, Capture, pixels(), or before a texture in
// use is freed. The picture is the same either way, bit for bit.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "render/renderer.h"
#include "render/software_raster.h"
#include "render/software_raster_bands.h"

// Draws `text` (8-bit Latin-1) in colour 0x00BBGGRR onto a transparent RGBA image
// at the style's point size and face; false when it cannot (no font), and the text
// is then not drawn.
using TextImageSource =
    std::function<bool(std::string_view text, uint32_t colour, Image& out, const TextStyle& style)>;
// Takes a finished frame: 1024x768 words 0x00RRGGBB, `pitch` words per row.
using FrameSink = std::function<void(const uint32_t* pixels, int pitch)>;
// Offers a place for the next frame in the window's own memory: 1024x768 words
// 0x00RRGGBB, `pitch` words a row. False when there is none.
using FramePlaceSource = std::function<bool(uint32_t*& pixels, int& pitch)>;

// The most threads a renderer draws with.
constexpr int kMaxRenderThreads = 64;
// The threads to draw with: `requested`, or the number of cores when it is 0.
int RenderThreads(int requested);

class SoftwareRenderer final : public Renderer {
 public:
  // threads: how many threads draw (1 to kMaxRenderThreads; others are clamped).
  explicit SoftwareRenderer(int threads = 1);

  int CreateTexture(const Image& image) override;
  void FreeTexture(int texture) override;
  void Clear(uint32_t colour) override;
  void BeginScene() override {}
  void EndScene() override {}
  void SetBlendMode(int source, int destination) override;
  void SetQuality(int quality) override { state_.bilinear = quality != 0; }
  void Draw(const QuadDraw& quad) override;
  void DrawText(int x, int y, std::string_view text, uint32_t colour, const TextStyle& style = {}) override;
  // Hands the screen to the frame sink; does nothing without one (headless).
  void Present() override;
  bool Capture(Image& out) override;

  // The screen, every draw so far drawn: 1024x768 words 0x00RRGGBB, pitch() words per row.
  const uint32_t* pixels() const;
  int pitch() const { return kScreenWidth; }
  int threads() const { return workers_ ? workers_->threads() : 1; }
  // Draws everything kept for the workers.
  void Finish() const;
  // Without a text source DrawText draws nothing; without a sink Present shows nothing.
  void SetTextSource(TextImageSource source) { text_ = std::move(source); }
  void SetFrameSink(FrameSink sink) { sink_ = std::move(sink); }
  // With more than one thread, a frame that starts with a clear is drawn straight
  // into the place offered (when there is one) and handed to the sink from there:
  // the renderer's own screen is drawn from the same kept draws only if it is read.
  void SetFramePlace(FramePlaceSource place) { place_ = std::move(place); }
  // The rasteriser's shortcuts (all on by default); tests compare them with the plain path.
  void SetRasterPaths(const RasterPaths& paths) { paths_ = paths; }
  int textureCount() const { return static_cast<int>(textures_.size()); }

 private:
  RasterTarget Target() const { return {screen_.data(), kScreenWidth, kScreenWidth, kScreenHeight}; }
  void Add(const RasterTexture& texture, const QuadDraw& quad, const RasterState& state);

  // Reading the screen draws the kept draws (below), hence mutable.
  mutable std::vector<uint32_t> screen_;
  std::unordered_map<int, RasterTexture> textures_;
  int nextTexture_ = 1;
  RasterState state_;
  RasterPaths paths_;
  TextImageSource text_;
  FrameSink sink_;
  FramePlaceSource place_;
  // With more than one thread: the pool, and the draws not yet drawn.
  std::unique_ptr<BandWorkers> workers_;
  mutable BandFrame frame_;
};
