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
      {"--state=yes"}};
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
