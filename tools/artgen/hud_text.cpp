// HUD digits and words in the bold sans, the reload bar, the enemy health bar and
// the debug panel.
#include <algorithm>
#include <cmath>
#include <string>

#include "families.h"
#include "filters.h"
#include "palette.h"
#include "text.h"

namespace art {
namespace {

using namespace palette;

constexpr const char* kAllDigits = "0123456789";

// A word with a light-to-deep face, dark outline and soft shadow.
Canvas Lettering(int width, int height, const std::string& text, int pointSize, Colour top, Colour bottom) {
  Canvas c(width, height);
  const Box box{2, 2, static_cast<float>(width - 2), static_cast<float>(height - 2)};
  DrawTextCentred(c, text, pointSize, box, Linear({0, box.y0}, {0, box.y1}, {{0.0f, top}, {1.0f, bottom}}));
  return Outlined(c, kHudOutline, 1.5f, 0.35f);
}

// One digit: the bold face squeezed sideways by a common factor so the digits
// fill the tall 28 x 40 cell, on the baseline of the reference ink.
Canvas Digit(char digit, int pointSize, float squeeze, const TextMask& reference) {
  Canvas c(28, 40);
  const TextMask m = RenderTextMask(std::string(1, digit), pointSize);
  if (!m.ok || !reference.ok) return c;
  const int width = std::max(1, static_cast<int>(std::lround(static_cast<float>(m.mask.width()) * squeeze)));
  const Canvas narrow = Resized(m.mask, width, m.mask.height());
  const float inkX0 = static_cast<float>(m.inkX0) * squeeze;
  const float inkWidth = static_cast<float>(m.InkWidth()) * squeeze;
  const int dx = static_cast<int>(std::lround((28.0f - inkWidth) * 0.5f - inkX0));
  const int dy = static_cast<int>(std::lround((40.0f - static_cast<float>(reference.InkHeight())) * 0.5f)) -
                 reference.inkY0;
  const float top = static_cast<float>(dy + reference.inkY0);
  DrawMask(c, narrow, dx, dy,
           Linear({0, top}, {0, top + static_cast<float>(reference.InkHeight())},
                  {{0.0f, kHudWhite}, {1.0f, kHudAmberLight}}));
  return Outlined(c, kHudOutline, 1.5f, 0.35f);
}

void AddDigits(ImageList& list) {
  // Every digit at one size whose ink is 33 pixels tall, all squeezed by the
  // factor that fits the widest into 23 pixels (room for the outline).
  const int size = FittingPointSize(kAllDigits, 1000.0f, 33.0f);
  const TextMask reference = RenderTextMask(kAllDigits, size);
  int widest = 1;
  for (char d = '0'; d <= '9'; ++d) widest = std::max(widest, RenderTextMask(std::string(1, d), size).InkWidth());
  const float squeeze = std::min(1.0f, 23.0f / static_cast<float>(widest));
  for (char d = '0'; d <= '9'; ++d) {
    AddImage(list, std::string("GFX/HUD/Numbers/") + d + ".png", Storage::kAlpha, Digit(d, size, squeeze, reference));
  }
}

Canvas DrawTimeLine() {
  Canvas c(256, 16);
  const Shape frame = Outline(RoundRect({1.5f, 1.5f, 254.5f, 14.5f}, 4.0f), 2.0f);
  Draw(c, Outline(RoundRect({1.5f, 1.5f, 254.5f, 14.5f}, 4.0f), 4.0f), kHudOutline);
  Draw(c, frame, Linear({0, 0}, {0, 16}, {{0.0f, kHudWhite}, {1.0f, kHudAmberLight}}));
  for (int i = 1; i < 4; ++i) {
    const float x = 64.0f * static_cast<float>(i);
    Draw(c, Capsule({x, 3.0f}, {x, 5.0f}, 1.6f), kHudWhite);
    Draw(c, Capsule({x, 11.0f}, {x, 13.0f}, 1.6f), kHudWhite);
  }
  return c;
}

Canvas DrawTimeLineBar() {
  Canvas c(16, 16);
  Draw(c, RoundRect({0, 0, 16, 16}, 0),
       Linear({0, 2}, {0, 14}, {{0.0f, kHudAmberLight}, {0.35f, kHudAmber}, {1.0f, kHudAmberDeep}}));
  return c;
}

Canvas DrawEnemyHealthLine() {
  Canvas c(64, 8);
  Draw(c, Outline(RoundRect({0.5f, 0.5f, 63.5f, 7.5f}, 1.5f), 1.0f), kHudOutline);
  Draw(c, Outline(RoundRect({1.5f, 1.5f, 62.5f, 6.5f}, 1.0f), 1.0f), Fade(kHudWhite, 0.9f));
  return c;
}

Canvas DrawEnemyHealthLineBar() {
  Canvas c(64, 8);
  Draw(c, RoundRect({0, 0, 64, 8}, 0),
       Linear({0, 1}, {0, 7}, {{0.0f, Rgb(255, 120, 90)}, {0.5f, Rgb(222, 42, 30)}, {1.0f, Rgb(140, 16, 12)}}));
  return c;
}

// The debug panel, drawn 4 times as large from the top of the "Debug" heading: the
// heading sits on a clear band of the top 7 rows (28 screen pixels), the framed box
// with the figures below it.
Canvas DrawGreenPanel() {
  Canvas c(64, 32);
  c.Fill(Rgb(24, 120, 52, 0.42f));
  Draw(c, Outline(RoundRect({0.5f, 7.5f, 63.5f, 31.5f}, 1.0f), 1.0f), Rgb(120, 230, 140, 0.75f));
  return c;
}

}  // namespace

void AddHudText(ImageList& list) {
  AddImage(list, "GFX/HUD/TimeLine.png", Storage::kAlpha, DrawTimeLine());
  AddImage(list, "GFX/HUD/TimeLineBar.png", Storage::kAlpha, DrawTimeLineBar());
  AddImage(list, "GFX/HUD/EnemyHealthLine.png", Storage::kAlpha, DrawEnemyHealthLine());
  AddImage(list, "GFX/HUD/EnemyHealthLineBar.png", Storage::kAlpha, DrawEnemyHealthLineBar());
  AddImage(list, "GFX/HUD/Reloading.png", Storage::kAlpha,
           Lettering(128, 24, "Reloading", FittingPointSize("Reloading", 120, 18), kHudAmberLight, kHudAmberDeep));
  AddImage(list, "GFX/HUD/Ready.png", Storage::kAlpha,
           Lettering(72, 24, "Ready", FittingPointSize("Ready", 64, 18), kHudWhite, Rgb(200, 240, 190)));
  AddImage(list, "GFX/HUD/Green.png", Storage::kAlpha, DrawGreenPanel());
  AddDigits(list);
}

}  // namespace art
