#include <gtest/gtest.h>

#include <vector>

#include "shell/command_line.h"

namespace {

ParseResult Parse(std::vector<const char*> args, Options& options, std::string& error) {
  args.insert(args.begin(), "vexmoor");
  return ParseCommandLine(static_cast<int>(args.size()), args.data(), options, error);
}

}  // namespace

TEST(CommandLine, EveryOptionInBothForms) {
  Options o;
  std::string error;
  ASSERT_EQ(Parse({"--map", "Test", "--fullscreen", "--data=/tmp/d", "--headless", "--frames", "30",
                   "--seed=7", "--input", "in.txt", "--screenshot", "s.png", "--state", "--verbose"},
                  o, error),
            ParseResult::kRun)
      << error;
  EXPECT_EQ(o.map, "Test");
  EXPECT_EQ(o.displayMode, 1);
  EXPECT_EQ(o.dataDir, "/tmp/d");
  EXPECT_TRUE(o.headless);
  EXPECT_EQ(*o.frames, 30u);
  EXPECT_EQ(*o.seed, 7u);
  EXPECT_EQ(o.inputScript, "in.txt");
  EXPECT_EQ(o.screenshot, "s.png");
  EXPECT_TRUE(o.state);
  EXPECT_TRUE(o.verbose);
  Options defaults;
  ASSERT_EQ(Parse({}, defaults, error), ParseResult::kRun);
  EXPECT_EQ(defaults.displayMode, 0);
  EXPECT_EQ(defaults.renderer, "auto");
  Options chosen;
  ASSERT_EQ(Parse({"--renderer", "soft", "--plot=times.png"}, chosen, error), ParseResult::kRun) << error;
  EXPECT_EQ(chosen.renderer, "soft");
  EXPECT_EQ(chosen.plot, "times.png");
  EXPECT_FALSE(defaults.frames.has_value());
}

TEST(CommandLine, HelpVersionAndUsageErrors) {
  Options o;
  std::string error;
  EXPECT_EQ(Parse({"--frames", "3", "--help"}, o, error), ParseResult::kHelp);
  EXPECT_EQ(Parse({"--version"}, o, error), ParseResult::kVersion);
  const std::vector<std::vector<const char*>> bad = {
      {"--bogus"}, {"map"}, {"--frames"}, {"--frames", "-1"}, {"--frames", "3x"}, {"--frames", ""},
      {"--seed", "99999999999999999999999"}, {"--map", ""}, {"--windowed", "--fullscreen"},
      {"--state=yes"}, {"--threads", "0"}, {"--threads", "65"}, {"--threads", "two"},
      {"--renderer", "vulkan"}, {"--renderer", ""}, {"--plot", ""}};
  for (const auto& args : bad) {
    Options fresh;
    error.clear();
    EXPECT_EQ(Parse(args, fresh, error), ParseResult::kError) << args[0];
    EXPECT_FALSE(error.empty()) << args[0];
  }
  EXPECT_NE(UsageText("vexmoor").find("--screenshot"), std::string::npos);
}

// A headless run without --frames is accepted: it ends by itself (HeadlessFrameLimit).
TEST(CommandLine, HeadlessNeedsNoFrameCount) {
  Options o;
  std::string error;
  ASSERT_EQ(Parse({"--headless", "--map", "Test"}, o, error), ParseResult::kRun) << error;
  EXPECT_TRUE(o.headless);
  EXPECT_FALSE(o.frames.has_value());
  EXPECT_NE(UsageText("vexmoor").find("60"), std::string::npos);
}

TEST(CommandLine, WindowScaleIsAWholeNumberFromOneToEight) {
  Options o;
  std::string error;
  ASSERT_EQ(Parse({"--scale", "3", "--integer-scale"}, o, error), ParseResult::kRun) << error;
  EXPECT_EQ(o.scale, 3);
  EXPECT_TRUE(o.integerScale);
  Options largest;
  ASSERT_EQ(Parse({"--scale=8"}, largest, error), ParseResult::kRun) << error;
  EXPECT_EQ(largest.scale, 8);
  EXPECT_FALSE(largest.integerScale);
  Options defaults;
  ASSERT_EQ(Parse({}, defaults, error), ParseResult::kRun);
  EXPECT_EQ(defaults.scale, 0);  // the largest that fits the desktop
  for (const char* bad : {"0", "9", "-1", "1.5", "x", ""}) {
    Options fresh;
    EXPECT_EQ(Parse({"--scale", bad}, fresh, error), ParseResult::kError) << bad;
  }
  EXPECT_EQ(Parse({"--integer-scale=yes"}, o, error), ParseResult::kError);
  const std::string usage = UsageText("vexmoor");
  EXPECT_NE(usage.find("--scale N"), std::string::npos);
  EXPECT_NE(usage.find("--integer-scale"), std::string::npos);
}

// --threads N (1 to 64; the bad values are in HelpVersionAndUsageErrors).
TEST(CommandLine, ThreadsDefaultToTheNumberOfCores) {
  Options o, defaults;
  std::string error;
  ASSERT_EQ(Parse({"--threads", "3"}, o, error), ParseResult::kRun) << error;
  EXPECT_EQ(o.threads, 3);
  ASSERT_EQ(Parse({}, defaults, error), ParseResult::kRun);
  EXPECT_EQ(defaults.threads, 0);
}
