#include "render/software_raster_bands.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

// Bands per thread, and the fewest rows a band has.
constexpr int kBandsPerThread = 2;
constexpr int kLeastBandRows = 16;
// A filtered, turned or zoomed pixel costs about this many copied ones.
constexpr double kFilteredWork = 4.0;
// How long a thread out of work watches for more before it sleeps.
constexpr std::chrono::microseconds kWatch{200};

// Watches until done() or kWatch has passed; true when done. It yields the core
// between looks, in case the thread it waits for is queued on the same one.
template <class Done>
bool Watch(Done done) {
  const auto until = std::chrono::steady_clock::now() + kWatch;
  for (int i = 1;; ++i) {
    if (done()) return true;
    std::this_thread::yield();
    if (i % 16 == 0 && std::chrono::steady_clock::now() > until) return false;
  }
}

}  // namespace

// A quad turned about its centre stays within half its width plus half its
// height of the centre. Its work: its area spread over those rows, the filtered
// and turned or zoomed ones counted several times over.
void AddBandDraw(BandFrame& frame, const RasterTexture& texture, const QuadDraw& quad,
                 const RasterState& state, const RasterPaths& paths) {
  const double width = std::abs(static_cast<double>(quad.width)),
               height = std::abs(static_cast<double>(quad.height));
  const double centre = quad.y + quad.height / 2.0, reach = (width + height) / 2.0;
  BandDraw& d = frame.draws.emplace_back();
  d.texture = &texture;
  d.quad = quad;
  d.state = state;
  d.paths = paths;
  d.top = static_cast<int64_t>(std::floor(centre - reach)) - 2;
  d.bottom = static_cast<int64_t>(std::ceil(centre + reach)) + 2;
  const bool sampled = quad.angle != 0.0f || quad.width != texture.width || quad.height != texture.height;
  d.work = static_cast<float>(std::min(width * height / (width + height + 1.0), 4096.0) *
                              (sampled && state.bilinear ? kFilteredWork : 1.0));
}

void DrawBand(const BandFrame& frame, const RasterTarget& target) {
  const int top = std::max(target.bandTop, 0), bottom = std::min(target.bandBottom, target.height);
  if (frame.clear) FillBand(target, frame.clearWord);
  for (const BandDraw& d : frame.draws) {
    if (d.bottom >= top && d.top < bottom) RasterQuad(target, *d.texture, d.quad, d.state, d.paths);
  }
}

BandWorkers::BandWorkers(int threads) {
  for (int i = 1; i < threads; ++i) workers_.emplace_back(&BandWorkers::Work, this);
}

BandWorkers::~BandWorkers() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  for (std::thread& t : workers_) t.join();
}

void BandWorkers::Draw(const BandFrame& frame, const RasterTarget& screen) {
  const int bands = std::clamp(threads() * kBandsPerThread, 1, std::max(screen.height / kLeastBandRows, 1));
  if (workers_.empty() || bands == 1) {
    DrawBand(frame, screen);
    return;
  }
  bands_ = bands;
  CutBands(frame, screen.height);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    frame_ = &frame;
    screen_ = screen;
    nextBand_ = 0;
    busy_ = static_cast<int>(workers_.size());
    ++round_;
  }
  wake_.notify_all();
  DrawBands();
  if (Watch([this] { return busy_ == 0; })) return;
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [this] { return busy_ == 0; });
}

void BandWorkers::Work() {
  uint64_t seen = 0;
  while (AwaitRound(seen)) {
    DrawBands();
    if (--busy_ == 0) {
      std::lock_guard<std::mutex> lock(mutex_);  // so that Draw cannot miss the call
      done_.notify_one();
    }
  }
}

// Waits for a round after `seen`, watching and then sleeping; false when the pool stops.
bool BandWorkers::AwaitRound(uint64_t& seen) {
  if (!Watch([&] { return stop_ || round_ != seen; })) {
    std::unique_lock<std::mutex> lock(mutex_);
    wake_.wait(lock, [&] { return stop_ || round_ != seen; });
  }
  if (stop_) return false;
  seen = round_;
  return true;
}

// Takes bands until none is left.
void BandWorkers::DrawBands() {
  for (int b = nextBand_++; b < bands_; b = nextBand_++) {
    RasterTarget band = screen_;
    band.bandTop = bandTops_[b];
    band.bandBottom = bandTops_[b + 1];
    DrawBand(*frame_, band);
  }
}

// Each row's work (every row a little, for the clear and the walking), summed,
// then cut where the sum passes each band's share; every band keeps at least
// kLeastBandRows rows.
void BandWorkers::CutBands(const BandFrame& frame, int height) {
  rowWork_.assign(static_cast<size_t>(height) + 1, 0.0);
  for (const BandDraw& d : frame.draws) {
    const auto top = static_cast<int>(std::clamp<int64_t>(d.top, 0, height));
    const auto bottom = static_cast<int>(std::clamp<int64_t>(d.bottom, 0, height));
    if (top >= bottom) continue;
    rowWork_[top] += d.work;
    rowWork_[bottom] -= d.work;
  }
  double total = 0.0, level = 0.0;
  for (int y = 0; y < height; ++y) {
    level += rowWork_[y];
    rowWork_[y] = std::max(level, 0.0) + 16.0;
    total += rowWork_[y];
  }
  bandTops_.assign(static_cast<size_t>(bands_) + 1, height);
  bandTops_[0] = 0;
  double sum = 0.0;
  int y = 0;
  for (int b = 1; b < bands_; ++b) {
    const double share = total * b / bands_;
    const int least = bandTops_[b - 1] + kLeastBandRows, most = height - (bands_ - b) * kLeastBandRows;
    while (y < most && (y < least || sum + rowWork_[y] <= share)) sum += rowWork_[y++];
    bandTops_[b] = y;
  }
}
