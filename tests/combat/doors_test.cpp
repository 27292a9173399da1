#include <gtest/gtest.h>

#include "combat/doors.h"
#include "base/input.h"
#include "support/world_fixture.h"

namespace {

struct DoorWorld : RecordingWorld {
  Map map = MakeMap(20, 20);
  float clock = 1.0f;
  Animations animations;
  std::vector<Door> doors;
  Keyboard keyboard;
  float frontX = 0.0f;
  float frontY = 0.0f;

  DoorWorld() {
    animations.clock = &clock;
    auto table = std::make_shared<FrameTable>();
    table->count = 18;
    for (int frame = 0; frame <= 18; ++frame) {
      table->frameSprites.push_back(2500 + frame);
      PutSprite3D(sprites, 2500 + frame);
    }
    animations.table[2] = table;
    map.frontX = &frontX;
    map.frontY = &frontY;
    PlaceDoor(doors, map, animations, 2, 3, 2);
  }
  // One frame of the door walk; `e` releases E in this frame.
  void Frame(bool e = false) {
    KeyArray keys{};
    if (e) {
      keys[scan::kE] = 1;
      keyboard.Snapshot(keys);
      keys[scan::kE] = 0;
    }
    keyboard.Snapshot(keys);
    renderer.draws.clear();
    ComputeVisibleRange(map, 12, 12);
    UpdateDoors(doors, map, animations, sprites, keyboard);
    clock += 0.1001f;
  }
  void FaceDoor() {
    frontX = 3 * 64 + 10.0f;
    frontY = 2 * 64 + 40.0f;
  }
};

}  // namespace

TEST(PlaceDoor, ClosedAndBlockingWhateverTheCellsSay) {
  DoorWorld w;
  ASSERT_EQ(w.doors.size(), 1u);
  const Door& door = w.doors[0];
  EXPECT_EQ(door.state, kDoorClosed);
  EXPECT_EQ(door.x, 192);
  EXPECT_EQ(door.y, 128);
  EXPECT_EQ(door.animation.frame, 0);
  EXPECT_TRUE(IsWalkBlocked(w.map, 3, 2));
  EXPECT_TRUE(IsShotBlocked(w.map, 3, 2));
  PlaceDoor(w.doors, w.map, w.animations, 2, 21, 0);  // outside the map: no door
  PlaceDoor(w.doors, w.map, w.animations, -5, 0, 0);  // no animation: placed, draws nothing
  EXPECT_EQ(w.doors.size(), 2u);
}

TEST(UpdateDoors, FullOpenAndCloseCycle) {
  DoorWorld w;
  w.FaceDoor();
  w.Frame();
  ASSERT_EQ(w.renderer.draws.size(), 1u);
  EXPECT_EQ(w.renderer.draws[0].quad.sprite, 2500);  // closed shows frame 0
  EXPECT_EQ(w.map.prompt, 1);
  w.Frame(true);  // E: opening starts; nothing moves until the next frame
  EXPECT_EQ(w.doors[0].state, kDoorOpening);
  for (int frame = 1; frame <= 9; ++frame) {
    w.Frame();
    EXPECT_EQ(w.doors[0].animation.frame, frame);
    EXPECT_EQ(w.renderer.draws[0].quad.sprite, 2500 + frame);
    EXPECT_EQ(IsWalkBlocked(w.map, 3, 2), frame < 9) << frame;
  }
  EXPECT_EQ(w.doors[0].state, kDoorOpen);
  EXPECT_FALSE(IsShotBlocked(w.map, 3, 2));
  w.Frame();
  EXPECT_EQ(w.renderer.draws[0].quad.sprite, 2509);  // open shows frame 9
  w.Frame(true);
  EXPECT_EQ(w.doors[0].state, kDoorClosing);
  for (int frame = 10; frame <= 18; ++frame) {
    w.Frame();
    EXPECT_EQ(w.renderer.draws[0].quad.sprite, 2500 + frame);
    EXPECT_EQ(IsShotBlocked(w.map, 3, 2), frame == 18) << frame;
  }
  EXPECT_EQ(w.doors[0].state, kDoorClosed);
  EXPECT_EQ(w.doors[0].animation.frame, 0);
  EXPECT_TRUE(IsWalkBlocked(w.map, 3, 2));
}

TEST(UpdateDoors, EIsIgnoredWhileMovingAndOnTheCellEdge) {
  DoorWorld w;
  w.frontX = 3 * 64.0f;  // exactly on the left edge: not inside
  w.frontY = 2 * 64 + 10.0f;
  w.Frame(true);
  EXPECT_EQ(w.map.prompt, 0);
  EXPECT_EQ(w.doors[0].state, kDoorClosed);
  w.FaceDoor();
  w.Frame(true);
  w.Frame();
  w.Frame(true);  // opening: E changes nothing, the prompt still shows
  EXPECT_EQ(w.doors[0].state, kDoorOpening);
  EXPECT_EQ(w.map.prompt, 1);
}

TEST(UpdateDoors, DoorsOutOfViewAreFrozenAndNotDrawn) {
  DoorWorld w;
  w.FaceDoor();
  w.Frame(true);
  w.Frame();
  EXPECT_EQ(w.doors[0].animation.frame, 1);
  w.map.camera = {64 * 10, 0};  // the door's column 3 is left of the window
  for (int i = 0; i < 20; ++i) w.Frame(true);
  EXPECT_TRUE(w.renderer.draws.empty());
  EXPECT_EQ(w.doors[0].animation.frame, 1);
  EXPECT_EQ(w.doors[0].state, kDoorOpening);
  w.map.camera = {0, 0};
  w.Frame();
  EXPECT_EQ(w.doors[0].animation.frame, 2);  // one step after a long pause
}
