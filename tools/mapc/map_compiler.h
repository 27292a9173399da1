// Turns a map source into the three files the game reads for one map.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "companion_files.h"
#include "map_binary.h"
#include "map_source.h"

namespace mapc {

struct CompiledMap {
  std::string name;         // base name of the three files
  MapBinary binary;         // the records of NAME.map
  std::vector<TileEntry> tiles;
  std::vector<EnemyPlacement> enemies;
  std::string mapBytes;     // NAME.map
  std::string tileSetXml;   // NAME_TileSet.xml
  std::string enemyList;    // NAME_Enemys.txt
};

// Compiles a parsed source. Problems go to diags; false when any is an error
// (out is then incomplete).
bool CompileSource(const MapSource& source, CompiledMap& out, std::vector<Diagnostic>& diags);

// Parses and compiles source text in one go.
bool CompileText(std::string_view text, const std::string& fileName, CompiledMap& out,
                 std::vector<Diagnostic>& diags);

}  // namespace mapc
