#include "map_checks.h"

#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "content_names.h"

namespace mapc {

namespace {

constexpr int kMaxEdgeReports = 8;

std::string CellText(int32_t column, int32_t row) {
  return "column " + std::to_string(column) + ", row " + std::to_string(row);
}

// The cell of a world position: each coordinate divided by the tile size and
// truncated toward zero, as the game finds cells.
std::pair<int32_t, int32_t> CellOf(const MapBinary& map, int32_t x, int32_t y) {
  auto t = static_cast<float>(map.tileSize);
  return {static_cast<int32_t>(static_cast<float>(x) / t), static_cast<int32_t>(static_cast<float>(y) / t)};
}

class Checker {
 public:
  Checker(const MapBinary& map, const CheckLines& lines, bool strict, std::vector<Diagnostic>& diags)
      : map_(map), lines_(lines), strict_(strict), diags_(diags), grid_(BuildBlockGrid(map)) {}

  void Edges() {
    int reported = 0;
    int more = 0;
    for (int32_t r = 0; r < grid_.rows; ++r) {
      for (int32_t c = 0; c < grid_.columns; ++c) {
        bool edge = r == 0 || c == 0 || r == grid_.rows - 1 || c == grid_.columns - 1;
        size_t i = grid_.Index(c, r);
        if (!edge || (grid_.walk[i] != 0 && grid_.shot[i] != 0)) continue;
        if (reported++ < kMaxEdgeReports) {
          Report(RowLine(r), std::string("the map is open at its edge: the cell at ") + CellText(c, r) +
                                 (grid_.walk[i] == 0 ? " can be walked" : " lets shots through") +
                                 " (edge cells must block walking and shots)");
        } else {
          ++more;
        }
      }
    }
    if (more > 0) Report(0, std::to_string(more) + " more open edge cells");
  }

  void Doors() {
    std::set<std::pair<int32_t, int32_t>> seen;
    for (size_t i = 0; i < map_.doors.size(); ++i) {
      const DoorRecord& d = map_.doors[i];
      int line = i < lines_.doors.size() ? lines_.doors[i] : 0;
      if (!grid_.Inside(d.column, d.row)) {
        Report(line, "door at " + CellText(d.column, d.row) + " is outside the grid (columns 0-" +
                         std::to_string(map_.lastColumn) + ", rows 0-" + std::to_string(map_.lastRow) + ")");
        continue;
      }
      if (d.column == 0 || d.row == 0 || d.column == map_.lastColumn || d.row == map_.lastRow) {
        Report(line, "door at " + CellText(d.column, d.row) + " lies on the map's edge: once open it leads out of the map");
      }
      if (d.animationId < 0 || d.animationId > 100) {
        Report(line, "door animation " + std::to_string(d.animationId) + " is outside the animation table (0-100)");
      } else if (DoorStyleName(d.animationId) == nullptr) {
        Warn(line, "door animation " + std::to_string(d.animationId) + " is not one of the door animations (2-5)");
      }
      if (!seen.insert({d.column, d.row}).second) Warn(line, "two doors at " + CellText(d.column, d.row));
    }
  }

  void Start() {
    auto [c, r] = CellOf(map_, map_.startX, map_.startY);
    std::string where = "the start (" + std::to_string(map_.startX) + ", " + std::to_string(map_.startY) + ")";
    if (map_.startX < 0 || map_.startY < 0 || !grid_.Inside(c, r)) {
      Report(lines_.start, where + " is outside the map");
    } else if (grid_.WalkBlocked(c, r) || grid_.door[grid_.Index(c, r)] != 0) {
      Report(lines_.start, where + " is on a blocked cell (" + CellText(c, r) + ")");
    }
    // The player moves in whole 4 px steps and stops 28-32 px short of a blocked
    // cell. From a start whose coordinate is a multiple of 4 it stops exactly 32 px
    // short of a door on its left or top side, so the point half a tile ahead lands
    // on the door's edge, which does not count as inside: such doors never open.
    if (map_.tileSize % 4 == 0 && !map_.doors.empty() && (map_.startX % 4 == 0 || map_.startY % 4 == 0)) {
      Warn(lines_.start, where + " has a coordinate that is a multiple of 4: doors approached from the left or from "
                             "above cannot be opened (start 2 px off a cell centre, e.g. column * 64 + 30)");
    }
  }

  void Enemies(const std::vector<EnemyPlacement>& enemies) {
    for (const EnemyPlacement& e : enemies) {
      auto [c, r] = CellOf(map_, e.x, e.y);
      std::string where = "enemy at (" + std::to_string(e.x) + ", " + std::to_string(e.y) + ")";
      if (e.x < 0 || e.y < 0 || !grid_.Inside(c, r)) {
        Report(e.line, where + " is outside the map");
        continue;
      }
      if (grid_.WalkBlocked(c, r) || grid_.door[grid_.Index(c, r)] != 0) {
        Report(e.line, where + " stands on a wall or door (" + CellText(c, r) + ")");
      }
      if (e.type != kSoldierType && e.type != kTurretType) {
        Warn(e.line, where + " has type " + std::to_string(e.type) + ", which is neither 1 (soldier) nor 2 (turret)");
        continue;
      }
      int32_t sight = e.type == kSoldierType ? kSoldierSight : kTurretSight;
      double dx = static_cast<double>(e.x) - map_.startX;
      double dy = static_cast<double>(e.y) - map_.startY;
      double d = std::sqrt(dx * dx + dy * dy);
      if (d <= sight) {
        Warn(e.line, where + " is " + std::to_string(static_cast<int>(d)) + " px from the start, within its " +
                         std::to_string(sight) + " px sight: it fires at once");
      }
    }
  }

 private:
  int RowLine(int32_t row) const { return static_cast<size_t>(row) < lines_.rows.size() ? lines_.rows[static_cast<size_t>(row)] : 0; }
  void Report(int line, std::string text) { diags_.push_back({strict_, line, std::move(text)}); }
  void Warn(int line, std::string text) { diags_.push_back({false, line, std::move(text)}); }

  const MapBinary& map_;
  const CheckLines& lines_;
  bool strict_;
  std::vector<Diagnostic>& diags_;
  BlockGrid grid_;
};

}  // namespace

BlockGrid BuildBlockGrid(const MapBinary& map) {
  BlockGrid g;
  g.columns = map.Columns();
  g.rows = map.Rows();
  size_t n = static_cast<size_t>(g.columns) * static_cast<size_t>(g.rows);
  g.walk.assign(n, 0);
  g.shot.assign(n, 0);
  g.door.assign(n, 0);
  for (int layer = 0; layer < map.Layers(); ++layer) {
    for (int32_t r = 0; r < g.rows; ++r) {
      for (int32_t c = 0; c < g.columns; ++c) {
        const CellRecord& cell = map.Cell(layer, c, r);
        if (cell.walk == 1) g.walk[g.Index(c, r)] = 1;
        if (cell.shot == 1) g.shot[g.Index(c, r)] = 1;
      }
    }
  }
  for (const DoorRecord& d : map.doors) {
    if (g.Inside(d.column, d.row)) g.door[g.Index(d.column, d.row)] = 1;
  }
  return g;
}

void CheckMap(const MapBinary& map, const std::vector<EnemyPlacement>& enemies, const CheckLines& lines,
              bool strict, std::vector<Diagnostic>& diags) {
  Checker checker(map, lines, strict, diags);
  checker.Edges();
  checker.Doors();
  checker.Start();
  checker.Enemies(enemies);
}

}  // namespace mapc
