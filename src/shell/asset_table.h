// The fixed images every game loads at start-up, each under its own sprite number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class SpriteStore;

struct AssetEntry {
  int number;        // sprite number
  std::string path;  // game path
  bool ownAlpha;     // true: the PNG's alpha; false: black keyed out
};

constexpr int kCreditsSprite = 32;
constexpr int kDebugPanelSprite = 20;

// Loads sprites 1-60 in the start-up order: 1-21, the digits 22-31, the credits
// strip held in the program as 32, then 33-60 with 60 before 58 and 59. Returns the
// numbers that failed to load.
std::vector<int> LoadAssetTable(SpriteStore& sprites, const void* creditsPng, unsigned long creditsSize);

// The table in load order (without 32, which is held in the program).
const std::vector<AssetEntry>& AssetTable();
