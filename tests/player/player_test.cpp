#include <gtest/gtest.h>

#include <cmath>

#include "player/player.h"
#include "base/input.h"
#include "support/world_fixture.h"

namespace {

Keyboard Held(std::initializer_list<int> codes) {
  KeyArray keys{};
  for (int code : codes) keys[static_cast<size_t>(code)] = 1;
  Keyboard keyboard;
  keyboard.Snapshot(keys);
  return keyboard;
}

Keyboard Released(int code) {
  KeyArray keys{};
  keys[static_cast<size_t>(code)] = 1;
  Keyboard keyboard;
  keyboard.Snapshot(keys);
  keyboard.Snapshot(KeyArray{});
  return keyboard;
}

struct PlayerWorld : RecordingWorld {
  Map map = MakeMap(20, 20);
  WeaponTable weapons{};
  Animations animations;
  Player player;
  float clock = 1.0f;
  std::vector<Light> lights;

  PlayerWorld() {
    FillWeaponTable(weapons);
    PutSprite3D(sprites, 34, 96, 96);
    PutSprite3D(sprites, 35, 90, 90);
    auto legs = std::make_shared<FrameTable>();
    legs->count = 8;
    for (int frame = 0; frame <= 8; ++frame) {
      legs->frameSprites.push_back(2500 + frame);
      PutSprite3D(sprites, 2500 + frame, 96, 96);
    }
    animations.table[1] = legs;
    animations.clock = &clock;
    InitPlayer(player, weapons, sprites, animations);
    player.flashlight = AddLight(lights, kFlashlightSprite, 0, 0, 192, 192, 45);
  }
  void Aim(int worldX, int worldY) {
    MouseState mouse;
    mouse.worldX = worldX;
    mouse.worldY = worldY;
    AimPlayer(player, mouse, map);
  }
};

}  // namespace

TEST(InitPlayer, StartValuesFromTheWeaponTableAndImages) {
  PlayerWorld w;
  EXPECT_EQ(w.player.health, 100);
  EXPECT_EQ(w.player.armour, 50);
  EXPECT_EQ(w.player.weapons[0], kAutomaticRow);
  EXPECT_EQ(w.player.weapons[1], kGrenadeLauncherRow);
  EXPECT_EQ(w.player.bodySprite, 34);  // the automatic shows the pump gun's body
  EXPECT_EQ(w.player.bodyWidth, 96);
  EXPECT_EQ(w.player.bodyHalfWidth, 48);
  EXPECT_EQ(w.player.bodyQuarterWidth, 24);
  EXPECT_EQ(w.player.legs.frames, w.animations.table[1]);
  EXPECT_FLOAT_EQ(w.player.speed, 4.0f);
  const Weapon& automatic = w.weapons[kAutomaticRow];
  EXPECT_EQ(automatic.magazine, 30);
  EXPECT_EQ(automatic.reserve, 300);
  EXPECT_FLOAT_EQ(automatic.fireRate, 10.0f);
  EXPECT_EQ(w.weapons[kPumpGunRow].fireKind, 3);
  EXPECT_EQ(w.weapons[kGrenadeLauncherRow].rangeOrFuse, 5);
  EXPECT_EQ(w.weapons[0].id, 0);
  EXPECT_EQ(w.weapons[5].id, 0);
}

TEST(WalkPlayer, ProbeAheadRefusesWholeSteps) {
  PlayerWorld w;
  AddWalls(w.map, {{2, 1}});  // column 2 covers x 128-191
  w.player.x = 100.0f;
  w.player.y = 96.0f;
  WalkPlayer(w.player, w.map, Held({scan::kD}));
  EXPECT_FLOAT_EQ(w.player.x, 100.0f);  // probe 132 is in column 2
  EXPECT_FLOAT_EQ(w.player.walkCode, 1.0f);  // the legs still walk
  w.player.x = 92.0f;
  WalkPlayer(w.player, w.map, Held({scan::kD}));
  EXPECT_FLOAT_EQ(w.player.x, 96.0f);  // probe 124 is in column 1
  EXPECT_EQ(w.map.camera.x, 96 - 512);
  EXPECT_FLOAT_EQ(w.player.stepX, 0.0f);
}

