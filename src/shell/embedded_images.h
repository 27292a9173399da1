// The two PNG images built into the program (drawn by tools/artgen): the launcher
// banner, 512x128 8-bit RGB, and the credits strip, 512x20 8-bit RGB, which the HUD
// draws black-keyed at the bottom of the screen.
#pragma once

extern const unsigned char kBannerPng[];
extern const unsigned long kBannerPngSize;
extern const unsigned char kCreditsPng[];
extern const unsigned long kCreditsPngSize;
