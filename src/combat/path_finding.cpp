#include "combat/path_finding.h"

#include <cstdio>
#include <cstdlib>

#include "combat/enemies.h"

namespace {

bool SameCell(int32_t x1, int32_t y1, const Cell& cell) {
  return x1 == cell.column && y1 == cell.row;
}

// Index of the node on `cell` in a list, or -1.
int FindNode(const std::vector<PathNode>& nodes, int32_t column, int32_t row) {
  for (size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].cellX == column && nodes[i].cellY == row) return static_cast<int>(i);
  }
  return -1;
}

// 10 x (|column difference| + |row difference|). Both cells lie inside a grid of at
// most kMaxMapCells cells, so the sum stays far inside 32 bits.
int32_t Estimate(int32_t column, int32_t row, const Cell& goal) {
  const int64_t d = std::llabs(static_cast<int64_t>(column) - goal.column) +
                    std::llabs(static_cast<int64_t>(row) - goal.row);
  return static_cast<int32_t>(kStraightStepCost * d);
}

// Looks at one neighbour N of the current cell C: walls, corners, closed cells,
// then either a cheaper route to an open node or a new open node.
void VisitNeighbour(PathFinder& finder, const Map& map, int32_t column, int32_t row, const Cell& goal) {
  const Cell c = finder.current;
  if (IsWalkBlocked(map, column, row)) return;
  const bool diagonal = column != c.column && row != c.row;
  if (diagonal && (IsWalkBlocked(map, column, c.row) || IsWalkBlocked(map, c.column, row))) return;
  if (FindNode(finder.closedNodes, column, row) >= 0) return;
  const int32_t g = finder.closedNodes.back().g + (diagonal ? kDiagonalStepCost : kStraightStepCost);
  const int open = FindNode(finder.openNodes, column, row);
  if (open >= 0) {
    PathNode& node = finder.openNodes[static_cast<size_t>(open)];
    if (g < node.g) {
      node.parentX = c.column;
      node.parentY = c.row;
      node.g = g;
      node.h = Estimate(column, row, goal);
      node.f = node.g + node.h;
    }
    return;
  }
  PathNode node;
  node.cellX = column;
  node.cellY = row;
  node.parentX = c.column;
  node.parentY = c.row;
  node.g = g;
  node.h = Estimate(column, row, goal);
  node.f = node.g + node.h;
  finder.openNodes.push_back(node);
}

// The neighbours of the current cell, rows top first and each row left to right,
// held to the map's columns 0..lastColumn and rows 0..lastRow.
void Expand(PathFinder& finder, const Map& map, const Cell& goal) {
  const Cell c = finder.current;
  const int32_t firstColumn = c.column > 0 ? c.column - 1 : 0;
  const int32_t lastColumn = c.column < map.lastColumn ? c.column + 1 : map.lastColumn;
  const int32_t firstRow = c.row > 0 ? c.row - 1 : 0;
  const int32_t lastRow = c.row < map.lastRow ? c.row + 1 : map.lastRow;
  for (int32_t row = firstRow; row <= lastRow; ++row) {
    for (int32_t column = firstColumn; column <= lastColumn; ++column) {
      if (column == c.column && row == c.row) continue;
      VisitNeighbour(finder, map, column, row, goal);
    }
  }
}

// Moves the open node with the smallest f (the earliest of equals) to the end of
// the closed list and makes it the current cell. The open list must not be empty.
// The scan takes the true smallest f however large, so a far goal on a map of
// small tiles still selects a node.
void CloseBestNode(PathFinder& finder) {
  size_t best = 0;
  for (size_t i = 1; i < finder.openNodes.size(); ++i) {
    if (finder.openNodes[i].f < finder.openNodes[best].f) best = i;
  }
  const PathNode node = finder.openNodes[best];
  finder.closedNodes.push_back(node);
  finder.openNodes.erase(finder.openNodes.begin() + static_cast<std::ptrdiff_t>(best));
  finder.current = Cell{node.cellX, node.cellY};
}

// Walks from the last closed node back along the parents to the start (not
// added). A parent missing from the closed list ends the path, and the walk takes
// at most as many steps as there are closed nodes, so it always ends.
void BuildPath(const PathFinder& finder, const Cell& start, std::vector<Cell>& path) {
  int index = static_cast<int>(finder.closedNodes.size()) - 1;
  for (size_t steps = 0; index >= 0 && steps < finder.closedNodes.size(); ++steps) {
    const PathNode& node = finder.closedNodes[static_cast<size_t>(index)];
    if (SameCell(node.cellX, node.cellY, start)) return;
    path.push_back(Cell{node.cellX, node.cellY});
    index = FindNode(finder.closedNodes, node.parentX, node.parentY);
  }
}

// One coordinate of a cell's centre: index x tileSize + tileSize / 2, the half a real
// number (16.5 px into a 33-pixel cell), the product worked out in 64 bits so a far
// cell cannot wrap.
float CellCentre(int32_t index, uint8_t tileSize) {
  return static_cast<float>(static_cast<int64_t>(index) * tileSize) + static_cast<float>(tileSize) / 2.0f;
}

}  // namespace

void ResetPathFinder(PathFinder& finder) {
  finder.openNodes.clear();
  finder.closedNodes.clear();
}

int FindPath(PathFinder& finder, Enemy& enemy, const Map& map, float targetX, float targetY) {
  enemy.path.clear();
  enemy.hasPath = 0;
  const Cell start = CellOf(map, enemy.x, enemy.y);
  const Cell goal = CellOf(map, targetX, targetY);
  if (IsWalkBlocked(map, goal.column, goal.row)) return 0;
  if (start.column == goal.column && start.row == goal.row) return 0;

  PathNode first;
  first.cellX = first.parentX = start.column;
  first.cellY = first.parentY = start.row;
  finder.closedNodes.push_back(first);
  finder.current = start;
  for (int expanded = 0;;) {
    Expand(finder, map, goal);
    if (finder.openNodes.empty()) return 0;
    CloseBestNode(finder);
    ++expanded;
    if (SameCell(finder.current.column, finder.current.row, goal) || expanded >= finder.expansionLimit) break;
  }
  BuildPath(finder, start, enemy.path);
  if (enemy.path.empty()) return 0;
  TakeWaypoint(enemy, map);
  enemy.hasPath = 1;
  return 1;
}

void TakeWaypoint(Enemy& enemy, const Map& map) {
  if (enemy.path.empty()) return;
  const Cell cell = enemy.path.back();
  enemy.path.pop_back();
  enemy.waypointY = CellCentre(cell.row, map.tileSize);
  enemy.waypointX = CellCentre(cell.column, map.tileSize);
}

std::string PathText(const std::vector<Cell>& path) {
  std::string text;
  text.reserve(path.size() * 6);
  char group[32];
  for (const Cell& cell : path) {
    std::snprintf(group, sizeof group, "%03d%03d", static_cast<int>(cell.column), static_cast<int>(cell.row));
    text += group;
  }
  return text;
}
