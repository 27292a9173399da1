// A goal and a score: the figures of one attempt at a map, and the panel that slides
// in when the last enemy is removed ("cleared") or the player's health reaches 0
// ("down"). The figures are taken by looking at the game between the steps of a
// frame (list sizes, health, armour); only the bullets' hits are counted where they
// happen, by the flight, which increments bulletHits and reads nothing of it. Nothing
// here changes a rule, a timing or a random draw.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "render/sprites.h"

struct Game;

struct PlayTally {
  int32_t soldiersKilled = 0;
  int32_t turretsKilled = 0;
  int32_t shots = 0;        // frames in which the player's weapon fired
  int32_t bullets = 0;      // bullets and pellets the player fired
  int32_t bulletHits = 0;   // bullets that struck an enemy (counted by the flight)
  int32_t damageTaken = 0;  // health and armour lost
  int32_t grenades = 0;     // grenades thrown
};

enum class PlayOutcome : uint8_t { kPlaying, kCleared, kDown };

struct PlayResults {
  PlayTally tally;
  PlayOutcome outcome = PlayOutcome::kPlaying;
  PlayTally shown;          // the figures when the panel opened
  float startedAt = 0.0f;   // game time at the start of the attempt
  float endedAt = 0.0f;     // game time when the panel opened
  std::optional<float> bestTime;  // the map's best time, after this attempt
  bool newBest = false;
  // What the previous look saw.
  size_t bulletsSeen = 0;
  size_t grenadesSeen = 0;
  int32_t soldiersSeen = 0;
  int32_t turretsSeen = 0;
  int32_t lifeSeen = 0;     // health + armour
  bool started = false;
};

// The best clearing time of each map, in seconds. The shell keeps one for the whole
// session; a settings file can load and save it (`seconds` by map name).
struct BestTimes {
  std::map<std::string, float> seconds;

  std::optional<float> Of(const std::string& map) const;
  // Keeps `time` when it beats the map's best (or there is none); true when kept.
  bool Offer(const std::string& map, float time);
};

// Before the player's step: the lists as they are.
void LookBeforePlayer(PlayResults& results, const Game& game);
// After the player's step: what the player fired or threw.
void LookAfterPlayer(PlayResults& results, const Game& game);
// After the whole frame: kills, damage, and whether the map was cleared or the
// player went down (the panel opens once per attempt).
void LookAfterFrame(PlayResults& results, const Game& game, BestTimes& bestTimes);

// The panel, sliding in from the right over 0.4 s of game time; drawn after the
// game's frame. Nothing while playing.
void DrawResultsPanel(const PlayResults& results, float now, SpriteStore& sprites);
