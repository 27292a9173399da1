// Loading an image together with its 3D sprite of the same number.
#pragma once

#include <string_view>

class SpriteStore;

// Loads the PNG at a game path as sprite `number` keeping its own per-pixel alpha,
// and on success creates the 3D sprite of the same number. True on success.
bool LoadAsset(SpriteStore& sprites, int number, std::string_view path);
// The same with black keyed out as transparent instead of the PNG's alpha.
bool LoadAssetKeyed(SpriteStore& sprites, int number, std::string_view path);
// Frees the 3D sprite and then the image of a number, when it has a 3D sprite.
void ReleaseAsset(SpriteStore& sprites, int number);
