#include "render/sprites.h"

#include <algorithm>
#include <utility>

SpriteStore::~SpriteStore() {
  for (const auto& entry : sprites3d_) renderer_.FreeTexture(entry.second.texture);
}

void SpriteStore::Clear() {
  for (const auto& entry : sprites3d_) renderer_.FreeTexture(entry.second.texture);
  sprites3d_.clear();
  images_.clear();
  transparent_ = 0;
  SetBlendMode(kBlendSrcAlpha, kBlendInvSrcAlpha);
  SetQuality(0);
}

bool SpriteStore::LoadSprite(int number, std::string_view gamePath, int flags) {
  Image image;
  if (!LoadPngFile(gamePath, image)) return false;
  if ((flags & kSpriteAlpha) == 0) ApplyColourKey(image, transparent_);
  images_[number] = std::move(image);
  return true;
}

bool SpriteStore::CatchSprite(int number, const void* png, size_t size, int flags) {
  Image image;
  if (png == nullptr || !DecodePng(png, size, image)) return false;
  if ((flags & kSpriteAlpha) == 0) ApplyColourKey(image, transparent_);
  images_[number] = std::move(image);
  return true;
}

void SpriteStore::PutSprite(int number, Image image) {
  images_[number] = std::move(image);
}

int SpriteStore::SpriteWidth(int number) const {
  const Image* image = FindImage(number);
  return image != nullptr ? image->width : 0;
}

int SpriteStore::SpriteHeight(int number) const {
  const Image* image = FindImage(number);
  return image != nullptr ? image->height : 0;
}

const Image* SpriteStore::FindImage(int number) const {
  const auto it = images_.find(number);
  return it == images_.end() ? nullptr : &it->second;
}

void SpriteStore::FreeSprite(int number) {
  images_.erase(number);
}

bool SpriteStore::CreateSprite3D(int number, int imageNumber) {
  const Image* image = FindImage(imageNumber);
  if (image == nullptr) return false;
  const int texture = renderer_.CreateTexture(*image);
  if (texture == 0) return false;
  FreeSprite3D(number);
  sprites3d_[number] = {texture, image->width, image->height, 0.0f};
  return true;
}

const Sprite3D* SpriteStore::FindSprite3D(int number) const {
  const auto it = sprites3d_.find(number);
  return it == sprites3d_.end() ? nullptr : &it->second;
}

void SpriteStore::FreeSprite3D(int number) {
  const auto it = sprites3d_.find(number);
  if (it == sprites3d_.end()) return;
  renderer_.FreeTexture(it->second.texture);
  sprites3d_.erase(it);
}

void SpriteStore::Zoom(int number, int width, int height) {
  const auto it = sprites3d_.find(number);
  if (it == sprites3d_.end()) return;
  it->second.width = width;
  it->second.height = height;
}

void SpriteStore::Rotate(int number, float angle, int mode) {
  const auto it = sprites3d_.find(number);
  if (it == sprites3d_.end()) return;
  it->second.angle = mode == 0 ? angle : it->second.angle + angle;
}

void SpriteStore::Display(int number, int x, int y, int alpha) {
  const auto it = sprites3d_.find(number);
  if (it == sprites3d_.end()) return;
  const Sprite3D& sprite = it->second;
  if (sprite.width <= 0 || sprite.height <= 0) return;
  QuadDraw quad;
  quad.sprite = number;
  quad.texture = sprite.texture;
  quad.x = x;
  quad.y = y;
  quad.width = sprite.width;
  quad.height = sprite.height;
  quad.angle = sprite.angle;
  quad.alpha = std::clamp(alpha, 0, 255);
  renderer_.Draw(quad);
}

void SpriteStore::SetBlendMode(int source, int destination) {
  if (!IsBlendFactor(source) || !IsBlendFactor(destination)) return;
  blendSource_ = source;
  blendDestination_ = destination;
  renderer_.SetBlendMode(source, destination);
}

void SpriteStore::SetQuality(int quality) {
  quality_ = quality == 0 ? 0 : 1;
  renderer_.SetQuality(quality_);
}
