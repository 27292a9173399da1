// The text pen: the system's default sans font, regular or bold (found through
// fontconfig, DejaVu Sans as the fallback), rendered with SDL2_ttf onto a
// transparent image.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/image.h"
#include "render/renderer.h"

// The font file of the default sans face (bold when asked); empty when none.
std::string FindSansFontFile(bool bold = false);

// Renders 8-bit (Latin-1) text in colour 0x00BBGGRR at a point size (the debug
// pen's by default), in the bold face when asked, into an RGBA image with a
// transparent background. False when no font can be opened.
bool RenderText(std::string_view text, uint32_t colour, Image& out, int pointSize = 14, bool bold = false);

// RenderText in a renderer's text style, in the shape the software renderer asks for.
inline bool RenderTextImage(std::string_view text, uint32_t colour, Image& out, const TextStyle& style = {}) {
  return RenderText(text, colour, out, style.pointSize, style.bold);
}
