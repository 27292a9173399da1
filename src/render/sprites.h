// The sprite store: numbered images and the 3D sprites made from them. Each 3D
// sprite keeps its display size (initially the image's size) and angle (initially
// 0) until changed. Drawing, zooming or rotating a number that has no 3D sprite does
// nothing and changes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "base/image.h"
#include "render/renderer.h"

// Load flags: 4 = usable as a 3D sprite texture (always given); 8 = keep the PNG's
// own per-pixel alpha (otherwise the transparent colour is keyed out).
constexpr int kSpriteTexture = 4;
constexpr int kSpriteAlpha = 8;

struct Sprite3D {
  int texture = 0;  // renderer handle
  int width = 0;    // display size
  int height = 0;
  float angle = 0.0f;
};

class SpriteStore {
 public:
  explicit SpriteStore(Renderer& renderer) : renderer_(renderer) {}
  ~SpriteStore();
  SpriteStore(const SpriteStore&) = delete;
  SpriteStore& operator=(const SpriteStore&) = delete;

  Renderer& renderer() { return renderer_; }

  // The colour keyed out of images loaded without kSpriteAlpha (0x00BBGGRR).
  void SetTransparentColour(uint32_t colour) { transparent_ = colour; }

  // Loads a PNG (game path) as image `number`, replacing what it held. False (and
  // the number unchanged) when the file is missing or not a valid PNG.
  bool LoadSprite(int number, std::string_view gamePath, int flags);
  // The same from a PNG held in memory.
  bool CatchSprite(int number, const void* png, size_t size, int flags);
  // Stores an already decoded image (tools and tests).
  void PutSprite(int number, Image image);
  bool HasSprite(int number) const { return images_.count(number) != 0; }
  // Image size in pixels, 0 when there is no image.
  int SpriteWidth(int number) const;
  int SpriteHeight(int number) const;
  const Image* FindImage(int number) const;
  void FreeSprite(int number);

  // Creates (or re-creates) 3D sprite `number` from image `imageNumber`: display
  // size = the image's size, angle 0. False when there is no such image.
  bool CreateSprite3D(int number, int imageNumber);
  bool HasSprite3D(int number) const { return sprites3d_.count(number) != 0; }
  const Sprite3D* FindSprite3D(int number) const;
  void FreeSprite3D(int number);
  // Frees every image and 3D sprite (their textures too) and sets the blending and
  // quality of a new store: the store as it was made.
  void Clear();

  void Zoom(int number, int width, int height);
  // Mode 0 sets the angle (degrees), any other mode adds to it.
  void Rotate(int number, float angle, int mode);
  // Draws 3D sprite `number` with its unrotated top-left at (x, y), alpha 0-255.
  void Display(int number, int x, int y, int alpha = 255);

  // Blend factor numbers 1-10; a call with any other number is ignored.
  void SetBlendMode(int source, int destination);
  void SetQuality(int quality);
  int blendSource() const { return blendSource_; }
  int blendDestination() const { return blendDestination_; }
  int quality() const { return quality_; }

 private:
  Renderer& renderer_;
  uint32_t transparent_ = 0;
  std::unordered_map<int, Image> images_;
  std::unordered_map<int, Sprite3D> sprites3d_;
  int blendSource_ = kBlendSrcAlpha;
  int blendDestination_ = kBlendInvSrcAlpha;
  int quality_ = 0;
};
