#include "shell/startup.h"

#include <cstdio>

#include "combat/flight.h"
#include "content/animation_set.h"
#include "content/enemy_list.h"
#include "content/light_definitions.h"
#include "content/map_file.h"
#include "shell/asset_table.h"
#include "shell/data_directory.h"
#include "shell/embedded_images.h"
#include "world/assets.h"

namespace {

void Report(const Runtime& runtime, const std::string& text) {
  if (runtime.verbose) std::fprintf(stderr, "%s: %s\n", runtime.programName.c_str(), text.c_str());
}

void LoadImages(Game& game, Runtime& runtime) {
  SpriteStore& sprites = runtime.sprites;
  for (int number : LoadAssetTable(sprites, kCreditsPng, kCreditsPngSize)) {
    std::string name = "(held in the program)";
    for (const AssetEntry& entry : AssetTable()) {
      if (entry.number == number) name = entry.path;
    }
    Report(runtime, "image " + std::to_string(number) + " " + name + " did not load");
  }
  if (!LoadAnimationSet(game.animations, sprites, "Data\\AnimationSet.xml")) {
    Report(runtime, "Data\\AnimationSet.xml is missing or not an AnimationSet document");
  }
  if (!LoadAssetKeyed(sprites, kDarknessSprite, "Data\\GFX\\Light\\Black.png")) {
    Report(runtime, "the darkness image Data\\GFX\\Light\\Black.png did not load");
  }
  sprites.Zoom(kDarknessSprite, kScreenWidth, kScreenHeight);
}

}  // namespace

bool StartUp(Game& game, Runtime& runtime) {
  SpriteStore& sprites = runtime.sprites;
  sprites.SetTransparentColour(0);
  game.mouse = MouseState{};
  game.mouse.source = 1;
  game.mouse.tileSize = 64;
  game.now = runtime.clock.Now();
  LoadImages(game, runtime);

  FillEnemyTypes(game.enemyTypes, sprites);
  FillWeaponTable(game.weapons);
  InitPlayer(game.player, game.weapons, sprites, game.animations);
  sprites.SetQuality(1);
  game.mouse.source = game.displayMode;
  game.toggles = Toggles{};
  SetAnimationClock(game.animations, &game.now);
  if (!LoadLightDefinitions(game.lightDefinitions, sprites, "Data\\Light.xml")) {
    Report(runtime, "Data\\Light.xml is missing or not a Lights document");
  }

  InitParticleSystem(game.particles, &game.now, &game.map.camera, kParticleTickInterval);

  const MapTargets targets{game.map, game.tiles, game.lights, game.doors, game.animations, sprites};
  game.mapLoaded = LoadMap(targets, MapBasePath(game.mapName), &game.mapError);
  if (!game.mapLoaded) return false;
  std::vector<std::string> refused;
  LoadEnemyList(game.enemies, game.enemyTypes, MapBasePath(game.mapName) + "_Enemys.txt", &refused);
  for (const std::string& line : refused) Report(runtime, game.mapName + "_Enemys.txt " + line);

  game.player.x = static_cast<float>(game.map.startX);
  game.player.y = static_cast<float>(game.map.startY);
  game.mouse.tileSize = game.map.tileSize;
  game.mouse.camera = &game.map.camera;
  game.player.flashlight = AddLight(game.lights, kFlashlightSprite, 0, 0, kFlashlightSize, kFlashlightSize,
                                    kFlashlightStartAngle);
  game.map.frontX = &game.player.frontX;
  game.map.frontY = &game.player.frontY;
  CenterCamera(game.map, game.player.x, game.player.y);
  game.blastRadius = static_cast<float>(game.map.tileSize) * kBlastRadiusTiles;
  return true;
}

void StartUpContent(Game& game, Runtime& runtime) {
  runtime.sprites.SetTransparentColour(0);
  game.now = runtime.clock.Now();
  LoadImages(game, runtime);
  runtime.sprites.SetQuality(1);
  SetAnimationClock(game.animations, &game.now);
  if (!LoadLightDefinitions(game.lightDefinitions, runtime.sprites, "Data\\Light.xml")) {
    Report(runtime, "Data\\Light.xml is missing or not a Lights document");
  }
}
