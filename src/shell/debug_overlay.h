// The debug overlay (F11): a green panel and three lines of text.
#pragma once

#include <cstdint>
#include <string>

#include "shell/game.h"

class Renderer;

constexpr uint32_t kDebugTextColour = 0x2AA684;  // 0x00BBGGRR: red 0x84, green 0xA6, blue 0x2A

// Counts one frame and returns the frames-per-second figure: it publishes the count
// when more than a second has passed since the last publication.
int16_t CountFps(FpsCounter& fps, uint64_t millis);

// "Player\Pos : [X]1280 [Y]701" for a player at (1280.4, 700.6).
std::string PlayerPositionText(float x, float y);

// The three lines at x 20: "Debug" (y 200), "FPS: n" (y 240), the position (y 260).
void DrawDebugText(Renderer& renderer, int16_t fps, const Player& player);
