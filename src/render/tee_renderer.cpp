#include "render/tee_renderer.h"

void TeeRenderer::Clear(uint32_t colour) {
  record_.ClearRecord();
  order_.clear();
  record_.Clear(colour);
  target_.Clear(colour);
}

void TeeRenderer::BeginScene() {
  record_.BeginScene();
  target_.BeginScene();
}

void TeeRenderer::EndScene() {
  record_.EndScene();
  target_.EndScene();
}

void TeeRenderer::SetBlendMode(int source, int destination) {
  record_.SetBlendMode(source, destination);
  target_.SetBlendMode(source, destination);
}

void TeeRenderer::SetQuality(int quality) {
  record_.SetQuality(quality);
  target_.SetQuality(quality);
}

void TeeRenderer::Draw(const QuadDraw& quad) {
  record_.Draw(quad);
  order_.push_back(DrawKind::kSprite);
  target_.Draw(quad);
}

void TeeRenderer::DrawText(int x, int y, std::string_view text, uint32_t colour, const TextStyle& style) {
  record_.DrawText(x, y, text, colour, style);
  order_.push_back(DrawKind::kText);
  target_.DrawText(x, y, text, colour, style);
}

void TeeRenderer::Present() {
  record_.Present();
  target_.Present();
}
