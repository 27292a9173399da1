#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "hud/hud.h"
#include "support/world_fixture.h"

namespace {

// One draw as the tests compare it.
struct Call {
  int sprite, x, y, width, height, alpha = 255;
  bool operator==(const Call&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Call& c) {
  return out << "{" << c.sprite << " at " << c.x << "," << c.y << " " << c.width << "x" << c.height << " a"
             << c.alpha << "}";
}

// The HUD's images at the sizes the game ships them.
struct HudWorld : RecordingWorld {
  Map map = MakeMap(40, 40);
  MouseState mouse;
  Player player;
  WeaponTable weapons{};
  float now = 10.0f;

  HudWorld() {
    FillWeaponTable(weapons);
    player.weapons = {kAutomaticRow, -1};
    player.busyUntil = 9.0f;
    map.camera = {100, 50};
    const std::vector<std::array<int, 3>> images = {
        {1, 80, 64},   {2, 64, 48},   {3, 64, 48},   {4, 6, 16},     {5, 100, 48}, {6, 128, 48},
        {7, 128, 48},  {8, 128, 48},  {10, 256, 16}, {11, 16, 16},   {12, 64, 8},  {13, 64, 8},
        {14, 128, 24}, {15, 72, 24},  {16, 48, 48},  {19, 128, 128}, {21, 32, 32}, {32, 512, 20}};
    for (const auto& [number, width, height] : images) PutSprite3D(sprites, number, width, height);
    for (int digit = 0; digit <= 9; ++digit) PutSprite3D(sprites, kDigitSprite + digit, 28, 40);
  }

