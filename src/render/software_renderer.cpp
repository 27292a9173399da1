#include "render/software_renderer.h"

#include <algorithm>
#include <thread>
#include <utility>


namespace {

// A frame keeping more draws than this is drawn before it takes more, so that a
// frame that never ends cannot fill the memory.
constexpr size_t kMostKeptDraws = 1 << 16;

}  // namespace

int RenderThreads(int requested) {
  if (requested > 0) return std::min(requested, kMaxRenderThreads);
  return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, kMaxRenderThreads);
}

SoftwareRenderer::SoftwareRenderer(int threads)
    : screen_(static_cast<size_t>(kScreenWidth) * kScreenHeight, 0) {
  threads = std::clamp(threads, 1, kMaxRenderThreads);
  if (threads > 1) workers_ = std::make_unique<BandWorkers>(threads);
}

int SoftwareRenderer::CreateTexture(const Image& image) {
  RasterTexture texture;
  if (!MakeRasterTexture(image, texture) || nextTexture_ == INT32_MAX) return 0;
  const int handle = nextTexture_++;
  textures_.emplace(handle, std::move(texture));  // the map's nodes stay where they are
  return handle;
}

void SoftwareRenderer::FreeTexture(int texture) {
  if (textures_.count(texture) != 0 && !frame_.draws.empty()) Finish();
  textures_.erase(texture);
}

void SoftwareRenderer::Clear(uint32_t colour) {
  // 0x00BBGGRR in, 0x00RRGGBB on the screen.
  const uint32_t word = (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
  if (!workers_) {
    FillBand(Target(), word);
    return;
  }
  // Whatever was kept would be painted over.
  frame_.draws.clear();
  frame_.texts.clear();
  frame_.clear = true;
  frame_.clearWord = word;
}

void SoftwareRenderer::SetBlendMode(int source, int destination) {
  if (!IsBlendFactor(source) || !IsBlendFactor(destination)) return;
  state_.blendSource = source;
  state_.blendDestination = destination;
}

void SoftwareRenderer::Add(const RasterTexture& texture, const QuadDraw& quad, const RasterState& state) {
  if (!workers_) {
    RasterQuad(Target(), texture, quad, state, paths_);
    return;
  }
  if (frame_.draws.size() >= kMostKeptDraws) Finish();
  AddBandDraw(frame_, texture, quad, state, paths_);
}

void SoftwareRenderer::Draw(const QuadDraw& quad) {
  const auto it = textures_.find(quad.texture);
  if (it != textures_.end()) Add(it->second, quad, state_);
}

void SoftwareRenderer::DrawText(int x, int y, std::string_view text, uint32_t colour, const TextStyle& style) {
  Image image;
  RasterTexture texture;
  if (text.empty() || !text_ || !text_(text, colour, image, style) || !MakeRasterTexture(image, texture)) return;
  QuadDraw quad;
  quad.x = style.Left(x, image.width);
  quad.y = y;
  quad.width = image.width;
  quad.height = image.height;
  if (!workers_) {
    Add(texture, quad, RasterState{});
    return;
  }
  if (frame_.draws.size() >= kMostKeptDraws) Finish();
  frame_.texts.push_back(std::move(texture));
  AddBandDraw(frame_, frame_.texts.back(), quad, RasterState{}, paths_);
}

void SoftwareRenderer::Finish() const {
  if (!workers_ || (!frame_.clear && frame_.draws.empty())) return;
  workers_->Draw(frame_, Target());
  frame_.clear = false;
  frame_.draws.clear();
  frame_.texts.clear();
}

const uint32_t* SoftwareRenderer::pixels() const {
  Finish();
  return screen_.data();
}

// A frame drawn in place keeps its draws: the next Clear drops them, and reading
// the screen before that draws them there too.
void SoftwareRenderer::Present() {
  uint32_t* place = nullptr;
  int placePitch = 0;
  if (workers_ && frame_.clear && place_ && place_(place, placePitch) && place != nullptr &&
      placePitch >= kScreenWidth) {
    workers_->Draw(frame_, RasterTarget{place, placePitch, kScreenWidth, kScreenHeight});
    if (sink_) sink_(place, placePitch);
    return;
  }
  Finish();
  if (sink_) sink_(screen_.data(), pitch());
}

bool SoftwareRenderer::Capture(Image& out) {
  Finish();
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
