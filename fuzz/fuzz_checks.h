// The checks the fuzz targets run on one input. The libFuzzer programs (fuzz_NAME,
// built with -DVEXMOOR_FUZZ=ON) and the ordinary test run (tests/fuzz_regressions,
// which feeds every file of tests/corpus/NAME/ to the same check) share them.
//
// A check hands the input to one loader the way the game would (file loaders read
// it from a scratch Data tree, see fuzz_tree.h) and then checks what the loader
// promises beyond not crashing: sizes held to their bounds, a refused file that
// changes nothing. It returns the broken promise, or an empty string.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct FuzzTarget {
  const char* name;  // the program is fuzz_<name>; its regressions are tests/corpus/<name>/
  std::string (*check)(std::string_view input);
};

// Every target, in the order `make fuzz` runs them.
const std::vector<FuzzTarget>& FuzzTargets();
// The target of a name, or null.
const FuzzTarget* FindFuzzTarget(std::string_view name);

// The checks, one per reader.
std::string CheckMapFile(std::string_view input);
std::string CheckTileSet(std::string_view input);
std::string CheckAnimationSet(std::string_view input);
std::string CheckAnimation(std::string_view input);
std::string CheckLightDefinitions(std::string_view input);
std::string CheckEnemyList(std::string_view input);
std::string CheckPng(std::string_view input);
std::string CheckInputScript(std::string_view input);
std::string CheckMapSource(std::string_view input);
