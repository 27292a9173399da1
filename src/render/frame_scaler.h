// Scales the finished 1024x768 frame into a window's memory of any size where the
// frame is presented through the window surface (no texture, no GPU to scale it):
// the fit of FitFrame, black bars around it, each pixel copied as a block at whole
// multiples and filtered bilinearly otherwise (sampled at pixel centres, edges
// clamped, as the texture path's filter). The rows are cut among a pool of threads
// like the bands of a frame.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "render/frame_fit.h"
#include "render/software_raster.h"

// Draws the rows [top, bottom) of `out` (the whole window; out.width x out.height
// pixels) from the frame (1024x768 words 0x00RRGGBB, framePitch words a row).
void ScaleFrameRows(const uint32_t* frame, int framePitch, const FrameFit& fit, const RasterTarget& out, int top,
                    int bottom);

class FrameScaler {
 public:
  // threads: how many threads scale (the caller's among them); at least 1.
  explicit FrameScaler(int threads);
  ~FrameScaler();
  FrameScaler(const FrameScaler&) = delete;
  FrameScaler& operator=(const FrameScaler&) = delete;

  // Scales the whole window; returns when every row is done.
  void Scale(const uint32_t* frame, int framePitch, const FrameFit& fit, const RasterTarget& out);

 private:
  void Work(int index);

  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable wake_, done_;
  uint64_t round_ = 0;
  int busy_ = 0;
  bool stop_ = false;
  const uint32_t* frame_ = nullptr;
  int framePitch_ = 0;
  FrameFit fit_;
  RasterTarget out_;
};
