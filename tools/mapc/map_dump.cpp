#include "map_dump.h"

#include <cstdio>
#include <map>
#include <vector>

#include "companion_files.h"
#include "content_names.h"
#include "map_binary.h"
#include "map_checks.h"
#include "source_parser.h"
#include "source_text.h"

namespace mapc {

namespace {

// Every character a cell code may use, most readable first.
constexpr std::string_view kCodePool =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!$()*+/<>?[]^{|}~\\'&%@#_.,:=-`";
constexpr size_t kMaxEnemies = 1u << 20;
constexpr int kMaxProblemNotes = 5;

enum class Kind { Empty, Floor, Wall, Low, Other };

Kind KindOf(const CellRecord& c) {
  if (c == CellRecord{}) return Kind::Empty;
  if (c.walk == 0 && c.shot == 0) return Kind::Floor;
  if (c.walk == 1 && c.shot == 1) return Kind::Wall;
  if (c.walk == 1 && c.shot == 0) return Kind::Low;
  return Kind::Other;
}

// Codes for the distinct cells: single characters chosen by kind when they fit,
// else runs of two or three characters from the pool.
class CodeBook {
 public:
  bool Build(const std::vector<CellRecord>& distinct, std::string& error) {
    size_t n = distinct.size();
    size_t pool = kCodePool.size();
    width_ = n <= pool ? 1 : n <= pool * pool ? 2 : n <= pool * pool * pool ? 3 : 0;
    if (width_ == 0) {
      error = "the map has " + std::to_string(n) + " distinct cells, more than codes of three characters can name";
      return false;
    }
    if (width_ == 1) {
      BuildSingle(distinct);
      return true;
    }
    for (size_t i = 0; i < n; ++i) {
      std::string code;
      size_t v = i;
      for (int k = 0; k < width_; ++k, v /= pool) code.insert(code.begin(), kCodePool[v % pool]);
      codes_.push_back(code);
    }
    return true;
  }
  int Width() const { return width_; }
  const std::string& Code(size_t i) const { return codes_[i]; }

 private:
  void BuildSingle(const std::vector<CellRecord>& distinct) {
    static const std::map<Kind, std::string_view> kPreferred = {
        {Kind::Empty, "_"}, {Kind::Floor, ".,:'`-~"}, {Kind::Wall, "#%&@=XWMOH"}, {Kind::Low, "+*^"}};
    std::string used;
    codes_.assign(distinct.size(), "");
    for (size_t i = 0; i < distinct.size(); ++i) {
      auto it = kPreferred.find(KindOf(distinct[i]));
      if (it == kPreferred.end()) continue;
      for (char c : it->second) {
        if (used.find(c) != std::string::npos) continue;
        codes_[i] = std::string(1, c);
        used.push_back(c);
        break;
      }
    }
    size_t next = 0;
    for (std::string& code : codes_) {
      if (!code.empty()) continue;
      while (used.find(kCodePool[next]) != std::string::npos) ++next;
      code = std::string(1, kCodePool[next]);
      used.push_back(kCodePool[next]);
    }
  }

  int width_ = 1;
  std::vector<std::string> codes_;
};

// An image name the compiler accepts: not empty, no control characters.
bool Nameable(const std::string& image) {
  if (image.empty()) return false;
  for (char c : image) {
    if (static_cast<unsigned char>(c) < 32) return false;
  }
  return true;
}

// A position as "cell C R" when it is a cell's centre, else "at X Y".
std::string PositionText(int32_t x, int32_t y, int32_t tile) {
  auto cellOf = [tile](int32_t v, int32_t& cell) {
    int64_t offset = int64_t{v} - tile / 2;
    if (offset < 0 || offset % tile != 0) return false;
    cell = static_cast<int32_t>(offset / tile);
    return true;
  };
  int32_t c = 0;
  int32_t r = 0;
  if (cellOf(x, c) && cellOf(y, r)) return "cell " + std::to_string(c) + " " + std::to_string(r);
  return "at " + std::to_string(x) + " " + std::to_string(y);
}

class Dumper {
 public:
  Dumper(const DumpInput& in, const MapBinary& map, const DecodeReport& report)
      : in_(in), map_(map), report_(report) {
    if (in.tileSetXml) tileImages_ = ReadTileImages(*in.tileSetXml);
    if (in.enemyList) enemies_ = ReadEnemyList(*in.enemyList, kMaxEnemies);
  }

  bool Run(std::string& out, std::string& error) {
    std::map<CellRecord, size_t> index;
    const size_t maxCodes = kCodePool.size() * kCodePool.size() * kCodePool.size();
    for (const CellRecord& c : map_.cells) {
      if (!index.emplace(c, distinct_.size()).second) continue;
      distinct_.push_back(c);
      if (distinct_.size() > maxCodes) {
        error = "the map has more distinct cells than codes of three characters can name";
        return false;
      }
    }
    if (!codes_.Build(distinct_, error)) return false;
    Header(out);
    Legend(out);
    Grids(out, index);
    Placements(out);
    return true;
  }

