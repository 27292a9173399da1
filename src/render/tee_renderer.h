// A renderer in front of the real back-end that passes every call on and records
// the draws of the current frame beside it, for the draw log (--draw-log). Each
// Clear starts a new frame and forgets the previous one's record. Only put in front
// of the back-end when a draw log is asked for.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "render/recording_renderer.h"
#include "render/renderer.h"

enum class DrawKind : uint8_t { kSprite, kText };

class TeeRenderer final : public Renderer {
 public:
  explicit TeeRenderer(Renderer& target) : target_(target) {}

  int CreateTexture(const Image& image) override { return target_.CreateTexture(image); }
  void FreeTexture(int texture) override { target_.FreeTexture(texture); }
  void Clear(uint32_t colour) override;
  void BeginScene() override;
  void EndScene() override;
  void SetBlendMode(int source, int destination) override;
  void SetQuality(int quality) override;
  void Draw(const QuadDraw& quad) override;
  void DrawText(int x, int y, std::string_view text, uint32_t colour, const TextStyle& style = {}) override;
  void Present() override;
  bool Capture(Image& out) override { return target_.Capture(out); }

  // This frame's quads (record().draws) and texts (record().texts); order() tells
  // which of the two each call was, in drawing order.
  const RecordingRenderer& record() const { return record_; }
  const std::vector<DrawKind>& order() const { return order_; }

 private:
  Renderer& target_;
  RecordingRenderer record_;
  std::vector<DrawKind> order_;
};
