// Runs the built programs for whole-program tests.
#pragma once

#include <string>
#include <vector>

#include "services/image.h"
#include "support/process.h"
#include "support/temp_dir.h"

// build/vexmoor-soft (or vexmoor) with the arguments, from the build folder (which
// holds Data), with a generous timeout.
inline ProcessResult RunGame(std::vector<std::string> args, bool software = true, double timeout = 120.0,
                             std::vector<std::string> env = {}) {
  args.insert(args.begin(), BuildDir() + (software ? "/vexmoor-soft" : "/vexmoor"));
  SpawnOptions options;
  options.env = std::move(env);
  return RunProcess(args, options, timeout);
}

// Mean of the red, green and blue channels over a rectangle of an image, 0-255.
inline double MeanBrightness(const Image& image, int x0, int y0, int x1, int y1) {
  double sum = 0;
  long count = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const uint8_t* p = image.Pixel(x, y);
      sum += (p[0] + p[1] + p[2]) / 3.0;
      ++count;
    }
  }
  return count ? sum / count : 0.0;
}

// Share of pixels (0-1) brighter than a level.
inline double BrightShare(const Image& image, int level) {
  long bright = 0;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = image.Pixel(x, y);
      if ((p[0] + p[1] + p[2]) / 3 > level) ++bright;
    }
  }
  return static_cast<double>(bright) / (static_cast<double>(image.width) * image.height);
}
