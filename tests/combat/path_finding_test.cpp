#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "combat/enemies.h"
#include "combat/path_finding.h"
#include "support/world_fixture.h"

namespace {

using Cells = std::vector<std::pair<int, int>>;

// A search from the centre of cell `from` to the centre of cell `to`.
struct Search {
  PathFinder finder;
  Enemy enemy;
  int result = -1;

  Search(const Map& map, std::pair<int, int> from, std::pair<int, int> to) {
    const float half = map.tileSize / 2.0f;
    enemy.x = static_cast<float>(from.first * map.tileSize) + half;
    enemy.y = static_cast<float>(from.second * map.tileSize) + half;
    enemy.hasPath = 1;  // left over from an earlier plan
    enemy.path = {Cell{9, 9}};
    ResetPathFinder(finder);
    result = FindPath(finder, enemy, map, static_cast<float>(to.first * map.tileSize) + half,
                      static_cast<float>(to.second * map.tileSize) + half);
  }
  // The whole path, far end first, ending with the waypoint already taken.
  Cells Path(const Map& map) const {
    Cells cells;
    for (const Cell& c : enemy.path) cells.emplace_back(c.column, c.row);
    if (enemy.hasPath)
      cells.emplace_back(static_cast<int>(enemy.waypointX) / map.tileSize,
                         static_cast<int>(enemy.waypointY) / map.tileSize);
    return cells;
  }
  Cells Closed() const {
    Cells cells;
    for (const PathNode& n : finder.closedNodes) cells.emplace_back(n.cellX, n.cellY);
    return cells;
  }
};

}  // namespace

TEST(FindPath, NoPathWritten) {
  Map map = MakeMap(5, 5);
  AddWalls(map, {{4, 4}, {1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 2}, {1, 3}, {2, 3}, {3, 3}});
  struct Case {
    const char* what;
    std::pair<int, int> from, to;
    size_t closed;
  } cases[] = {
      {"own cell", {0, 0}, {0, 0}, 0},
      {"blocked goal", {0, 0}, {4, 4}, 0},
      {"walled in on all eight sides", {2, 2}, {5, 5}, 1},
  };
  for (const Case& c : cases) {
    Search s(map, c.from, c.to);
    EXPECT_EQ(s.result, 0) << c.what;
    EXPECT_EQ(s.enemy.hasPath, 0) << c.what;
    EXPECT_TRUE(s.enemy.path.empty()) << c.what;
    EXPECT_TRUE(s.finder.openNodes.empty()) << c.what;
    EXPECT_EQ(s.finder.closedNodes.size(), c.closed) << c.what;
  }
}

TEST(FindPath, FarGoalEndsAtTheLastExpansion) {
  const Map map = MakeMap(40, 2);  // open floor, the goal 40 cells along row 1
  Search s(map, {0, 1}, {40, 1});
  ASSERT_EQ(s.result, 1);
  EXPECT_EQ(s.enemy.hasPath, 1);
  Cells expected;
  for (int column = 25; column >= 1; --column) expected.emplace_back(column, 1);
  EXPECT_EQ(s.Path(map), expected);
  ASSERT_EQ(s.finder.closedNodes.size(), 26u);  // the start and 25 expansions
  EXPECT_EQ(s.Closed().back(), std::make_pair(25, 1));
  EXPECT_FLOAT_EQ(s.enemy.waypointX, 96.0f);
  EXPECT_FLOAT_EQ(s.enemy.waypointY, 96.0f);
}

TEST(FindPath, GoesRoundCornersEvenWhenTheDiagonalIsOpen) {
  // . . . # T      The cheap route along row 2 would end with a diagonal past
  // S # . . .      the wall at (4,2) into (4,1), a cell already in the open
  // . . . . #      list by then; the search goes over the top instead.
  Map map = MakeMap(4, 2);
  AddWalls(map, {{1, 1}, {3, 0}, {4, 2}});
  Search s(map, {0, 1}, {4, 0});
  ASSERT_EQ(s.result, 1);
  EXPECT_EQ(s.Path(map), (Cells{{4, 0}, {4, 1}, {3, 1}, {2, 1}, {2, 0}, {1, 0}, {0, 0}}));
}

TEST(FindPath, EqualCostsGoToTheEarliestOpenNode) {
  // Every node around the wall costs 40: the top row is seen first, so each tie
  // goes to the node opened first and the path runs over the top, through row 0
  // and column 0.
  Map map = MakeMap(2, 2);
  AddWalls(map, {{1, 1}});
  Search s(map, {0, 1}, {2, 1});
  ASSERT_EQ(s.result, 1);
  EXPECT_EQ(s.Closed(), (Cells{{0, 1}, {0, 0}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 2}, {2, 1}}));
  EXPECT_EQ(s.Path(map), (Cells{{2, 1}, {2, 0}, {1, 0}, {0, 0}}));
  EXPECT_EQ(PathText(s.enemy.path), "002001002000001000");
}

TEST(FindPath, NeighbourGoalGivesOneWaypoint) {
  for (uint8_t tileSize : {64, 15, 33}) {
    const Map map = MakeMap(3, 3, tileSize);
    Search s(map, {1, 1}, {2, 2});
    ASSERT_EQ(s.result, 1) << int(tileSize);
    EXPECT_EQ(s.enemy.hasPath, 1);
    EXPECT_TRUE(s.enemy.path.empty());
    // Centre = index x tileSize + tileSize / 2 as a real: 82.5 for 33-pixel cells.
    EXPECT_EQ(s.enemy.waypointX, 2.0f * tileSize + tileSize / 2.0f);
    EXPECT_EQ(s.enemy.waypointY, 2.0f * tileSize + tileSize / 2.0f);
  }
}

TEST(FindPath, StaysOnMapsOfUnequalSides) {
  struct Case {
    int lastColumn, lastRow;
    std::pair<int, int> from, to;
  } cases[] = {
      {9, 2, {0, 2}, {9, 2}},  // wide: along the bottom edge to the far corner
      {9, 2, {9, 0}, {0, 0}},  // wide: along the top edge back to the origin
      {2, 9, {2, 0}, {2, 9}},  // tall: down the right edge
      {2, 9, {0, 9}, {0, 0}},  // tall: up the left edge
  };
  for (const Case& c : cases) {
    const Map map = MakeMap(c.lastColumn, c.lastRow);
    Search s(map, c.from, c.to);
    ASSERT_EQ(s.result, 1);
    EXPECT_EQ(s.Path(map).front(), c.to);
    EXPECT_EQ(s.Path(map).size(), 9u);  // straight along the edge
    for (const auto* list : {&s.finder.openNodes, &s.finder.closedNodes}) {
      for (const PathNode& n : *list) EXPECT_TRUE(InGrid(map, n.cellX, n.cellY)) << n.cellX << "," << n.cellY;
    }
  }
}

TEST(FindPath, CellsBeyondNineHundredNinetyNineKeepTheirPlace) {
  Map map = MakeMap(1499, 2);
  Search s(map, {1200, 1}, {1210, 1});
  ASSERT_EQ(s.result, 1);
  Cells expected;
  for (int column = 1210; column >= 1201; --column) expected.emplace_back(column, 1);
  EXPECT_EQ(s.Path(map), expected);
  EXPECT_FLOAT_EQ(s.enemy.waypointX, 1201 * 64 + 32.0f);
  EXPECT_EQ(PathText({Cell{1210, 1}, Cell{7, 12}, Cell{0, 0}}), "1210001007012000000");
}
