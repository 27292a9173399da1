#include "shell/debug_overlay.h"

#include "base/numbers.h"
#include "render/renderer.h"

int16_t CountFps(FpsCounter& fps, uint64_t millis) {
  fps.fpsNow = static_cast<float>(static_cast<double>(millis) * 0.001);
  fps.fpsFrames += 1;
  if (fps.fpsNow - fps.fpsMark > 1.0f) {
    fps.fpsMark = fps.fpsNow;
    fps.fpsShown = static_cast<int16_t>(fps.fpsFrames);
    fps.fpsFrames = 0;
  }
  return fps.fpsShown;
}

std::string PlayerPositionText(float x, float y) {
  return "Player\\Pos : [X]" + std::to_string(RoundInt(x)) + " [Y]" + std::to_string(RoundInt(y));
}

void DrawDebugText(Renderer& renderer, int16_t fps, const Player& player) {
  renderer.DrawText(20, 200, "Debug", kDebugTextColour);
  renderer.DrawText(20, 240, "FPS: " + std::to_string(fps), kDebugTextColour);
  renderer.DrawText(20, 260, PlayerPositionText(player.x, player.y), kDebugTextColour);
}
