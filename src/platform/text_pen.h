// The debug text pen: the system's default sans font (found through fontconfig,
// DejaVu Sans as the fallback) rendered with SDL2_ttf onto a transparent image.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/image.h"

// The font file of the default sans face (bold when asked); empty when none.
std::string FindSansFontFile(bool bold = false);

// Renders 8-bit (Latin-1) text in colour 0x00BBGGRR at the debug pen's size into an
// RGBA image with a transparent background. False when no font can be opened.
bool RenderText(std::string_view text, uint32_t colour, Image& out, int pointSize = 14);

// RenderText at the debug pen's size, in the shape the software renderer asks for.
inline bool RenderTextImage(std::string_view text, uint32_t colour, Image& out) {
  return RenderText(text, colour, out);
}
