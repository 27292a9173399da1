#include <gtest/gtest.h>

#include "player/pad_controls.h"

namespace {

constexpr uint8_t W = kPadWalkW, A = kPadWalkA, S = kPadWalkS, D = kPadWalkD;

TEST(PadControls, StickDirectionHoldsTheWalkKeysOfTheNearestOfEightDirections) {
  struct Case {
    float x, y;
    uint8_t keys;
  } const cases[] = {
      {0.0f, 0.0f, 0},        {0.24f, 0.0f, 0},     {0.17f, -0.17f, 0},  // inside the radial dead zone
      {0.26f, 0.0f, D},       {1.0f, 0.0f, D},      {0.0f, -1.0f, W},    {-1.0f, 0.0f, A},
      {0.0f, 1.0f, S},        {0.7f, -0.7f, W | D}, {-0.7f, -0.7f, W | A}, {-0.7f, 0.7f, A | S},
      {0.7f, 0.7f, S | D},    {1.0f, -0.4f, D},     {1.0f, -0.42f, W | D},  // 22.5 degrees splits D from W+D
      {-1.0f, 0.01f, A},      {-1.0f, -0.01f, A},   {0.2f, -0.98f, W},   {-0.2f, 0.98f, S},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StickWalkKeys(c.x, c.y, 0.25f), c.keys) << c.x << ", " << c.y;
  }
}

// The right stick puts the cursor on the circle; released it stays; the mouse takes
// it back when it moves. Windowed, the trigger's press waits for a frame whose
// window event is not a button of the mouse's own.
TEST(PadControls, CursorFollowsWhicheverMovedLastAndTheTriggerTakesAFreeEventSlot) {
  PadControls pad;
  const PadFrame frame{.soldierScreenX = 512.0f, .soldierScreenY = 384.0f};
  PadReading stick{.connected = true, .rightX = 0.0f, .rightY = -0.8f, .rightTrigger = 1.0f};
  KeyArray keys{};
  MouseReading mouse{.clientX = 100, .clientY = 100};
  WindowEvent event = WindowEvent::kRightDown;
  EXPECT_TRUE(ApplyPad(pad, stick, frame, keys, mouse, event));
  EXPECT_EQ(mouse.clientX, 512);
  EXPECT_EQ(mouse.clientY, 184);
  EXPECT_EQ(event, WindowEvent::kRightDown);  // the mouse's own event is kept

  const PadReading released{.connected = true, .rightTrigger = 1.0f};
  mouse = {.clientX = 512, .clientY = 184};  // the system cursor was moved there
  event = WindowEvent::kOther;
  EXPECT_FALSE(ApplyPad(pad, released, frame, keys, mouse, event));
  EXPECT_EQ(event, WindowEvent::kLeftDown);
  mouse = {.clientX = 512, .clientY = 184};
  ApplyPad(pad, released, {.soldierScreenX = 600.0f, .soldierScreenY = 384.0f}, keys, mouse, event);
  EXPECT_EQ(mouse.clientX, 512);  // stays though the soldier moved

  mouse = {.clientX = 300, .clientY = 200};
  event = WindowEvent::kNone;
  ApplyPad(pad, PadReading{}, frame, keys, mouse, event);  // the mouse moved, the controller was pulled
  EXPECT_EQ(mouse.clientX, 300);
  EXPECT_EQ(event, WindowEvent::kLeftUp);
}

}  // namespace