 private:
  void Header(std::string& out) {
    out += "; " + in_.name + ", printed by mapc --dump from " + in_.name + ".map\n";
    if (report_.endedEarly) out += "; note: the file ended early; the missing bytes read as zeros\n";
    if (report_.headerCut) out += "; note: the header line is cut to " + std::to_string(kMaxHeaderLine) + " bytes\n";
    if (report_.trailingBytes > 0) out += "; note: " + std::to_string(report_.trailingBytes) + " bytes after the doors are not kept\n";
    out += "map " + Quote(in_.name) + "\n";
    std::string real;
    if (FormatReal(map_.valueBits, real)) {
      out += "value " + real + "\n";
    } else {
      char hex[16];
      std::snprintf(hex, sizeof hex, "%08x", map_.valueBits);
      out += std::string("value_bits ") + hex + "\n";
    }
    out += "header " + Quote(map_.headerText) + "\n";
    static const char* kEnds[] = {"crlf", "lf", "cr", "nul"};
    if (map_.headerEnd != HeaderEnd::CrLf) out += std::string("header_end ") + kEnds[static_cast<int>(map_.headerEnd)] + "\n";
    out += "tile " + std::to_string(map_.tileSize) + "\n";
    out += "start " + PositionText(map_.startX, map_.startY, map_.tileSize) + "\n";
    Checks(out);
    if (codes_.Width() > 1) out += "cell_width " + std::to_string(codes_.Width()) + "\n";
  }

  // A map that fails the playability checks is printed with them turned off, so
  // that it still compiles back.
  void Checks(std::string& out) {
    std::vector<Diagnostic> diags;
    CheckMap(map_, enemies_, CheckLines{}, true, diags);
    int errors = 0;
    for (const Diagnostic& d : diags) {
      if (!d.error) continue;
      if (errors++ < kMaxProblemNotes) out += "; problem: " + d.text + "\n";
    }
    if (errors > 0) out += "checks off\n";
  }

  void Legend(std::string& out) {
    out += "\nlegend\n";
    for (size_t i = 0; i < distinct_.size(); ++i) out += codes_.Code(i) + "  " + LegendText(distinct_[i]) + "\n";
  }

  std::string LegendText(const CellRecord& c) const {
    static const char* kKinds[] = {"empty", "floor", "wall", "low", "cell"};
    Kind kind = KindOf(c);
    std::string text = kKinds[static_cast<int>(kind)];
    if (kind == Kind::Empty) return text;
    text.resize(5, ' ');  // the kinds line up
    auto image = tileImages_.find(c.sprite - kTileSpriteBase);
    bool named = c.sprite >= kTileSpriteBase && c.sprite <= kTileSpriteBase + 999 && image != tileImages_.end() &&
                 Nameable(image->second);
    if (named) text += " " + Quote(image->second) + " id " + std::to_string(image->first);
    else if (c.sprite != 0) text += " sprite " + std::to_string(c.sprite);
    if (kind == Kind::Other) text += " walk " + std::to_string(c.walk) + " shot " + std::to_string(c.shot);
    if (c.material != 0) text += " material " + std::to_string(c.material);
    return text;
  }

  void Grids(std::string& out, const std::map<CellRecord, size_t>& index) {
    for (int layer = 0; layer < map_.Layers(); ++layer) {
      out += "\nlayer " + std::to_string(layer) + "\n";
      for (int32_t r = 0; r < map_.Rows(); ++r) {
        for (int32_t c = 0; c < map_.Columns(); ++c) out += codes_.Code(index.at(map_.Cell(layer, c, r)));
        out += "\n";
      }
    }
  }

  void Placements(std::string& out) {
    if (!map_.lights.empty()) out += "\n";
    for (const LightRecord& l : map_.lights) out += LightText(l) + "\n";
    if (!map_.doors.empty()) out += "\n";
    for (const DoorRecord& d : map_.doors) {
      const char* style = DoorStyleName(d.animationId);
      out += "door " + (style != nullptr ? std::string(style) : std::to_string(d.animationId)) + " cell " +
             std::to_string(d.column) + " " + std::to_string(d.row) + "\n";
    }
    if (!enemies_.empty()) out += "\n";
    for (const EnemyPlacement& e : enemies_) {
      std::string type = e.type == kSoldierType ? "soldier" : e.type == kTurretType ? "turret" : "enemy " + std::to_string(e.type);
      out += type + " " + PositionText(e.x, e.y, map_.tileSize) + "\n";
    }
  }

  static std::string LightText(const LightRecord& l) {
    const LightName* name = LightNameForSprite(l.sprite);
    std::string text = "light " + (name != nullptr ? std::string(name->name) : "sprite " + std::to_string(l.sprite));
    text += " at " + std::to_string(l.x) + " " + std::to_string(l.y);
    text += " size " + std::to_string(l.width) + " " + std::to_string(l.height);
    if (l.angle != 0) text += " angle " + std::to_string(l.angle);
    if (l.on == 0) text += " off";
    else if (l.on != 1) text += " on " + std::to_string(l.on);
    return text;
  }

  const DumpInput& in_;
  const MapBinary& map_;
  const DecodeReport& report_;
  std::map<int32_t, std::string> tileImages_;
  std::vector<EnemyPlacement> enemies_;
  std::vector<CellRecord> distinct_;
  CodeBook codes_;
};

}  // namespace

bool DumpMap(const DumpInput& input, std::string& source, std::string& error) {
  MapBinary map;
  DecodeReport report;
  if (!DecodeMap(input.mapBytes, map, report, error)) return false;
  source.clear();
  return Dumper(input, map, report).Run(source, error);
}

}  // namespace mapc
