#include "services/software_renderer.h"

#include <algorithm>
#include <utility>

#include "services/presenter.h"
#include "services/text_pen.h"

SoftwareRenderer::SoftwareRenderer() : screen_(static_cast<size_t>(kScreenWidth) * kScreenHeight, 0) {}

int SoftwareRenderer::CreateTexture(const Image& image) {
  RasterTexture texture;
  if (!MakeRasterTexture(image, texture) || nextTexture_ == INT32_MAX) return 0;
  const int handle = nextTexture_++;
  textures_.emplace(handle, std::move(texture));
  return handle;
}

void SoftwareRenderer::FreeTexture(int texture) {
  textures_.erase(texture);
}

void SoftwareRenderer::Clear(uint32_t colour) {
  // 0x00BBGGRR in, 0x00RRGGBB on the screen.
  const uint32_t word = (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
  std::fill(screen_.begin(), screen_.end(), word);
}

void SoftwareRenderer::SetBlendMode(int source, int destination) {
  if (!IsBlendFactor(source) || !IsBlendFactor(destination)) return;
  state_.blendSource = source;
  state_.blendDestination = destination;
}

void SoftwareRenderer::Draw(const QuadDraw& quad) {
  const auto it = textures_.find(quad.texture);
  if (it == textures_.end()) return;
  RasterQuad(Target(), it->second, quad, state_, paths_);
}

void SoftwareRenderer::DrawText(int x, int y, std::string_view text, uint32_t colour) {
  Image image;
  RasterTexture texture;
  if (text.empty() || !RenderText(text, colour, image) || !MakeRasterTexture(image, texture)) return;
  QuadDraw quad;
  quad.x = x;
  quad.y = y;
  quad.width = image.width;
  quad.height = image.height;
  RasterQuad(Target(), texture, quad, RasterState{}, paths_);
}

void SoftwareRenderer::Present() {
  if (presenter_ != nullptr) presenter_->Show(screen_.data(), pitch());
}

bool SoftwareRenderer::Capture(Image& out) {
  out.Resize(kScreenWidth, kScreenHeight);
  uint8_t* p = out.rgba.data();
  for (const uint32_t word : screen_) {
    p[0] = static_cast<uint8_t>(word >> 16);
    p[1] = static_cast<uint8_t>(word >> 8);
    p[2] = static_cast<uint8_t>(word);
    p[3] = 255;
    p += 4;
  }
  return true;
}
