// Text drawn with a real font: the bold sans face (DejaVu Sans Bold on a stock
// system) rendered by SDL2_ttf into a coverage mask, then painted like any shape.
#pragma once

#include <string>

#include "canvas.h"
#include "shapes.h"

namespace art {

// The bold sans font file used for every text the generator draws.
std::string BoldFontFile();

// A rendered line of text: a white mask whose alpha is the glyph coverage, and the
// box of its inked pixels (empty when nothing rendered).
struct TextMask {
  Canvas mask;
  int inkX0 = 0;
  int inkY0 = 0;
  int inkX1 = 0;
  int inkY1 = 0;
  bool ok = false;
  int InkWidth() const { return inkX1 - inkX0; }
  int InkHeight() const { return inkY1 - inkY0; }
};

// Renders UTF-8 text at a point size. ok is false when no font could be opened.
TextMask RenderTextMask(const std::string& text, int pointSize);

// The largest point size (up to maxPoint) at which the text's ink fits the box.
int FittingPointSize(const std::string& text, float boxWidth, float boxHeight, int maxPoint = 200);

// Paints text with its ink centred in the box. Vertically it centres the ink of
// the reference text when one is given, so a set of labels (digits) shares one
// baseline.
void DrawTextCentred(Canvas& canvas, const std::string& text, int pointSize, Box box, const Paint& paint,
                     const std::string& reference = "");

}  // namespace art
