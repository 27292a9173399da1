// The cursor's world position with a camera near the ends of the 32-bit range (a
// map whose start position lies there).
#include <gtest/gtest.h>

#include "player/mouse.h"

TEST(UpdateMouse, WorldPositionIsHeldToThe32BitRange) {
  MouseState mouse;
  mouse.source = 0;
  Camera camera{INT32_MAX - 100, INT32_MIN + 5};
  mouse.camera = &camera;
  MouseReading reading;
  reading.clientX = 1000;
  reading.clientY = 700;
  UpdateMouse(mouse, reading, WindowEvent::kNone);
  EXPECT_EQ(mouse.worldX, INT32_MAX);
  EXPECT_EQ(mouse.worldY, INT32_MIN + 705);
  EXPECT_EQ(mouse.cellX, INT32_MAX / 64);
  reading.clientX = -1;  // outside the window
  reading.clientY = -1;
  camera = {INT32_MIN, INT32_MIN};
  UpdateMouse(mouse, reading, WindowEvent::kNone);
  EXPECT_EQ(mouse.worldX, INT32_MIN);
  EXPECT_EQ(mouse.cellY, INT32_MIN / 64);
}
