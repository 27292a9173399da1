// The debug text pen: the system's default sans font (found through fontconfig,
// DejaVu Sans as the fallback) rendered with SDL2_ttf onto a transparent image.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "services/image.h"

// The font file of the default sans face (bold when asked); empty when none.
std::string FindSansFontFile(bool bold = false);

// Renders 8-bit (Latin-1) text in colour 0x00BBGGRR at the debug pen's size into an
// RGBA image with a transparent background. False when no font can be opened.
bool RenderText(std::string_view text, uint32_t colour, Image& out, int pointSize = 14);
