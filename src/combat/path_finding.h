// Path finding: a bounded A* search over the walk grid from an enemy's cell to the
// player's, with eight-way moves (costs 10 and 14, no cutting of corners), a
// Manhattan estimate and at most 25 expansions per call. When the player lies
// farther than that, the path ends at the last cell expanded, so the enemy still
// moves toward the player and plans again from there.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "world/map.h"

struct Enemy;

constexpr int kPathExpansionLimit = 25;
constexpr int32_t kStraightStepCost = 10;
constexpr int32_t kDiagonalStepCost = 14;

struct PathNode {
  int32_t cellX = 0;    // the node's cell
  int32_t cellY = 0;
  int32_t parentX = 0;  // the cell it was reached from (the start is its own parent)
  int32_t parentY = 0;
  int32_t f = 0;        // g + h
  int32_t g = 0;        // cost from the start
  int32_t h = 0;        // 10 x (|column difference| + |row difference|) to the goal
};

// The search's lists, shared by all enemies one search at a time, in insertion
// order. They live for the whole game; between searches nothing reads them.
struct PathFinder {
  std::vector<PathNode> openNodes;
  std::vector<PathNode> closedNodes;
  Cell current;
  int expansionLimit = kPathExpansionLimit;
};

// Empties both lists (called right before every FindPath).
void ResetPathFinder(PathFinder& finder);

// Searches from the enemy's cell to the cell of (targetX, targetY) (the player's
// centre) and writes the path into the enemy: the cells from the far end back to
// the one next to the start, the first waypoint already taken off the end, hasPath
// 1. Returns 1 when a path was written; 0 (no path, hasPath 0) when the goal cell
// is blocked, is the enemy's own cell, or cannot be reached from it.
int FindPath(PathFinder& finder, Enemy& enemy, const Map& map, float targetX, float targetY);

// Takes the next waypoint off the end of the enemy's path: the centre of that cell.
// The path must not be empty.
void TakeWaypoint(Enemy& enemy, const Map& map);

// The path as six-digit groups (column, then row, three digits each, zero-padded),
// the far end first; a number above 999 is written with all its digits.
std::string PathText(const std::vector<Cell>& path);