TEST(WalkPlayer, KeyPrioritiesAndWalkCodes) {
  struct Case {
    std::initializer_list<int> keys;
    float walkCode, dx, dy;
  };
  const Case cases[] = {
      {{}, 0.0f, 0, 0},
      {{scan::kD}, 1.0f, 4, 0},
      {{scan::kS, scan::kD}, 1.5f, 4, 4},
      {{scan::kS}, 2.0f, 0, 4},
      {{scan::kS, scan::kA}, 2.5f, -4, 4},
      {{scan::kA}, 3.0f, -4, 0},
      {{scan::kW, scan::kA}, 3.5f, -4, -4},
      {{scan::kW}, 4.0f, 0, -4},
      {{scan::kW, scan::kD}, 0.5f, 4, -4},
      {{scan::kW, scan::kS}, 4.0f, 0, -4},  // W wins over S
      {{scan::kA, scan::kD}, 3.0f, -4, 0},  // A wins over D
  };
  for (const Case& c : cases) {
    PlayerWorld w;
    w.player.x = 320.5f;
    w.player.y = 320.0f;
    w.map.camera = {7, 7};
    WalkPlayer(w.player, w.map, Held(c.keys));
    EXPECT_FLOAT_EQ(w.player.walkCode, c.walkCode);
    EXPECT_FLOAT_EQ(w.player.x, 320.5f + c.dx);
    EXPECT_FLOAT_EQ(w.player.y, 320.0f + c.dy);
    if (c.walkCode == 0.0f) {
      EXPECT_EQ(w.map.camera.x, 7);  // no key: the camera is untouched
    } else {
      EXPECT_EQ(w.map.camera.x, static_cast<int>(std::nearbyint(w.player.x - 512)));
      EXPECT_EQ(w.map.camera.y, static_cast<int>(std::nearbyint(w.player.y - 384)));
    }
  }
}

TEST(WalkPlayer, EachAxisIsTestedOnItsOwn) {
  PlayerWorld w;
  AddWalls(w.map, {{5, 4}, {5, 5}, {5, 6}});  // a wall to the right
  w.player.x = 5 * 64 - 30.0f;
  w.player.y = 5 * 64 + 32.0f;
  WalkPlayer(w.player, w.map, Held({scan::kS, scan::kD}));
  EXPECT_FLOAT_EQ(w.player.x, 5 * 64 - 30.0f);   // refused
  EXPECT_FLOAT_EQ(w.player.y, 5 * 64 + 36.0f);   // still moves down
  // Outside the grid counts as blocked: no walking off the map's right edge.
  w.player.x = 20 * 64 + 40.0f;
  WalkPlayer(w.player, w.map, Held({scan::kD}));
  EXPECT_FLOAT_EQ(w.player.x, 20 * 64 + 40.0f);
  // Left of column 0 the probe truncates to column 0 while it is above -64.
  w.player.x = 20.0f;
  WalkPlayer(w.player, w.map, Held({scan::kA}));
  EXPECT_FLOAT_EQ(w.player.x, 16.0f);
}

TEST(AimPlayer, AnglesAroundThePlayerAndTheFrontPoint) {
  PlayerWorld w;
  w.player.x = 500.0f;
  w.player.y = 400.0f;
  w.Aim(600, 400);
  EXPECT_NEAR(w.player.aim, 0.0f, 1e-4);
  EXPECT_NEAR(w.player.frontX, 532.0f, 1e-3);
  w.Aim(500, 500);
  EXPECT_NEAR(w.player.aim, 90.0f, 1e-3);
  EXPECT_NEAR(w.player.frontY, 432.0f, 1e-3);
  w.Aim(400, 400);
  EXPECT_NEAR(w.player.aim, 180.0f, 1e-3);
  w.Aim(500, 300);
  EXPECT_NEAR(w.player.aim, -90.0f, 1e-3);
  w.Aim(400, 300);  // up-left: atan(1) + pi = 225
  EXPECT_NEAR(w.player.aim, 225.0f, 1e-3);
  w.Aim(500, 400);  // on the centre: 0/0 has no angle
  EXPECT_FLOAT_EQ(w.player.aim, 0.0f);
  EXPECT_FLOAT_EQ(w.player.frontX, 532.0f);
  EXPECT_FLOAT_EQ(w.player.frontY, 400.0f);
}

