#include "world/assets.h"

#include "render/sprites.h"

bool LoadAsset(SpriteStore& sprites, int number, std::string_view path) {
  if (!sprites.LoadSprite(number, path, kSpriteTexture | kSpriteAlpha)) return false;
  return sprites.CreateSprite3D(number, number);
}

bool LoadAssetKeyed(SpriteStore& sprites, int number, std::string_view path) {
  if (!sprites.LoadSprite(number, path, kSpriteTexture)) return false;
  return sprites.CreateSprite3D(number, number);
}

void ReleaseAsset(SpriteStore& sprites, int number) {
  if (!sprites.HasSprite3D(number)) return;
  sprites.FreeSprite3D(number);
  sprites.FreeSprite(number);
}
