// Drawing a frame on several threads: the frame's draws are kept in order, then
// the screen is cut into horizontal bands and each band is drawn, on its own
// thread, from the whole list, with rows outside the band left alone. Every
// pixel goes through the same draws in the same order as on one thread, so the
// picture is the same, bit for bit.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "render/software_raster.h"

// One draw of the frame.
struct BandDraw {
  const RasterTexture* texture = nullptr;
  QuadDraw quad;
  RasterState state;
  RasterPaths paths;
  int64_t top = 0, bottom = 0;  // rows it may reach, with room to spare
  float work = 0.0f;            // its estimated work per row, for cutting the bands
};

// The draws since the last present; a clear drops the draws before it.
struct BandFrame {
  bool clear = false;
  uint32_t clearWord = 0;  // 0x00RRGGBB
  std::vector<BandDraw> draws;
  std::deque<RasterTexture> texts;  // the textures of this frame's text (they stay where they are)
};

// Appends a draw, working out the rows it may reach.
void AddBandDraw(BandFrame& frame, const RasterTexture& texture, const QuadDraw& quad,
                 const RasterState& state, const RasterPaths& paths);
// Clears and draws the rows [target.bandTop, target.bandBottom) of the frame.
void DrawBand(const BandFrame& frame, const RasterTarget& target);

// A pool of threads - 1 workers, started once; the thread that calls Draw is the
// last one. The bands are cut so that each holds about the same estimated work,
// and are more than the threads, taken in turn as each thread finishes one, so
// that a frame the estimate misjudges still keeps every thread busy. A thread
// that runs out of work watches for more for a fraction of a millisecond before
// it sleeps: the next frame, or the next part of one, usually comes sooner, and
// finds every thread still running on its own core.
class BandWorkers {
 public:
  explicit BandWorkers(int threads);
  ~BandWorkers();
  BandWorkers(const BandWorkers&) = delete;
  BandWorkers& operator=(const BandWorkers&) = delete;

  int threads() const { return static_cast<int>(workers_.size()) + 1; }
  // Draws the whole frame onto the screen and returns when every band is done.
  void Draw(const BandFrame& frame, const RasterTarget& screen);

 private:
  void Work();
  bool AwaitRound(uint64_t& seen);
  void DrawBands();
  void CutBands(const BandFrame& frame, int height);

  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  std::atomic<uint64_t> round_ = 0;  // counts the frames handed out
  std::atomic<int> busy_ = 0;        // workers still in the current round
  std::atomic<bool> stop_ = false;
  // The current round: its frame, screen, bands and the next band to take.
  const BandFrame* frame_ = nullptr;
  RasterTarget screen_;
  int bands_ = 0;
  std::vector<int> bandTops_;  // bands_ + 1 rows: band b is [bandTops_[b], bandTops_[b + 1])
  std::vector<double> rowWork_;
  std::atomic<int> nextBand_ = 0;
};
