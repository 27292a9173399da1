#include "companion_files.h"

#include "base/numbers.h"
#include "base/xml.h"

namespace mapc {

namespace {

std::string XmlAttribute(std::string_view value) {
  std::string out;
  for (char c : value) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out.push_back(c);
    }
  }
  return out;
}

const char* TrueFalse(bool v) { return v ? "True" : "False"; }

// Splits text at the line ends of the text line rule: CR, LF, CR LF or a zero byte.
std::vector<std::string_view> TextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t begin = 0;
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i];
    if (c != '\r' && c != '\n' && c != '\0') {
      ++i;
      continue;
    }
    lines.push_back(text.substr(begin, i - begin));
    ++i;
    if (c == '\r' && i < text.size() && text[i] == '\n') ++i;
    begin = i;
  }
  if (begin < text.size()) lines.push_back(text.substr(begin));
  return lines;
}

}  // namespace

std::string WriteTileSet(const std::vector<TileEntry>& tiles) {
  std::string out = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<TileSet>\n";
  for (const TileEntry& t : tiles) {
    out += "  <Tile ID=\"" + std::to_string(t.id) + "\">\n";
    out += "    <Image File=\"" + XmlAttribute(t.image) + "\"/>\n";
    out += "    <Layer L=\"" + std::to_string(t.layer) + "\"/>\n";
    out += std::string("    <PCollision PColl=\"") + TrueFalse(t.pColl) + "\"/>\n";
    out += std::string("    <SCollision SColl=\"") + TrueFalse(t.sColl) + "\"/>\n";
    out += "    <Material M=\"" + std::to_string(t.material) + "\"/>\n";
    out += "  </Tile>\n";
  }
  out += "</TileSet>\n";
  return out;
}

std::string WriteEnemyList(const std::vector<EnemyPlacement>& enemies) {
  std::string out;
  for (const EnemyPlacement& e : enemies) {
    out += std::to_string(e.type) + "|" + std::to_string(e.x) + "|" + std::to_string(e.y) + "\r\n";
  }
  return out;
}

std::map<int32_t, std::string> ReadTileImages(std::string_view xml) {
  std::map<int32_t, std::string> images;
  XmlNode root;
  if (!ParseXml(xml, root) || root.name != "TileSet") return images;
  for (const XmlNode& tile : root.children) {
    if (tile.name != "Tile") continue;
    int32_t id = ReadInt(tile.Attribute("ID"));
    for (const XmlNode& child : tile.children) {
      if (child.name == "Image") images[id] = child.Attribute("File");
    }
  }
  return images;
}

std::vector<EnemyPlacement> ReadEnemyList(std::string_view text, size_t maxEnemies) {
  std::vector<EnemyPlacement> enemies;
  int line = 0;
  for (std::string_view l : TextLines(text)) {
    ++line;
    if (l.empty()) continue;
    if (enemies.size() >= maxEnemies) break;
    EnemyPlacement e;
    e.line = line;
    int32_t* fields[] = {&e.type, &e.x, &e.y};
    for (int32_t* field : fields) {
      size_t bar = l.find('|');
      *field = ReadInt(l.substr(0, bar));
      if (bar == std::string_view::npos) break;
      l.remove_prefix(bar + 1);
    }
    enemies.push_back(e);
  }
  return enemies;
}

}  // namespace mapc
