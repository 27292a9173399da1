#include "fuzz_checks.h"

const std::vector<FuzzTarget>& FuzzTargets() {
  static const std::vector<FuzzTarget> targets = {
      {"map_file", CheckMapFile},
      {"tile_set", CheckTileSet},
      {"animation_set", CheckAnimationSet},
      {"animation", CheckAnimation},
      {"light_definitions", CheckLightDefinitions},
      {"enemy_list", CheckEnemyList},
      {"png", CheckPng},
      {"input_script", CheckInputScript},
      {"map_source", CheckMapSource},
  };
  return targets;
}

const FuzzTarget* FindFuzzTarget(std::string_view name) {
  for (const FuzzTarget& target : FuzzTargets()) {
    if (name == target.name) return &target;
  }
  return nullptr;
}
