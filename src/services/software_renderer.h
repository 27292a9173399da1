// The CPU back-end: draws into its own 1024x768 screen of 0x00RRGGBB words with the
// rasteriser of software_raster.h. It is the reference for the blend arithmetic,
// the back-end of headless runs and screenshots, and of the vexmoor-soft build,
// where a FramePresenter shows each finished frame in the window.
#pragma once

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "services/renderer.h"
#include "services/software_raster.h"

class FramePresenter;

class SoftwareRenderer final : public Renderer {
 public:
  SoftwareRenderer();

  int CreateTexture(const Image& image) override;
  void FreeTexture(int texture) override;
  void Clear(uint32_t colour) override;
  void BeginScene() override {}
  void EndScene() override {}
  void SetBlendMode(int source, int destination) override;
  void SetQuality(int quality) override { state_.bilinear = quality != 0; }
  void Draw(const QuadDraw& quad) override;
  void DrawText(int x, int y, std::string_view text, uint32_t colour) override;
  // Shows the screen through the presenter; does nothing without one (headless).
  void Present() override;
  bool Capture(Image& out) override;

  // The screen: 1024x768 words 0x00RRGGBB, pitch() words per row.
  const uint32_t* pixels() const { return screen_.data(); }
  int pitch() const { return kScreenWidth; }
  void SetPresenter(FramePresenter* presenter) { presenter_ = presenter; }
  // The rasteriser's shortcuts (all on by default); tests compare them with the plain path.
  void SetRasterPaths(const RasterPaths& paths) { paths_ = paths; }
  int textureCount() const { return static_cast<int>(textures_.size()); }

 private:
  RasterTarget Target() { return {screen_.data(), kScreenWidth, kScreenWidth, kScreenHeight}; }

  std::vector<uint32_t> screen_;
  std::unordered_map<int, RasterTexture> textures_;
  int nextTexture_ = 1;
  RasterState state_;
  RasterPaths paths_;
  FramePresenter* presenter_ = nullptr;
};
