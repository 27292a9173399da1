// Runs the built programs for whole-program tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/image.h"
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

// A Data tree inside dir for a run with --data dir: the built images and XML files,
// shared through links, and a Maps folder of its own (empty).
inline void ShareBuiltData(const TempDir& dir) {
  namespace fs = std::filesystem;
  const fs::path built = fs::path(BuildDir()) / "Data";
  fs::create_directories(dir.File("Data/Maps"));
  for (const char* entry : {"GFX", "AnimationSet.xml", "Light.xml"}) {
    fs::create_symlink(built / entry, dir.File(std::string("Data/") + entry));
  }
}

// A 32-bit little-endian field of a map file.
inline std::string MapField32(uint32_t v) {
  std::string bytes;
  for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((v >> shift) & 0xff);
  return bytes;
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
