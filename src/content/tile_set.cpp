#include "content/tile_set.h"

#include <string>

#include "base/numbers.h"
#include "base/xml.h"
#include "world/assets.h"
#include "world/map.h"

namespace {

// 1000 + ID with 32-bit wrap-around (IDs are not range-checked).
int32_t TileSprite(int32_t id) {
  return static_cast<int32_t>(static_cast<uint32_t>(kTileSpriteBase) + static_cast<uint32_t>(id));
}

TileDef ReadTile(const XmlNode& element, const std::string& directory, SpriteStore& sprites) {
  TileDef tile;
  const int32_t number = TileSprite(ReadInt(element.Attribute("ID")));
  for (const XmlNode& item : element.children) {
    if (item.name == "Image") {
      if (LoadAssetKeyed(sprites, number, directory + item.Attribute("File"))) tile.sprite = number;
    } else if (item.name == "Layer") {
      tile.layer = ReadByte(item.Attribute("L"));
    } else if (item.name == "PCollision") {
      if (item.Attribute("PColl") == "True") tile.pColl = 1;
    } else if (item.name == "SCollision") {
      if (item.Attribute("SColl") == "True") tile.sColl = 1;
    } else if (item.name == "Material") {
      tile.material = ReadByte(item.Attribute("M"));
    }
  }
  return tile;
}

}  // namespace

bool LoadTileSet(std::vector<TileDef>& tiles, Map& map, SpriteStore& sprites, std::string_view path) {
  XmlNode root;
  if (!LoadXml(path, root) || root.name != "TileSet") return false;
  map.tileSetFile = std::string(path);
  for (const TileDef& tile : tiles) {
    if (tile.sprite != 0) ReleaseAsset(sprites, tile.sprite);
  }
  tiles.clear();
  std::string directory = "Data\\GFX\\TileSet\\";
  for (const XmlNode& child : root.children) {
    if (child.name == "Tile") {
      tiles.push_back(ReadTile(child, directory, sprites));
    } else if (child.name == "Path") {
      directory = child.text + "\\";
    }
  }
  return true;
}
