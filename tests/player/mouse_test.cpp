#include <gtest/gtest.h>

#include "player/mouse.h"

TEST(UpdateMouse, WindowedButtonsComeFromEventsAndAClickLastsOneFrame) {
  MouseState mouse;
  mouse.source = 0;
  Camera camera{1000, 2000};
  mouse.camera = &camera;
  MouseReading reading;
  reading.clientX = 100;
  reading.clientY = 50;
  reading.deviceLeft = true;  // the device is not read in windowed mode
  UpdateMouse(mouse, reading, WindowEvent::kNone);
  EXPECT_EQ(mouse.leftDown, 0);
  EXPECT_EQ(mouse.worldX, 1100);
  EXPECT_EQ(mouse.worldY, 2050);
  EXPECT_EQ(mouse.cellX, 17);
  EXPECT_EQ(mouse.cellY, 32);
  UpdateMouse(mouse, reading, WindowEvent::kLeftDown);
  EXPECT_EQ(mouse.leftDown, 1);
  EXPECT_EQ(mouse.leftClick, 0);
  UpdateMouse(mouse, reading, WindowEvent::kOther);  // other events leave the buttons
  EXPECT_EQ(mouse.leftDown, 1);
  EXPECT_EQ(mouse.leftClick, 0);
  UpdateMouse(mouse, reading, WindowEvent::kLeftUp);
  EXPECT_EQ(mouse.leftDown, 0);
  EXPECT_EQ(mouse.leftClick, 1);
  UpdateMouse(mouse, reading, WindowEvent::kNone);
  EXPECT_EQ(mouse.leftClick, 0);
  EXPECT_EQ(mouse.leftLatch, 0);
  UpdateMouse(mouse, reading, WindowEvent::kRightDown);
  UpdateMouse(mouse, reading, WindowEvent::kRightUp);
  EXPECT_EQ(mouse.rightClick, 1);
  EXPECT_EQ(mouse.leftClick, 0);
  reading.clientX = -1;
  reading.clientY = -1;
  UpdateMouse(mouse, reading, WindowEvent::kNone);
  EXPECT_EQ(mouse.worldX, 999);
}

TEST(UpdateMouse, AButtonLetGoDuringAPauseIsNotHeldAfterIt) {
  MouseState mouse;
  mouse.source = 0;
  MouseReading reading;
  UpdateMouse(mouse, reading, WindowEvent::kLeftDown);
  UpdateMouse(mouse, reading, WindowEvent::kRightDown);
  FollowMouseButtons(mouse, WindowEvent::kLeftUp);  // paused frames
  FollowMouseButtons(mouse, WindowEvent::kNone);
  UpdateMouse(mouse, reading, WindowEvent::kNone);  // play again
  EXPECT_EQ(mouse.leftDown, 0);
  EXPECT_EQ(mouse.leftClick, 0);  // the release belongs to the pause
  EXPECT_EQ(mouse.rightDown, 1);
  // Pressed during the pause and still held: held when play resumes.
  FollowMouseButtons(mouse, WindowEvent::kLeftDown);
  UpdateMouse(mouse, reading, WindowEvent::kNone);
  EXPECT_EQ(mouse.leftDown, 1);
  // The device is read afresh each frame: events leave it alone.
  MouseState device;
  FollowMouseButtons(device, WindowEvent::kLeftDown);
  EXPECT_EQ(device.leftDown, 0);
}

TEST(UpdateMouse, DeviceSourceAndNoCamera) {
  MouseState mouse;  // source 1, no camera yet: world stays 0
  MouseReading reading;
  reading.deviceX = 300;
  reading.deviceY = 200;
  reading.deviceLeft = true;
  UpdateMouse(mouse, reading, WindowEvent::kLeftUp);  // events are not read from the device
  EXPECT_EQ(mouse.screenX, 300);
  EXPECT_EQ(mouse.leftDown, 1);
  EXPECT_EQ(mouse.worldX, 0);
  reading.deviceLeft = false;
  UpdateMouse(mouse, reading, WindowEvent::kNone);
  EXPECT_EQ(mouse.leftClick, 1);
  Camera camera{-70, 0};
  mouse.camera = &camera;
  mouse.tileSize = 0;  // no tile size: no division
  UpdateMouse(mouse, reading, WindowEvent::kNone);
  EXPECT_EQ(mouse.worldX, 230);
  mouse.tileSize = 64;
  reading.deviceX = 10;
  UpdateMouse(mouse, reading, WindowEvent::kNone);
  EXPECT_EQ(mouse.cellX, 0);  // -60 / 64 truncates to 0
}

TEST(MouseInRect, HalfOpenOnWorldCoordinates) {
  MouseState mouse;
  mouse.worldX = 10;
  mouse.worldY = 20;
  EXPECT_EQ(MouseInRect(mouse, 10, 20, 11, 21), 1);
  EXPECT_EQ(MouseInRect(mouse, 0, 0, 10, 30), 0);
  EXPECT_EQ(MouseInRect(mouse, 0, 0, 30, 20), 0);
}
