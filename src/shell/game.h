// The one record that holds the whole game: launcher results, clock, toggles, the
// input records, the player, the map and every table and list. Subsystems get only
// the parts they need; the shell owns this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "combat/doors.h"
#include "combat/enemies.h"
#include "combat/path_finding.h"
#include "combat/projectiles.h"
#include "combat/weapons.h"
#include "content/tile_set.h"
#include "effects/lighting.h"
#include "effects/particles.h"
#include "player/mouse.h"
#include "player/player.h"
#include "base/input.h"
#include "platform/window.h"
#include "shell/pause.h"
#include "shell/results.h"
#include "shell/shell_actions.h"
#include "world/animation.h"
#include "world/map.h"

struct Toggles {
  uint8_t lightingOn = 1;      // F9: lights and darkness
  uint8_t filteringOn = 1;     // F10: bilinear filtering of 3D sprites
  uint8_t debugOverlayOn = 0;  // F11: the debug panel and text
};

// The frames-per-second figure of the debug overlay.
struct FpsCounter {
  int32_t fpsFrames = 0;
  float fpsNow = 0.0f;
  float fpsMark = 0.0f;
  int16_t fpsShown = 0;
};

// Records inside refer to one another (the mouse to the camera, the map to the
// player's front point, the animations to the clock), so a Game never moves.
struct Game {
  Game() = default;
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  // Launcher results.
  uint8_t displayMode = 0;  // 0 windowed, 1 full screen
  std::string mapName;

  float now = 0.0f;            // seconds, set once per frame
  int32_t quitRequested = 0;
  WindowEvent frameEvent = WindowEvent::kNone;
  uint64_t frame = 0;          // frames run so far
  Toggles toggles;
  FpsCounter fps;

  MouseState mouse;
  Keyboard keyboard;
  Player player;
  WeaponTable weapons{};

  Map map;
  Animations animations;
  std::vector<TileDef> tiles;
  std::vector<int32_t> lightDefinitions;
  std::vector<Light> lights;
  std::vector<TimedLight> timedLights;
  std::vector<Door> doors;
  ParticleSystem particles;
  BulletList bullets;
  GrenadeList grenades;
  EnemyTypeTable enemyTypes{};
  EnemyList enemies;
  PathFinder pathFinder;
  float blastRadius = 0.0f;  // tile size x 3, set once the map is loaded

  bool mapLoaded = false;
  std::string mapError;  // why the map could not be loaded

  // Pause, restart and results (beside the game: they read it, never change it).
  ShellActions actions;    // this frame's requests to the shell
  ShellKeys shellKeys;
  PauseScreen pauseScreen;
  PlayResults results;
};
