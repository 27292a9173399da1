#include "render/frame_scaler.h"

#include <algorithm>
#include <cmath>

namespace {

// One axis of the bilinear filter: for each output pixel, the first source pixel
// and the weight (0-256) of the next one, both clamped to the frame.
struct Taps {
  std::vector<int> first;
  std::vector<int> weight;
};

Taps BilinearTaps(int outExtent, int offset, float scale, int frameExtent) {
  Taps taps;
  taps.first.resize(static_cast<size_t>(std::max(outExtent, 0)));
  taps.weight.resize(taps.first.size());
  for (int i = 0; i < outExtent; ++i) {
    const double u = (i + 0.5 - offset) / scale - 0.5;
    double base = std::floor(u);
    int weight = static_cast<int>(std::lround((u - base) * 256.0));
    if (weight == 256) {
      base += 1.0;
      weight = 0;
    }
    int first = static_cast<int>(base);
    if (first < 0) {
      first = 0;
      weight = 0;
    } else if (first >= frameExtent - 1) {
      first = frameExtent - 1;
      weight = 0;
    }
    taps.first[static_cast<size_t>(i)] = first;
    taps.weight[static_cast<size_t>(i)] = weight;
  }
  return taps;
}

// a + (b - a) * w / 256 on each of the three channels.
inline uint32_t Mix(uint32_t a, uint32_t b, int w) {
  const uint32_t rb = ((a & 0xFF00FFu) * static_cast<uint32_t>(256 - w) + (b & 0xFF00FFu) * static_cast<uint32_t>(w)) >> 8;
  const uint32_t g = ((a & 0x00FF00u) * static_cast<uint32_t>(256 - w) + (b & 0x00FF00u) * static_cast<uint32_t>(w)) >> 8;
  return (rb & 0xFF00FFu) | (g & 0x00FF00u);
}

// The frame's rows and columns in the window, clipped to it.
struct Span {
  int begin = 0, end = 0;
};
Span Covered(int offset, int extent, int outExtent) {
  return {std::clamp(offset, 0, outExtent), std::clamp(offset + extent, 0, outExtent)};
}

void ScaleRow(const uint32_t* frame, int framePitch, const FrameFit& fit, uint32_t* row, int y, Span cols,
              const Taps& columns) {
  if (WholeScale(fit)) {
    const int whole = static_cast<int>(fit.scale);
    const uint32_t* src = frame + static_cast<long>((y - fit.y) / whole) * framePitch;
    for (int x = cols.begin; x < cols.end; ++x) row[x] = src[(x - fit.x) / whole];
    return;
  }
  const Taps rowsTap = BilinearTaps(1, fit.y - y, fit.scale, kScreenHeight);
  const uint32_t* top = frame + static_cast<long>(rowsTap.first[0]) * framePitch;
  const uint32_t* below = rowsTap.weight[0] != 0 ? top + framePitch : top;
  const int wy = rowsTap.weight[0];
  for (int x = cols.begin; x < cols.end; ++x) {
    const int sx = columns.first[static_cast<size_t>(x)];
    const int wx = columns.weight[static_cast<size_t>(x)];
    const int nx = wx != 0 ? sx + 1 : sx;
    row[x] = Mix(Mix(top[sx], top[nx], wx), Mix(below[sx], below[nx], wx), wy);
  }
}

}  // namespace

void ScaleFrameRows(const uint32_t* frame, int framePitch, const FrameFit& fit, const RasterTarget& out, int top,
                    int bottom) {
  const Span rows = Covered(fit.y, fit.height, out.height);
  const Span cols = Covered(fit.x, fit.width, out.width);
  const Taps columns = WholeScale(fit) ? Taps{} : BilinearTaps(out.width, fit.x, fit.scale, kScreenWidth);
  for (int y = std::max(top, 0); y < std::min(bottom, out.height); ++y) {
    uint32_t* row = out.pixels + static_cast<long>(y) * out.pitch;
    if (y < rows.begin || y >= rows.end) {
      std::fill(row, row + out.width, 0u);
      continue;
    }
    std::fill(row, row + cols.begin, 0u);
    std::fill(row + cols.end, row + out.width, 0u);
    ScaleRow(frame, framePitch, fit, row, y, cols, columns);
  }
}

FrameScaler::FrameScaler(int threads) {
  for (int i = 1; i < std::max(threads, 1); ++i) workers_.emplace_back([this, i] { Work(i); });
}

FrameScaler::~FrameScaler() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  for (std::thread& worker : workers_) worker.join();
}

// Thread `index` of n takes the index-th slice of the rows.
void FrameScaler::Work(int index) {
  uint64_t seen = 0;
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [&] { return stop_ || round_ != seen; });
      if (stop_) return;
      seen = round_;
    }
    const int n = static_cast<int>(workers_.size()) + 1;
    ScaleFrameRows(frame_, framePitch_, fit_, out_, out_.height * index / n, out_.height * (index + 1) / n);
    std::lock_guard<std::mutex> lock(mutex_);
    if (--busy_ == 0) done_.notify_one();
  }
}

void FrameScaler::Scale(const uint32_t* frame, int framePitch, const FrameFit& fit, const RasterTarget& out) {
  const int n = static_cast<int>(workers_.size()) + 1;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    frame_ = frame;
    framePitch_ = framePitch;
    fit_ = fit;
    out_ = out;
    busy_ = n - 1;
    ++round_;
  }
  wake_.notify_all();
  ScaleFrameRows(frame, framePitch, fit, out, 0, out.height / n);
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [&] { return busy_ == 0; });
}