  std::vector<Call> Draw(uint8_t displayMode = 0, const Enemy* enemy = nullptr) {
    renderer.draws.clear();
    const HudView view{displayMode, mouse, enemy, map, player, CurrentWeapon(player, weapons), now};
    DrawHud(view, sprites);
    std::vector<Call> calls;
    for (const RecordedDraw& d : renderer.draws) {
      calls.push_back({d.quad.sprite, d.quad.x, d.quad.y, d.quad.width, d.quad.height, d.quad.alpha});
    }
    return calls;
  }
};

// One expected draw, or none.
std::vector<Call> Drawn(bool shown, Call call) { return shown ? std::vector<Call>{call} : std::vector<Call>{}; }

std::vector<Call> Only(const std::vector<Call>& calls, int sprite) {
  std::vector<Call> found;
  for (const Call& c : calls) {
    if (c.sprite == sprite) found.push_back(c);
  }
  return found;
}

// The digits drawn at one spot of the y = 24 line, read back as text.
std::string NumberAt(const std::vector<Call>& calls, int x) {
  std::string text;
  for (const Call& c : calls) {
    if (c.y == 24 && c.sprite >= kDigitSprite && c.sprite <= kDigitSprite + 9 &&
        c.x == x + 32 * static_cast<int>(text.size())) {
      text += static_cast<char>('0' + c.sprite - kDigitSprite);
    }
  }
  return text;
}

Enemy MakeEnemy(float x, float y, int16_t width, int16_t health) {
  Enemy enemy;
  enemy.x = x;
  enemy.y = y;
  enemy.width = width;
  enemy.halfWidth = static_cast<int16_t>(width / 2);
  enemy.health = health;
  return enemy;
}

}  // namespace

TEST(DrawHud, WholeFrameInItsOrderDuringAReload) {
  HudWorld w;
  w.mouse.screenX = 400;
  w.mouse.screenY = 300;
  w.map.prompt = 1;
  w.player.frontX = 700.2f;
  w.player.frontY = 480.7f;
  w.player.weaponState = kWeaponReloading;
  w.player.reloadStart = 9.0f;
  w.player.busyUntil = 11.5f;
  w.now = 10.25f;  // half-way
  w.weapons[kAutomaticRow].magazine = 3;
  const Enemy enemy = MakeEnemy(612.6f, 436.5f, 48, 50);  // bar top 354.5 rounds to even
  const std::vector<Call> expected = {
      {21, 384, 284, 32, 32},                                           // crosshair
      {13, 489, 354, 24, 8},   {12, 489, 354, 48, 8},                   // enemy health line
      {16, 576, 407, 48, 48},                                           // door prompt
      {1, 20, 0, 80, 64},      {23, 110, 24, 28, 40}, {22, 142, 24, 28, 40}, {22, 174, 24, 28, 40},
      {2, 280, 16, 64, 48},    {22, 350, 24, 28, 40}, {27, 382, 24, 28, 40}, {22, 414, 24, 28, 40},
      {7, 872, 20, 128, 48},   {3, 580, 16, 64, 48},                    // no ready sign: reloading
      {25, 650, 24, 28, 40},   {22, 682, 24, 28, 40}, {22, 714, 24, 28, 40},
      {4, 988, 80, 6, 16},     {4, 980, 80, 6, 16},   {4, 972, 80, 6, 16},
      {11, 384, 468, 128, 16}, {10, 384, 468, 256, 16}, {14, 448, 490, 128, 24},
      {19, 860, 600, 128, 128}, {32, 256, 700, 512, 20, 180}};
  EXPECT_EQ(w.Draw(1, &enemy), expected);
  // Normal blending stays in force: the HUD does not change it.
  EXPECT_EQ(w.sprites.blendSource(), kBlendSrcAlpha);
  EXPECT_EQ(w.sprites.blendDestination(), kBlendInvSrcAlpha);
}

TEST(DrawHud, NumbersInThreeDigitAndPlainForms) {
  struct Row {
    int16_t health, armour;
    int32_t reserve;
    const char *healthText, *armourText, *reserveText;
  };
  for (const Row& row : {Row{100, 50, 300, "100", "050", "300"}, Row{5, 0, 5, "005", "000", "5"},
                         Row{1234, 999, 0, "123", "999", "0"}, Row{-5, 12, 40, "005", "012", "40"}}) {
    HudWorld w;
    w.player.health = row.health;
    w.player.armour = row.armour;
    w.weapons[kAutomaticRow].reserve = row.reserve;
    const std::vector<Call> calls = w.Draw();
    EXPECT_EQ(NumberAt(calls, 110), row.healthText) << row.health;
    EXPECT_EQ(NumberAt(calls, 350), row.armourText) << row.armour;
    EXPECT_EQ(NumberAt(calls, 650), row.reserveText) << row.reserve;
  }
  EXPECT_EQ(ThreeDigits(-1234), "-12");
  RecordingWorld w;
  for (int digit = 0; digit <= 9; ++digit) PutSprite3D(w.sprites, kDigitSprite + digit, 20, 40);
  DrawNumber(w.sprites, "7x", -10, 5);
  ASSERT_EQ(w.renderer.draws.size(), 2u);
  EXPECT_EQ(w.renderer.draws[1].quad.sprite, kDigitSprite);  // not a digit: 0
  EXPECT_EQ(w.renderer.draws[1].quad.x, 22);                 // 32 px apart whatever the image width
}

TEST(DrawHud, MagazineRowAndRightAlignedWeaponIcon) {
  for (int16_t magazine : {30, 1, 0}) {
    HudWorld w;
    w.weapons[kAutomaticRow].magazine = magazine;
    const std::vector<Call> cartridges = Only(w.Draw(), 4);
    ASSERT_EQ(cartridges.size(), static_cast<size_t>(magazine));
    for (int i = 1; i <= magazine; ++i) EXPECT_EQ(cartridges[i - 1], (Call{4, 996 - 8 * i, 80, 6, 16}));
  }
  HudWorld w;
  EXPECT_EQ(Only(w.Draw(), 7), (std::vector<Call>{{7, 872, 20, 128, 48}}));
  w.player.weapons[0] = kPistolRow;  // a 100 px icon
  EXPECT_EQ(Only(w.Draw(), 5), (std::vector<Call>{{5, 900, 20, 100, 48}}));
}

TEST(DrawHud, WithoutAWeaponTheWeaponStepsAreSkippedWhole) {
  HudWorld w;
  w.player.weapons = {-1, kAutomaticRow};  // current slot 0 is empty
  w.player.weaponState = kWeaponReloading;
  w.player.reloadStart = 9.0f;
  w.player.busyUntil = 11.0f;
  const std::vector<Call> calls = w.Draw();
  for (int sprite : {3, 4, 5, 6, 7, 8, 10, 11, 14}) EXPECT_TRUE(Only(calls, sprite).empty()) << sprite;
  EXPECT_EQ(NumberAt(calls, 650), "");
  ASSERT_EQ(calls.size(), 10u);  // health and armour with their digits, emblem, credits strip
  EXPECT_EQ(calls[8].sprite, 19);
  EXPECT_EQ(calls[9], (Call{32, 256, 700, 512, 20, 180}));
}

TEST(DrawHud, ReadySignOnlyOnceTheWeaponMayFire) {
  for (const auto& [busyUntil, shown] : {std::pair{9.9f, true}, {10.0f, false}, {10.1f, false}}) {
    HudWorld w;
    w.player.busyUntil = busyUntil;
    EXPECT_EQ(Only(w.Draw(), 15), Drawn(shown, {15, 500, 32, 72, 24}))
        << busyUntil;
  }
}

TEST(DrawHud, ReloadBarGrowsOverTheReloadTime) {
  struct Row {
    float start, end, now;
    int width;  // 0: the bar draws nothing
  };
  for (const Row& row : {Row{9.0f, 11.0f, 9.0f, 0}, Row{9.0f, 11.0f, 10.0f, 128}, Row{9.0f, 11.0f, 9.01171875f, 2},
                         Row{9.0f, 11.0f, 11.0f, 256}, Row{10.0f, 10.0f, 10.0f, 256},  // takes no time: full
                         Row{9.0f, 11.0f, 12.0f, 256}}) {                           // never past its frame
    HudWorld w;
    w.player.weaponState = kWeaponReloading;
    w.player.reloadStart = row.start;
    w.player.busyUntil = row.end;
    w.now = row.now;
    const std::vector<Call> calls = w.Draw();
    const std::vector<Call> bar = Only(calls, 11);
    EXPECT_EQ(bar, Drawn(row.width != 0, {11, 384, 468, row.width, 16}))
        << row.now;
    EXPECT_EQ(Only(calls, 10).size(), 1u);
    EXPECT_EQ(Only(calls, 14).size(), 1u);
  }
  HudWorld ready;
  const std::vector<Call> calls = ready.Draw();
  for (int sprite : {10, 11, 14}) EXPECT_TRUE(Only(calls, sprite).empty()) << sprite;
}

TEST(DrawHud, EnemyHealthLineOverTheHoveredEnemy) {
  struct Row {
    int16_t width, health;
    int barWidth;  // 0: the bar draws nothing
  };
  for (const Row& row : {Row{48, 50, 24}, Row{48, 1, 0}, Row{48, 100, 48}, Row{96, 33, 31}}) {
    HudWorld w;
    const Enemy enemy = MakeEnemy(500.0f, 400.0f, row.width, row.health);
    const std::vector<Call> calls = w.Draw(0, &enemy);
    const int x = 500 - row.width / 2 - 100;
    const int y = 400 - row.width / 2 - 50 - 8;
    EXPECT_EQ(Only(calls, 13), Drawn(row.barWidth != 0, {13, x, y, row.barWidth, 8}));
    EXPECT_EQ(Only(calls, 12), (std::vector<Call>{{12, x, y, row.width, 8}}));
  }
  HudWorld w;
  const std::vector<Call> calls = w.Draw();
  EXPECT_TRUE(Only(calls, 12).empty());
  EXPECT_TRUE(Only(calls, 13).empty());
}

TEST(DrawHud, CrosshairInFullScreenAndDoorPromptOnRequest) {
  HudWorld w;
  w.mouse.screenX = 10;
  w.mouse.screenY = 700;
  EXPECT_EQ(Only(w.Draw(1), 21), (std::vector<Call>{{21, -6, 684, 32, 32}}));
  EXPECT_TRUE(Only(w.Draw(0), 21).empty());
  w.player.frontX = 324.5f;  // 200.5 and 302.5 round to even
  w.player.frontY = 376.5f;
  EXPECT_TRUE(Only(w.Draw(), 16).empty());
  w.map.prompt = 1;
  EXPECT_EQ(Only(w.Draw(), 16), (std::vector<Call>{{16, 200, 302, 48, 48}}));
}

TEST(HoveredEnemy, IndexIntoTheListOrNone) {
  EnemyList list;
  list.enemies.resize(2);
  EXPECT_EQ(HoveredEnemy(list), nullptr);
  list.hoveredEnemy = 1;
  EXPECT_EQ(HoveredEnemy(list), &list.enemies[1]);
  list.hoveredEnemy = 2;
  EXPECT_EQ(HoveredEnemy(list), nullptr);
}
