// A back-end that draws nothing and records every call in order, so that tests of
// game logic can assert what a frame drew: each quad with the blend mode and
// quality in force, texts, clears, and the scene and present counts.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "render/renderer.h"

struct RecordedDraw {
  QuadDraw quad;
  int blendSource = kBlendSrcAlpha;
  int blendDestination = kBlendInvSrcAlpha;
  int quality = 0;
};

struct RecordedText {
  int x = 0, y = 0;
  std::string text;
  uint32_t colour = 0;
  TextStyle style;
};

class RecordingRenderer final : public Renderer {
 public:
  // Textures get increasing handles from 1 on; an empty image gets none (0).
  int CreateTexture(const Image& image) override;
  void FreeTexture(int texture) override;
  void Clear(uint32_t colour) override { clears.push_back(colour); }
  void BeginScene() override { ++beginScenes; }
  void EndScene() override { ++endScenes; }
  void SetBlendMode(int source, int destination) override;
  void SetQuality(int quality) override { quality_ = quality != 0 ? 1 : 0; }
  void Draw(const QuadDraw& quad) override {
    draws.push_back({quad, blendSource_, blendDestination_, quality_});
  }
  void DrawText(int x, int y, std::string_view text, uint32_t colour, const TextStyle& style = {}) override;
  void Present() override { ++presents; }
  bool Capture(Image&) override { return false; }

  // Forgets the recorded calls (not the textures or the blend state), e.g. between frames.
  void ClearRecord();

  // Size of a live texture, {0, 0} when the handle is not live.
  struct TextureSize {
    int width = 0, height = 0;
  };
  TextureSize TextureSizeOf(int texture) const;
  bool HasTexture(int texture) const { return textures_.count(texture) != 0; }
  int liveTextures() const { return static_cast<int>(textures_.size()); }

  std::vector<RecordedDraw> draws;
  std::vector<RecordedText> texts;
  std::vector<uint32_t> clears;
  int beginScenes = 0;
  int endScenes = 0;
  int presents = 0;
  std::vector<int> freedTextures;

 private:
  std::map<int, TextureSize> textures_;
  int nextTexture_ = 1;
  int blendSource_ = kBlendSrcAlpha;
  int blendDestination_ = kBlendInvSrcAlpha;
  int quality_ = 0;
};
