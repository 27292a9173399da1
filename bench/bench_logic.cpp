// The cost of one frame of game logic (everything but drawing) on Arena with every
// enemy awake: the game runs its real frames on a renderer that draws nothing,
// with the enemies gathered within 900 px of the player and the player firing,
// reloading and throwing grenades. Printed, not asserted.
// With --map NAME another map is played as the rules have it (enemies far from
// the player stay frozen), and the start-up time and the peak memory are printed
// too: the stress map of scripts/stress-map measures what grows with a map's size.
//   bench_logic [--frames N] [--data DIR] [--map NAME]   (DIR holds Data/; default: the build folder)
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/random.h"
#include "render/renderer.h"
#include "render/sprites.h"
#include "shell/frame.h"
#include "shell/game.h"
#include "replay/input_script.h"
#include "shell/startup.h"

namespace {

// Keeps texture handles and nothing else: the frame's draws cost only the calls.
class NullRenderer final : public Renderer {
 public:
  int CreateTexture(const Image& image) override { return image.width > 0 && image.height > 0 ? next_++ : 0; }
  void FreeTexture(int) override {}
  void Clear(uint32_t) override {}
  void BeginScene() override {}
  void EndScene() override {}
  void SetBlendMode(int, int) override {}
  void SetQuality(int) override {}
  void Draw(const QuadDraw&) override {}
  void DrawText(int, int, std::string_view, uint32_t, const TextStyle& = {}) override {}
  void Present() override {}
  bool Capture(Image&) override { return false; }

 private:
  int next_ = 1;
};

// Moves every enemy farther than `reach` from the player onto a free cell within
// it, so that all of them are updated every frame.
void GatherEnemies(Game& game, float reach) {
  Rng rng(3);
  const Map& map = game.map;
  for (Enemy& e : game.enemies.enemies) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
      if (std::hypot(e.x - game.player.x, e.y - game.player.y) < reach) break;
      const float angle = static_cast<float>(rng.Random(359)) * 0.0174533f;
      const float distance = static_cast<float>(200 + rng.Random(static_cast<int32_t>(reach) - 200));
      const float x = game.player.x + std::cos(angle) * distance;
      const float y = game.player.y + std::sin(angle) * distance;
      const Cell cell = CellOf(map, x, y);
      if (IsWalkBlocked(map, cell.column, cell.row)) continue;
      e.x = static_cast<float>(cell.column * map.tileSize + map.tileSize / 2);
      e.y = static_cast<float>(cell.row * map.tileSize + map.tileSize / 2);
    }
  }
}

// The player sweeps the aim round, fires the automatic, reloads, then throws grenades.
std::vector<ScriptEvent> Fight(uint64_t frames) {
  std::vector<ScriptEvent> events;
  auto add = [&](uint64_t frame, ScriptEvent::Kind kind, int code, bool down, int x = 0, int y = 0) {
    events.push_back({frame, kind, code, down, x, y});
  };
  for (uint64_t f = 1; f <= frames; f += 4) {
    const double a = static_cast<double>(f) * 0.02;
    add(f, ScriptEvent::Kind::kMouse, 0, false, 512 + static_cast<int>(300 * std::cos(a)),
        384 + static_cast<int>(300 * std::sin(a)));
  }
  add(1, ScriptEvent::Kind::kButton, 1, true);
  for (uint64_t f = 200; f <= frames; f += 400) {
    add(f, ScriptEvent::Kind::kKey, scan::kR, true);
    add(f + 1, ScriptEvent::Kind::kKey, scan::kR, false);
    add(f + 200, ScriptEvent::Kind::kKey, f % 800 == 200 ? scan::k2 : scan::k1, true);
    add(f + 201, ScriptEvent::Kind::kKey, f % 800 == 200 ? scan::k2 : scan::k1, false);
  }
  std::stable_sort(events.begin(), events.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
  return events;
}

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  return v[std::min(v.size() - 1, static_cast<size_t>(p * static_cast<double>(v.size())))];
}

// Milliseconds of processor time this thread has used: a frame's figure leaves out
// the time other processes held the core (the machine may be shared).
double ThreadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The process's peak resident memory (VmHWM) in MB, -1 when unknown.
double PeakMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == "VmHWM:") {
      double kb = 0;
      status >> kb;
      return kb / 1024.0;
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  uint64_t frames = 1200;
  std::string data = BENCH_BUILD_DIR;
  std::string mapName = "Arena";
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--frames") == 0) frames = std::strtoull(argv[i + 1], nullptr, 10);
    if (std::strcmp(argv[i], "--data") == 0) data = argv[i + 1];
    if (std::strcmp(argv[i], "--map") == 0) mapName = argv[i + 1];
  }
  const bool arena = mapName == "Arena";
  if (chdir(data.c_str()) != 0) {
    std::fprintf(stderr, "bench_logic: cannot use %s\n", data.c_str());
    return 1;
  }
  NullRenderer renderer;
  SpriteStore sprites(renderer);
  Clock clock = Clock::Fixed();
  Rng rng(1);
  auto game = std::make_unique<Game>();
  game->mapName = mapName;
  ScriptedInput script(Fight(frames));
  Runtime runtime{renderer, sprites, clock, rng};
  runtime.headless = true;
  runtime.script = &script;
  const auto started = std::chrono::steady_clock::now();
  if (!StartUp(*game, runtime)) {
    std::fprintf(stderr, "bench_logic: cannot play %s: %s\n", mapName.c_str(), game->mapError.c_str());
    return 1;
  }
  const double startUpMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  if (arena) GatherEnemies(*game, 900.0f);
  std::vector<double> times;
  size_t peakParticles = 0, peakBullets = 0;
  for (uint64_t f = 0; f < frames; ++f) {
    const double t0 = ThreadMs();
    RunFrame(*game, runtime, false);
    times.push_back(ThreadMs() - t0);
    peakParticles = std::max(peakParticles, game->particles.alphaParticles.size() +
                                                game->particles.additiveParticles.size());
    peakBullets = std::max(peakBullets, game->bullets.size());
  }
  std::printf("game logic on %s%s: %llu frames, %zu enemies left, peak %zu particles, %zu bullets\n",
              mapName.c_str(), arena ? ", every enemy awake" : "", static_cast<unsigned long long>(frames),
              game->enemies.enemies.size(), peakParticles, peakBullets);
  if (!arena) {
    std::printf("  start-up %.1f ms (map, enemies, lights, doors; no images), peak memory %.1f MB\n", startUpMs,
                PeakMegabytes());
  }
  std::printf("  logic frame (ms of thread time): median %.3f  p90 %.3f  p99 %.3f  max %.3f\n", Percentile(times, 0.5),
              Percentile(times, 0.9), Percentile(times, 0.99), Percentile(times, 1.0));
  return 0;
}
