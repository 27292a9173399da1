#include "shell/results.h"

#include <algorithm>
#include <cstdio>

#include "shell/game.h"
#include "shell/pause.h"

namespace {

constexpr int kPanelWidth = 300;
constexpr int kPanelHeight = 220;
constexpr int kPanelY = 120;
constexpr float kSlideSeconds = 0.4f;
// The first line ("cleared" or "down") in a larger pen than the figures under it.
constexpr TextStyle kHeadingStyle{23, true, false};
constexpr int kHeadingStep = 40;  // from the heading's top to the first figure's
constexpr int kLineStep = 22;

void CountKinds(const Game& game, int32_t& soldiers, int32_t& turrets) {
  soldiers = 0;
  turrets = 0;
  for (const Enemy& e : game.enemies.enemies) {
    if (e.kind == kEnemyWalker) ++soldiers;
    if (e.kind == kEnemyTurret) ++turrets;
  }
}

int32_t Life(const Game& game) { return game.player.health + game.player.armour; }

std::string Seconds(float t) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f s", static_cast<double>(t));
  return text;
}

}  // namespace

std::optional<float> BestTimes::Of(const std::string& map) const {
  const auto it = seconds.find(map);
  if (it == seconds.end()) return std::nullopt;
  return it->second;
}

bool BestTimes::Offer(const std::string& map, float time) {
  const auto it = seconds.find(map);
  if (it != seconds.end() && it->second <= time) return false;
  seconds[map] = time;
  return true;
}

void LookBeforePlayer(PlayResults& results, const Game& game) {
  if (!results.started) {
    results.started = true;
    results.startedAt = game.now;
    CountKinds(game, results.soldiersSeen, results.turretsSeen);
    results.lifeSeen = Life(game);
  }
  results.bulletsSeen = game.bullets.size();
  results.grenadesSeen = game.grenades.size();
}

void LookAfterPlayer(PlayResults& results, const Game& game) {
  // Only the player's weapon adds to the lists during the player's step.
  const size_t bullets = game.bullets.size();
  const size_t grenades = game.grenades.size();
  PlayTally& t = results.tally;
  if (bullets > results.bulletsSeen || grenades > results.grenadesSeen) ++t.shots;
  if (bullets > results.bulletsSeen) t.bullets += static_cast<int32_t>(bullets - results.bulletsSeen);
  if (grenades > results.grenadesSeen) t.grenades += static_cast<int32_t>(grenades - results.grenadesSeen);
}

void LookAfterFrame(PlayResults& results, const Game& game, BestTimes& bestTimes) {
  if (!results.started) return;
  PlayTally& t = results.tally;
  int32_t soldiers = 0;
  int32_t turrets = 0;
  CountKinds(game, soldiers, turrets);
  t.soldiersKilled += std::max(0, results.soldiersSeen - soldiers);
  t.turretsKilled += std::max(0, results.turretsSeen - turrets);
  const bool lastRemoved = results.soldiersSeen + results.turretsSeen > 0 && game.enemies.enemies.empty();
  results.soldiersSeen = soldiers;
  results.turretsSeen = turrets;
  const int32_t life = Life(game);
  t.damageTaken += std::max(0, results.lifeSeen - life);
  const bool wentDown = results.lifeSeen > 0 && game.player.health <= 0;
  results.lifeSeen = life;
  if (results.outcome != PlayOutcome::kPlaying || (!lastRemoved && !wentDown)) return;
  results.outcome = wentDown ? PlayOutcome::kDown : PlayOutcome::kCleared;
  results.endedAt = game.now;
  results.shown = t;
  if (results.outcome == PlayOutcome::kCleared) {
    results.newBest = bestTimes.Offer(game.mapName, results.endedAt - results.startedAt);
  }
  results.bestTime = bestTimes.Of(game.mapName);
}

void DrawResultsPanel(const PlayResults& results, float now, SpriteStore& sprites) {
  if (results.outcome == PlayOutcome::kPlaying) return;
  const float slide = std::clamp((now - results.endedAt) / kSlideSeconds, 0.0f, 1.0f);
  const int x = kScreenWidth - static_cast<int>(static_cast<float>(kPanelWidth + 20) * slide);
  Renderer& renderer = sprites.renderer();
  renderer.BeginScene();
  DrawShade(sprites, x, kPanelY, kPanelWidth, kPanelHeight, 190);
  renderer.EndScene();
  const PlayTally& t = results.shown;
  const bool down = results.outcome == PlayOutcome::kDown;
  const int hitPercent = t.bullets > 0 ? static_cast<int>(100LL * t.bulletHits / t.bullets) : 0;
  const std::string lines[] = {
      down ? "down" : "cleared",
      "time " + Seconds(results.endedAt - results.startedAt),
      "soldiers killed " + std::to_string(t.soldiersKilled),
      "turrets killed " + std::to_string(t.turretsKilled),
      "shots fired " + std::to_string(t.shots) + ", hits " + std::to_string(hitPercent) + " %",
      "damage taken " + std::to_string(t.damageTaken),
      "grenades thrown " + std::to_string(t.grenades),
      down ? "F5 to retry"
           : (results.newBest ? std::string("new best time")
                              : "best " + (results.bestTime ? Seconds(*results.bestTime) : std::string("-"))),
  };
  int y = kPanelY + 12;
  renderer.DrawText(x + 16, y, lines[0], down ? 0x004040FFu : 0x0040FF40u, kHeadingStyle);
  y += kHeadingStep;
  for (size_t i = 1; i < std::size(lines); ++i, y += kLineStep) renderer.DrawText(x + 16, y, lines[i], 0x00FFFFFFu);
}
