// A map source as the author wrote it, after parsing and before compiling: the
// header lines, the legend, one character grid per layer, and the placed lights,
// doors and enemies. Every part keeps the line it came from for messages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "map_binary.h"

namespace mapc {

// One message about a source or a map, "file:line: error: text" when printed.
struct Diagnostic {
  bool error = true;  // false: a warning
  int line = 0;       // 0 when no line applies
  std::string text;
};

// A legend entry: the code a grid uses for a cell, and what that cell holds.
struct LegendEntry {
  std::string code;         // cellWidth characters
  CellRecord cell;          // sprite is filled in when the image gets its tile ID
  std::string image;        // tile image file name; empty for "sprite N" and "empty"
  int32_t tileId = -1;      // pinned tile ID ("id N"), -1 = assigned by the compiler
  int32_t doorAnimation = -1;  // "door STYLE": a door is placed on every such cell
  int line = 0;
};

// One layer grid: rows of codes, each row with its line.
struct LayerGrid {
  int layer = 0;
  int line = 0;  // the "layer N" line
  std::vector<std::string> rows;
  std::vector<int> rowLines;
};

// A start or enemy position: a cell's centre or a pixel position.
struct Position {
  bool isCell = false;
  int32_t a = 0;  // column or x
  int32_t b = 0;  // row or y
};

// How a light's position was written: its top-left corner ("at"), its centre in
// pixels ("center") or the centre of a cell ("cell").
enum class Placement : uint8_t { TopLeft, Centre, Cell };

struct SourceLight {
  LightRecord light;  // x and y are filled in by the compiler from the placement
  Placement placement = Placement::TopLeft;
  int32_t a = 0;  // x or column
  int32_t b = 0;  // y or row
  int line = 0;
};

struct SourceDoor {
  DoorRecord door;
  int line = 0;
};

struct SourceEnemy {
  int32_t type = 0;
  Position position;
  bool explicitType = false;  // written as "enemy N" rather than soldier or turret
  int line = 0;
};

struct MapSource {
  std::string fileName;  // for messages
  std::string name;      // map name: output files NAME.map, NAME_TileSet.xml, NAME_Enemys.txt
  uint32_t valueBits = 0x3f800000;
  std::string headerText;
  HeaderEnd headerEnd = HeaderEnd::CrLf;
  std::optional<int> tileSize;
  std::optional<Position> start;
  int startLine = 0;
  int tileLine = 0;
  int headerEndLine = 0;
  int headerLine = 0;
  int cellWidth = 1;
  bool checks = true;  // "checks off" turns the playability checks into warnings
  std::vector<LegendEntry> legend;
  std::vector<LayerGrid> layers;
  std::vector<SourceLight> lights;
  std::vector<SourceDoor> doors;
  std::vector<SourceEnemy> enemies;
};

}  // namespace mapc
