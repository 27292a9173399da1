// The sound cues the combat code appends where its events happen, and that
// collecting them changes nothing else.
#include "effects/sound_cues.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "combat_world.h"

namespace {

// A battlefield whose updates also collect sound cues.
struct HeardWorld : CombatWorld {
  SoundCues heard;

  HeardWorld() { cues = &heard; }
  // The names of the cues so far, and the list emptied.
  std::vector<std::string> Take() {
    std::vector<std::string> names;
    for (const SoundCue& cue : heard.list) names.push_back(SoundName(cue.id));
    heard.list.clear();
    return names;
  }
};

using Names = std::vector<std::string>;

}  // namespace

TEST(SoundCues, EveryWeaponRowIsHeardOncePerShotAtItsMuzzle) {
  struct Case {
    int row;
    const char* sound;
  };
  for (const Case& c : {Case{kPistolRow, "pistol"}, Case{kPumpGunRow, "pump_gun"},
                        Case{kAutomaticRow, "automatic"}, Case{kGrenadeLauncherRow, "grenade_launcher"}}) {
    HeardWorld w;
    w.player.weapons[0] = c.row;
    w.player.aim = 30.0f;
    w.Weapon(true);
    ASSERT_EQ(w.heard.list.size(), 1u) << c.sound;  // five pellets are one shot
    EXPECT_FLOAT_EQ(w.heard.list[0].x, w.player.x + w.player.muzzleX);
    EXPECT_FLOAT_EQ(w.heard.list[0].y, w.player.y + w.player.muzzleY);
    EXPECT_EQ(w.Take(), Names{c.sound});
  }
}

// Frame by frame: button held or not, rounds in the magazine, and what is heard.
TEST(SoundCues, TheEmptyClickSoundsOncePerPressOnAReadyEmptyWeapon) {
  HeardWorld w;
  Weapon& automatic = w.weapons[kAutomaticRow];
  struct Step {
    bool left;
    int16_t magazine;
    float now;
    Names heard;
  };
  const Step steps[] = {
      {true, 0, 2.0f, {"empty_click"}},  // pressed
      {true, 0, 2.1f, {}},               // held
      {false, 0, 2.2f, {}},
      {true, 0, 2.3f, {"empty_click"}},  // pressed again
      {false, 0, 2.4f, {}},
      {true, 5, 2.5f, {"automatic"}},  // rounds: a shot, no click
      {false, 0, 2.55f, {}},
      {true, 0, 2.56f, {}},  // pressed while the shot interval runs
  };
  for (const Step& s : steps) {
    automatic.magazine = s.magazine;
    w.now = s.now;
    w.Weapon(s.left);
    EXPECT_EQ(w.Take(), s.heard) << s.now;
  }
}

TEST(SoundCues, EnemyShotsByKind) {
  for (const auto& [row, sound] :
       {std::pair{kSoldierRow, "soldier_shot"}, std::pair{kTurretRow, "turret_shot"}}) {
    HeardWorld w;
    w.Add(row, 600, 400);  // in sight of the player at (400, 400)
    w.Enemies();
    ASSERT_EQ(w.bullets.size(), 1u);
    ASSERT_EQ(w.heard.list.size(), 1u);
    EXPECT_FLOAT_EQ(w.heard.list[0].x, w.bullets[0].x);  // at the muzzle
    EXPECT_EQ(w.Take(), Names{sound});
  }
}

TEST(SoundCues, WallImpactsByMaterialAtTheBullet) {
  const char* sounds[] = {"impact_dust", "impact_metal", "impact_electronics", "impact_vegetation"};
  for (uint8_t material : {0, 1, 2, 3, 7}) {
    HeardWorld w;
    AddWalls(w.map, {{12, 4}});
    w.map.materialGrid[GridIndex(w.map, 12, 4)] = material;
    AddBullet(w.bullets, 38, 740.0f, 300.0f, 0.0f, 30.0f, 10, 600);  // enters x 768 in its second sub-step
    w.Flight();
    if (material > 3) {
      EXPECT_TRUE(w.heard.list.empty());  // nothing shown, nothing heard
      continue;
    }
    ASSERT_EQ(w.heard.list.size(), 1u);
    EXPECT_FLOAT_EQ(w.heard.list[0].x, 780.0f);
    EXPECT_EQ(w.Take(), Names{sounds[material]}) << int{material};
  }
}

TEST(SoundCues, HitsBlastsAndBounces) {
  HeardWorld w;
  w.Add(kSoldierRow, 1000, 300);
  w.Add(kTurretRow, 1000, 600).health = 10;
  AddBullet(w.bullets, 38, 960.0f, 300.0f, 0.0f, 20.0f, 10, 600);
  AddBullet(w.bullets, 38, 960.0f, 600.0f, 0.0f, 20.0f, 10, 600);
  AddBullet(w.bullets, 38, 360.0f, 400.0f, 0.0f, 20.0f, 10, 600);  // into the player
  w.Flight();
  EXPECT_EQ(w.Take(), (Names{"body_hit", "impact_metal", "explosion", "body_hit"}));

  // A grenade thrown at a wall bounces once, then goes off when its fuse has run out.
  AddWalls(w.map, {{10, 8}});
  AddGrenade(w.grenades, w.now, 39, 600.0f, 540.0f, 0.0f, 20.0f, 125, 5.0f);
  for (int frame = 0; frame < 20; ++frame) w.Flight();
  EXPECT_EQ(w.Take(), Names{"grenade_bounce"});
  w.now += 5.1f;
  w.Flight();
  EXPECT_EQ(w.Take(), Names{"explosion"});
}

// The same fight with and without the cue list: the same bullets, health and random numbers.
TEST(SoundCues, HearingChangesNothingElse) {
  auto fight = [](bool listening) {
    HeardWorld w;
    if (!listening) w.cues = nullptr;
    w.Add(kSoldierRow, 700, 400);
    w.Add(kTurretRow, 400, 700);
    for (int frame = 0; frame < 90; ++frame) {
      w.now += 1.0f / 60.0f;
      w.Weapon(frame < 60, frame == 70);
      w.Enemies();
      w.Flight();
    }
    std::string state = std::to_string(w.rng.Random(1000000)) + " " + std::to_string(w.player.health) + " " +
                        std::to_string(w.bullets.size()) + " " + std::to_string(w.Particles());
    for (const Enemy& e : w.enemies.enemies)
      state += " " + std::to_string(e.health) + "@" + std::to_string(e.x);
    return std::make_pair(state, w.heard.list.size());
  };
  const auto heard = fight(true);
  const auto silent = fight(false);
  EXPECT_EQ(heard.first, silent.first);
  EXPECT_GT(heard.second, 10u);
  EXPECT_EQ(silent.second, 0u);
}
