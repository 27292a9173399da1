// Prints a compiled map back as a map source that compiles to the same NAME.map.
#pragma once

#include <optional>
#include <string>

namespace mapc {

struct DumpInput {
  std::string name;                       // map name, the .map file's base name
  std::string mapBytes;                   // NAME.map
  std::optional<std::string> tileSetXml;  // NAME_TileSet.xml, when present: names the tile images
  std::optional<std::string> enemyList;   // NAME_Enemys.txt, when present: adds the enemies
};

// The source text. False with a message when the map cannot be read (the same
// dimensions the game refuses) or has more distinct cells than codes can name.
bool DumpMap(const DumpInput& input, std::string& source, std::string& error);

}  // namespace mapc
