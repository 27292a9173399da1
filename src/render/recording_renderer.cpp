#include "render/recording_renderer.h"

int RecordingRenderer::CreateTexture(const Image& image) {
  if (image.width <= 0 || image.height <= 0) return 0;
  const int handle = nextTexture_++;
  textures_[handle] = {image.width, image.height};
  return handle;
}

void RecordingRenderer::FreeTexture(int texture) {
  freedTextures.push_back(texture);
  textures_.erase(texture);
}

void RecordingRenderer::SetBlendMode(int source, int destination) {
  if (!IsBlendFactor(source) || !IsBlendFactor(destination)) return;
  blendSource_ = source;
  blendDestination_ = destination;
}

void RecordingRenderer::DrawText(int x, int y, std::string_view text, uint32_t colour, const TextStyle& style) {
  texts.push_back({x, y, std::string(text), colour, style});
}

void RecordingRenderer::ClearRecord() {
  draws.clear();
  texts.clear();
  clears.clear();
  freedTextures.clear();
  beginScenes = endScenes = presents = 0;
}

RecordingRenderer::TextureSize RecordingRenderer::TextureSizeOf(int texture) const {
  const auto it = textures_.find(texture);
  return it == textures_.end() ? TextureSize{} : it->second;
}
