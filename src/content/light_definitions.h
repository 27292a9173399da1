// The light definition file ("Data\Light.xml"): light images that maps place by
// sprite number, each loaded as sprite 2000 + ID.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

class SpriteStore;

constexpr int32_t kLightSpriteBase = 2000;

// Loads the file: true when it was read and its root is "Lights". The images of the
// previous load are freed first; `loaded` lists the sprite number of every image
// that loads, in file order. A missing file or another root changes nothing.
bool LoadLightDefinitions(std::vector<int32_t>& loaded, SpriteStore& sprites, std::string_view path);
