#include "editor/source_lines.h"

#include <gtest/gtest.h>

namespace {

using editor::LightLook;
using editor::SizeAxis;

// A light line rewritten to a new look keeps its other words, its comment and its
// line end; "at" corners move so the centre stays.
TEST(SourceLines, RewriteLightLine) {
  struct Case {
    const char* line;
    LightLook before, after;
    const char* expected;
  };
  const Case cases[] = {
      {"light Warm cell 4 7", {256, 256, 0, 1}, {256, 256, 15, 1}, "light Warm cell 4 7 angle 15"},
      {"light Spot cell 4 7 angle 350  ; lamp\r", {256, 256, 350, 1}, {256, 256, 5, 1},
       "light Spot cell 4 7 angle 5  ; lamp\r"},
      {"light id 3 at 100 100 size 64 32 off", {64, 32, 0, 0}, {80, 40, 0, 0}, "light id 3 at 92 96 size 80 40 off"},
      {"light Wide at 0 0", {512, 512, 0, 1}, {640, 640, 0, 1}, "light Wide at -64 -64 size 640"},
      {"light Warm cell 1 1 off", {256, 256, 0, 0}, {256, 256, 0, 1}, "light Warm cell 1 1"},
      {"light Strip center 300 200 on 5 angle 90", {256, 64, 90, 5}, {256, 64, 90, 0},
       "light Strip center 300 200 off angle 90"},
      {"light Red cell 2 2", {256, 256, 0, 1}, {205, 205, 0, 0}, "light Red cell 2 2 size 205 off"},
      {"  light sprite 2004 cell 1 2 size 100 ; x", {100, 100, 0, 1}, {100, 100, 30, 1},
       "  light sprite 2004 cell 1 2 size 100 angle 30 ; x"},
  };
  for (const Case& c : cases) {
    std::string out;
    ASSERT_TRUE(editor::RewriteLightLine(c.line, c.before, c.after, out)) << c.line;
    EXPECT_EQ(out, c.expected) << c.line;
  }
  std::string out;
  EXPECT_FALSE(editor::RewriteLightLine("door MetalV 3 3", {}, {}, out));
}

TEST(SourceLines, TurnAngleWraps) {
  const int cases[][3] = {{0, 15, 15}, {350, 15, 5}, {0, -15, 345}, {10, -735, 355}, {-90, 0, 270}};
  for (const auto& c : cases) EXPECT_EQ(editor::TurnAngle(c[0], c[1]), c[2]) << c[0] << " " << c[1];
}

// 5/4 a step, the ratio kept or one side alone, refused past the limits.
TEST(SourceLines, ResizeLight) {
  struct Case {
    int width, height, steps;
    SizeAxis axis;
    bool changed;
    int newWidth, newHeight;
  };
  const Case cases[] = {
      {256, 256, 1, SizeAxis::Both, true, 320, 320},  {256, 64, 2, SizeAxis::Both, true, 400, 100},
      {400, 100, -2, SizeAxis::Both, true, 256, 64},  {256, 64, -1, SizeAxis::Both, true, 205, 51},
      {256, 64, 1, SizeAxis::Width, true, 320, 64},   {256, 64, -1, SizeAxis::Height, true, 256, 51},
      {20, 20, -1, SizeAxis::Both, true, 16, 16},     {16, 64, -1, SizeAxis::Both, false, 16, 64},
      {4096, 100, 1, SizeAxis::Both, false, 4096, 100}, {0, 10, 1, SizeAxis::Both, false, 0, 10},
      {256, 64, 1000000, SizeAxis::Width, false, 256, 64}, {256, 64, -1000000, SizeAxis::Both, false, 256, 64},
  };
  for (const Case& c : cases) {
    LightLook look{c.width, c.height, 0, 1};
    EXPECT_EQ(editor::ResizeLight(look, c.steps, c.axis), c.changed) << c.width << "x" << c.height << " " << c.steps;
    EXPECT_EQ(look.width, c.newWidth);
    EXPECT_EQ(look.height, c.newHeight);
  }
}

TEST(SourceLines, MovePlacementLine) {
  const char* cases[][2] = {
      {"light Warm cell 4 7 angle 15", "light Warm cell 6 6 angle 15"},
      {"light id 3 at 100 100 size 64", "light id 3 at 228 36 size 64"},
      {"door MetalV 3 3 ; east", "door MetalV 5 2 ; east"},
      {"door LabH cell 3 3", "door LabH cell 5 2"},
      {"enemy 2 at 10 20\r", "enemy 2 at 138 -44\r"},
      {"soldier cell 1 1", "soldier cell 3 0"},
  };
  for (const auto& c : cases) {
    std::string out;
    ASSERT_TRUE(editor::MovePlacementLine(c[0], 2, -1, 64, out)) << c[0];
    EXPECT_EQ(out, c[1]);
  }
  std::string out;
  EXPECT_FALSE(editor::MovePlacementLine("start at 94 94", 1, 1, 64, out));
}

}  // namespace
