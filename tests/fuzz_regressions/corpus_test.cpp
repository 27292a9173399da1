// Every file of tests/corpus/TARGET/ (inputs the fuzzers found faults with) goes
// through the check of its fuzz target, as do the shipped content files the
// fuzzers start from: each loader keeps its promises on all of them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fuzz_checks.h"
#include "support/temp_dir.h"

// In the sanitizer build a single allocation above 256 MB aborts the test: no
// loader needs that much (the largest map holds 128 MB of cells, the largest
// image 64 MB), so an input that makes one allocate more fails here.
extern "C" const char* __asan_default_options() { return "max_allocation_size_mb=256"; }

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// The loaders find the real images when the Data tree has been assembled.
void UseBuiltImages() {
  const std::string data = BuildDir() + "/Data";
  if (fs::is_directory(data + "/GFX")) setenv("VEXMOOR_FUZZ_DATA", data.c_str(), 0);
}

size_t CheckFolder(const FuzzTarget& target, const fs::path& folder) {
  size_t checked = 0;
  if (!fs::is_directory(folder)) return 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    EXPECT_EQ(target.check(ReadBytes(entry.path())), "") << entry.path();
    ++checked;
  }
  return checked;
}

}  // namespace

TEST(FuzzRegressions, EveryCorpusFileKeepsItsLoadersPromises) {
  UseBuiltImages();
  const fs::path corpus = fs::path(SourceDir()) / "tests" / "corpus";
  size_t checked = 0;
  for (const fs::directory_entry& folder : fs::directory_iterator(corpus)) {
    if (!folder.is_directory()) continue;
    const FuzzTarget* target = FindFuzzTarget(folder.path().filename().string());
    ASSERT_NE(target, nullptr) << "no fuzz target named like " << folder.path();
    checked += CheckFolder(*target, folder.path());
  }
  EXPECT_GT(checked, 0u);
}

TEST(FuzzRegressions, ShippedContentAndSeedsPassEveryCheck) {
  UseBuiltImages();
  const fs::path source = SourceDir();
  const struct {
    const char* target;
    std::vector<fs::path> files;
  } cases[] = {
      {"animation_set", {source / "data/AnimationSet.xml"}},
      {"animation", {source / "data/Legs.xml", source / "data/DoorMetalH.xml", source / "data/DoorLabV.xml"}},
      {"light_definitions", {source / "data/Light.xml"}},
      {"map_source", {source / "data/maps/Arena.vxmap", source / "data/maps/Test.vxmap"}},
  };
  for (const auto& c : cases) {
    const FuzzTarget* target = FindFuzzTarget(c.target);
    ASSERT_NE(target, nullptr) << c.target;
    for (const fs::path& file : c.files) EXPECT_EQ(target->check(ReadBytes(file)), "") << file;
  }
  for (const char* name : {"png", "input_script"}) {
    EXPECT_GT(CheckFolder(*FindFuzzTarget(name), source / "fuzz" / "seeds" / name), 0u) << name;
  }
}

TEST(FuzzRegressions, RefusedInputsAreNoFaults) {
  // A map source that compiles must give a map the game reads back: this one does,
  // and the checks see nothing wrong; garbage is refused without complaint.
  EXPECT_EQ(CheckMapSource("map M\ntile 64\nstart cell 0 0\nlegend\n. floor \"F.png\"\nlayer 0\n..\n"), "");
  EXPECT_EQ(CheckPng("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR"), "");
  EXPECT_EQ(CheckInputScript("1 key W down\n2 jump\n"), "");
  EXPECT_EQ(CheckMapFile(std::string("\0\0\x80\x3f\r\n\0", 7)), "");  // tile size 0: refused, map untouched
}
