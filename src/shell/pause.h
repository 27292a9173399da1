// The pause screen: the last frame before the pause, kept as a picture, darkened,
// with "PAUSED" and the keys that resume or quit.
#pragma once

#include "render/sprites.h"

constexpr int kPausePictureSprite = 9000;  // the frozen frame
constexpr int kShadeSprite = 9001;         // one black pixel, stretched to darken

struct PauseScreen {
  bool pictureHeld = false;
};

// Takes the frame now on the screen (drawn, not yet presented) as the picture.
void HoldPausePicture(PauseScreen& screen, SpriteStore& sprites);
// Frees the picture (on resume).
void DropPausePicture(PauseScreen& screen, SpriteStore& sprites);
// Draws a whole paused frame: the picture (black when none could be taken), the
// shade and the text.
void DrawPauseScreen(const PauseScreen& screen, SpriteStore& sprites);
// A `width` x `height` rectangle of black at (x, y) with alpha 0-255, normal alpha
// blending; the store's blending is restored after it.
void DrawShade(SpriteStore& sprites, int x, int y, int width, int height, int alpha);
