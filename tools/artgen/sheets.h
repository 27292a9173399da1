// Pictures for checking the art: a contact sheet of generated images and a mock
// game screen that blends tiles, a soldier and lights the way the game does.
#pragma once

#include <string>

#include "gfx_tree.h"

namespace art {

// What the game sees of an image: keyed storages lose their pure black pixels.
Canvas AsLoaded(const GeneratedImage& image);

// Every image whose path contains filter (all when empty) in a grid of cells, each
// on a checkerboard (keyed black shown as transparent, glow images added onto it)
// with its file name under it. zoom (1-8) enlarges the pictures by whole factors.
Image ContactSheet(const ImageList& images, const std::string& filter = "", int zoom = 1);

// A mock game frame, 1024x768, drawn twice side by side (lighting off, lighting
// on): floor and wall tiles, doors, decorations, the player's legs and body,
// enemies, particles, then the light pass (screen times one plus the light) and
// the darkness pass (every channel squared), then the HUD at its screen positions
// (with the credits strip when the list holds the embedded images).
Image MockScene(const ImageList& images);

}  // namespace art
