// Small worlds for tests: a map of a given size whose walls are listed, a sprite
// store on a recording renderer, images put straight into the store.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "render/recording_renderer.h"
#include "render/sprites.h"
#include "world/map.h"

// A map of (lastColumn + 1) x (lastRow + 1) cells of `tileSize` pixels, one layer,
// every cell free.
inline Map MakeMap(int32_t lastColumn, int32_t lastRow, uint8_t tileSize = 64, uint8_t lastLayer = 0) {
  Map map;
  map.tileSize = tileSize;
  map.lastColumn = lastColumn;
  map.lastRow = lastRow;
  map.lastLayer = lastLayer;
  map.pixelWidth = lastColumn * tileSize;
  map.pixelHeight = lastRow * tileSize;
  ResizeMapArrays(map);
  for (auto& alpha : map.layerAlpha) alpha = 255;
  return map;
}

// Marks cells as blocking walls.
inline void AddWalls(Map& map, std::initializer_list<std::pair<int, int>> cells) {
  for (auto [column, row] : cells) SetCellBlocked(map, column, row, 1);
}

// A solid-colour RGBA image.
inline Image SolidImage(int width, int height, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  Image image;
  image.Resize(width, height);
  for (size_t i = 0; i < image.rgba.size(); i += 4) {
    image.rgba[i] = r;
    image.rgba[i + 1] = g;
    image.rgba[i + 2] = b;
    image.rgba[i + 3] = a;
  }
  return image;
}

// An image with its 3D sprite under `number`.
inline void PutSprite3D(SpriteStore& sprites, int number, int width = 64, int height = 64) {
  sprites.PutSprite(number, SolidImage(width, height, 200, 100, 50));
  sprites.CreateSprite3D(number, number);
}

// A recording renderer with a sprite store on it.
struct RecordingWorld {
  RecordingRenderer renderer;
  SpriteStore sprites{renderer};
};
