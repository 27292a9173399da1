#include "shell/asset_table.h"

#include <string>

#include "render/sprites.h"
#include "world/assets.h"

namespace {

std::vector<AssetEntry> BuildTable() {
  static const char* const kHud[] = {
      "Health.png",          "Armor.png",     "MunitionBig.png",      "Munition.png",  "Pistol.png",
      "PumpGun.png",         "Automatic.png", "Granade.png",          "Granade2.png",  "TimeLine.png",
      "TimeLineBar.png",     "EnemyHealthLine.png", "EnemyHealthLineBar.png", "Reloading.png",
      "Ready.png",           "Open.png",      "Take.png",             "Korv.png",      "Korv small.png",
      "Green.png",           "Cross.png"};
  std::vector<AssetEntry> table;
  for (int i = 0; i < 21; ++i) table.push_back({1 + i, std::string("Data\\GFX\\HUD\\") + kHud[i], true});
  for (int n = 0; n <= 9; ++n) {
    table.push_back({22 + n, "Data\\GFX\\HUD\\Numbers\\" + std::to_string(n) + ".png", true});
  }
  const AssetEntry rest[] = {
      {33, "Data\\GFX\\Player\\Player Pistol.png", false},
      {34, "Data\\GFX\\Player\\Player PumpGun.png", false},
      {35, "Data\\GFX\\Player\\Player Granade.png", false},
      {36, "Data\\GFX\\Enemy\\Enemy 000.png", false},
      {37, "Data\\GFX\\Enemy\\Enemy 001.png", false},
      {38, "Data\\GFX\\Particle\\Bullet.png", false},
      {39, "Data\\GFX\\Particle\\Granade.png", false},
      {40, "Data\\GFX\\Particle\\Smoke.png", false},
      {41, "Data\\GFX\\Particle\\SmokeWithe.png", false},
      {42, "Data\\GFX\\Particle\\SmokeBlue.png", false},
      {43, "Data\\GFX\\Particle\\SmokeGreen.png", false},
      {44, "Data\\GFX\\Particle\\SmokeRed.png", false},
      {45, "Data\\GFX\\Particle\\Funk.png", false},
      {46, "Data\\GFX\\Particle\\FunkYellow.png", false},
      {47, "Data\\GFX\\Particle\\FunkBlue.png", false},
      {48, "Data\\GFX\\Particle\\Electronic.png", false},
      {49, "Data\\GFX\\Particle\\Leaf.png", false},
      {50, "Data\\GFX\\Particle\\Blood 001.png", true},
      {51, "Data\\GFX\\Particle\\Fire 001.png", false},
      {52, "Data\\GFX\\Particle\\Fire 002.png", false},
      {53, "Data\\GFX\\Particle\\SmokeBlack.png", true},
      {54, "Data\\GFX\\Item\\Pistol.png", false},
      {55, "Data\\GFX\\Item\\GranadeLuncher.png", false},
      {56, "Data\\GFX\\Item\\PumpGun.png", false},
      {57, "Data\\GFX\\Item\\Automatic.png", false},
      // The flash image 006 comes before the flashlight and 005.
      {60, "Data\\GFX\\Light\\006.png", false},
      {58, "Data\\GFX\\Light\\Flashlight.png", false},
      {59, "Data\\GFX\\Light\\005.png", false},
  };
  table.insert(table.end(), std::begin(rest), std::end(rest));
  return table;
}

}  // namespace

const std::vector<AssetEntry>& AssetTable() {
  static const std::vector<AssetEntry> table = BuildTable();
  return table;
}

std::vector<int> LoadAssetTable(SpriteStore& sprites, const void* creditsPng, unsigned long creditsSize) {
  std::vector<int> failed;
  for (const AssetEntry& entry : AssetTable()) {
    if (entry.number == 33) {  // the credits strip held in the program comes right before the bodies
      if (!(sprites.CatchSprite(kCreditsSprite, creditsPng, creditsSize, kSpriteTexture) &&
            sprites.CreateSprite3D(kCreditsSprite, kCreditsSprite))) {
        failed.push_back(kCreditsSprite);
      }
    }
    const bool ok = entry.ownAlpha ? LoadAsset(sprites, entry.number, entry.path)
                                   : LoadAssetKeyed(sprites, entry.number, entry.path);
    if (!ok) failed.push_back(entry.number);
  }
  return failed;
}