TEST(SelectWeaponSlot, OnlyWhenNotBusyAndOneWinsOverTwo) {
  PlayerWorld w;
  w.player.weaponState = kWeaponReloading;
  w.player.busyUntil = 5.0f;
  SelectWeaponSlot(w.player, w.weapons, Held({scan::k2}), 5.0f);  // not strictly past
  EXPECT_EQ(w.player.slot, 0);
  SelectWeaponSlot(w.player, w.weapons, Held({scan::k2}), 5.01f);
  EXPECT_EQ(w.player.slot, 1);
  EXPECT_EQ(w.player.bodySprite, 35);
  EXPECT_EQ(w.player.weaponState, 0);
  EXPECT_EQ(w.player.bodyWidth, 96);  // widths are not recomputed
  SelectWeaponSlot(w.player, w.weapons, Held({scan::k1, scan::k2}), 6.0f);
  EXPECT_EQ(w.player.slot, 0);
  w.player.weapons[1] = -1;  // an empty slot: the key does nothing
  SelectWeaponSlot(w.player, w.weapons, Held({scan::k2}), 7.0f);
  EXPECT_EQ(w.player.slot, 0);
}

TEST(Flashlight, PlacedAheadOfTheAimAndSwitchedByV) {
  PlayerWorld w;
  w.player.x = 1000.0f;
  w.player.y = 1000.0f;
  w.player.aim = 85.0f;  // b = 90 degrees: straight down
  PlaceFlashlight(w.player, w.lights);
  const Light& light = w.lights[0];
  EXPECT_EQ(light.x, 1000 - 96);
  EXPECT_EQ(light.y, 1000 + 100 - 96);
  EXPECT_EQ(light.angle, 85);
  SwitchFlashlight(w.player, w.lights, Released(scan::kV));
  EXPECT_EQ(w.lights[0].on, 0);
  SwitchFlashlight(w.player, w.lights, Held({scan::kV}));  // held is not released
  EXPECT_EQ(w.lights[0].on, 0);
  SwitchFlashlight(w.player, w.lights, Released(scan::kV));
  EXPECT_EQ(w.lights[0].on, 1);
  w.player.flashlight = 7;  // a handle past the list is never followed
  PlaceFlashlight(w.player, w.lights);
  SwitchFlashlight(w.player, w.lights, Released(scan::kV));
}

TEST(DrawPlayer, LegsWalkingOrStandingAndBodyTurnedToTheAim) {
  PlayerWorld w;
  w.player.x = 600.4f;
  w.player.y = 500.6f;
  w.map.camera = {100, 100};
  w.player.aim = 44.6f;
  w.player.walkCode = 3.5f;  // W and A: legs at 225 degrees
  DrawPlayer(w.player, w.map, w.animations, w.sprites);
  auto& draws = w.renderer.draws;
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].quad.sprite, 2501);  // a fresh state steps at once: frame 0 -> 1
  EXPECT_FLOAT_EQ(draws[0].quad.angle, 225.0f);
  EXPECT_EQ(draws[0].quad.x, 452);  // round(600.4 - 100 - 48)
  EXPECT_EQ(draws[0].quad.y, 353);  // round(500.6 - 100 - 48)
  EXPECT_EQ(draws[1].quad.sprite, 34);
  EXPECT_FLOAT_EQ(draws[1].quad.angle, 45.0f);
  // Standing: frame 1, keeping whatever angle its sprite was last drawn with.
  w.sprites.Rotate(2501, 135.0f, 0);
  w.player.legs.frame = 5;
  w.player.walkCode = 0.0f;
  draws.clear();
  DrawPlayer(w.player, w.map, w.animations, w.sprites);
  EXPECT_EQ(draws[0].quad.sprite, 2501);
  EXPECT_FLOAT_EQ(draws[0].quad.angle, 135.0f);
  // Walking again steps the legs on the clock, 0.05 s a frame.
  w.player.walkCode = 0.5f;
  w.clock = 1.2f;
  draws.clear();
  DrawPlayer(w.player, w.map, w.animations, w.sprites);
  EXPECT_EQ(draws[0].quad.sprite, 2506);
  EXPECT_FLOAT_EQ(draws[0].quad.angle, -45.0f);
}
