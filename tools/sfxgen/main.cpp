// sfxgen: synthesises the game's sounds.
//   sfxgen --out DIR     writes DIR/NAME.wav for every sound (16-bit PCM, mono, 22050 Hz)
//   sfxgen --stats       prints each sound's length, peak, RMS and spectral centroid
#include <cstdio>
#include <filesystem>
#include <string>

#include "analysis.h"
#include "recipes.h"
#include "wav.h"

namespace {

void PrintUsage(std::FILE* to) {
  std::fputs(
      "usage: sfxgen [--out DIR] [--stats]\n"
      "  --out DIR   write every sound of the game as DIR/NAME.wav\n"
      "  --stats     print each sound's length, peak, RMS and spectral centroid\n",
      to);
}

int WriteAll(const std::string& dir) {
  std::error_code ignored;
  std::filesystem::create_directories(dir, ignored);
  for (int i = 0; i < kSoundCount; ++i) {
    const auto id = static_cast<SoundId>(i);
    const std::string path = dir + "/" + SoundName(id) + ".wav";
    if (!sfx::WriteWav(path, sfx::ToPcm16(sfx::RenderSound(id)), sfx::kSampleRate)) {
      std::fprintf(stderr, "sfxgen: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}

void PrintStats() {
  std::printf("%-20s %8s %7s %7s %12s\n", "sound", "seconds", "peak", "rms", "centroid Hz");
  for (int i = 0; i < kSoundCount; ++i) {
    const auto id = static_cast<SoundId>(i);
    const sfx::Measures m = sfx::Measure(sfx::RenderSound(id));
    std::printf("%-20s %8.3f %7.3f %7.3f %12.0f\n", SoundName(id), m.seconds, m.peak, m.rms, m.centroidHz);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string out;
  bool stats = false;
  for (int i = 1; i < argc; ++i) {
    const std::string flag = argv[i];
    if (flag == "--help" || flag == "-h") {
      PrintUsage(stdout);
      return 0;
    }
    if (flag == "--stats") {
      stats = true;
    } else if (flag == "--out" && i + 1 < argc && argv[i + 1][0] != '\0') {
      out = argv[++i];
    } else {
      std::fprintf(stderr, "sfxgen: bad argument '%s'\n", argv[i]);
      PrintUsage(stderr);
      return 1;
    }
  }
  if (out.empty() && !stats) {
    PrintUsage(stderr);
    return 1;
  }
  if (stats) PrintStats();
  return out.empty() ? 0 : WriteAll(out);
}
