#include "map_compiler.h"

#include <algorithm>
#include <map>

#include "map_checks.h"
#include "source_parser.h"

namespace mapc {

namespace {

constexpr size_t kMaxErrors = 100;
constexpr int32_t kMaxTileId = 999;

class Compiler {
 public:
  Compiler(const MapSource& src, CompiledMap& out, std::vector<Diagnostic>& diags)
      : src_(src), out_(out), diags_(diags) {}

  bool Run() {
    out_ = CompiledMap{};
    out_.name = src_.name;
    if (out_.name.empty()) Error(1, "the map has no name (add: map NAME)");
    if (!Header()) return false;
    AssignTileIds();
    if (!Grids()) return false;
    Doors();
    Lights();
    Placements();
    if (!ok_) return false;
    Tiles();
    CheckMap(out_.binary, out_.enemies, lines_, src_.checks, diags_);
    for (const Diagnostic& d : diags_) ok_ = ok_ && !d.error;
    if (!ok_) return false;
    out_.mapBytes = EncodeMap(out_.binary);
    out_.tileSetXml = WriteTileSet(out_.tiles);
    out_.enemyList = WriteEnemyList(out_.enemies);
    return true;
  }

 private:
  void Error(int line, std::string text) {
    ok_ = false;
    if (diags_.size() < kMaxErrors) diags_.push_back({true, line, std::move(text)});
  }

  int32_t Tile() const { return *src_.tileSize; }

  bool Header() {
    if (!src_.tileSize) Error(1, "missing header line: tile SIZE (the cell edge in pixels, e.g. tile 64)");
    if (!src_.start) Error(1, "missing header line: start cell COLUMN ROW (or start at X Y)");
    if (src_.layers.empty()) Error(1, "the map has no grid (add: layer 0, then one row of cell codes per line)");
    if (src_.headerText.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
      Error(src_.headerLine, "the header text must not hold a line end or a zero byte");
    }
    if (src_.headerEnd == HeaderEnd::Cr && src_.tileSize == 10) {
      Error(src_.headerEndLine, "header_end cr with tile size 10 would read back as a CR LF line end");
    }
    MapBinary& b = out_.binary;
    b.valueBits = src_.valueBits;
    b.headerText = src_.headerText;
    b.headerEnd = src_.headerEnd;
    if (src_.tileSize) b.tileSize = static_cast<uint8_t>(*src_.tileSize);
    return ok_;
  }

  void AssignTileIds() {
    legendCells_.resize(src_.legend.size());
    std::map<int32_t, const LegendEntry*> idOwner;
    for (const LegendEntry& e : src_.legend) {
      if (e.image.empty() || e.tileId < 0) continue;
      auto [it, fresh] = idOwner.emplace(e.tileId, &e);
      if (!fresh && it->second->image != e.image) {
        Error(e.line, "tile ID " + std::to_string(e.tileId) + " is already \"" + it->second->image + "\" (line " +
                          std::to_string(it->second->line) + ")");
      }
      imageIds_.emplace(e.image, e.tileId);
    }
    int32_t next = 1;
    for (const LegendEntry& e : src_.legend) {
      if (e.image.empty() || e.tileId >= 0 || imageIds_.count(e.image) != 0) continue;
      while (idOwner.count(next) != 0) ++next;
      if (next > kMaxTileId) {
        Error(e.line, "more than 999 tile images");
        return;
      }
      idOwner.emplace(next, &e);
      imageIds_.emplace(e.image, next);
    }
    for (size_t i = 0; i < src_.legend.size(); ++i) {
      const LegendEntry& e = src_.legend[i];
      legendCells_[i] = e.cell;
      for (char c : e.image) {
        if (static_cast<unsigned char>(c) < 32) Error(e.line, "the image name holds a control character");
      }
      if (e.image.empty()) continue;
      int32_t id = e.tileId >= 0 ? e.tileId : imageIds_[e.image];
      legendCells_[i].sprite = kTileSpriteBase + id;
      tileOf_[i] = id;
    }
    for (const auto& [id, owner] : idOwner) tileImages_[id] = owner->image;
  }

  const LayerGrid* SortedLayers(std::vector<const LayerGrid*>& layers) {
    for (const LayerGrid& g : src_.layers) {
      if (g.layer >= 0) layers.push_back(&g);
    }
    std::sort(layers.begin(), layers.end(), [](const LayerGrid* a, const LayerGrid* b) { return a->layer < b->layer; });
    for (size_t i = 0; i < layers.size(); ++i) {
      if (layers[i]->layer != static_cast<int>(i)) {
        Error(layers[i]->line, "layer " + std::to_string(i) + " is missing (layers are numbered 0, 1, 2 ... without gaps)");
        return nullptr;
      }
    }
    if (layers.empty() || layers[0]->rows.empty()) {
      Error(layers.empty() ? 1 : layers[0]->line, "layer 0 has no rows");
      return nullptr;
    }
    return layers[0];
  }

  bool Grids() {
    std::vector<const LayerGrid*> layers;
    const LayerGrid* first = SortedLayers(layers);
    if (first == nullptr) return false;
    size_t width = static_cast<size_t>(src_.cellWidth);
    size_t rowChars = first->rows[0].size();
    if (rowChars % width != 0) {
      Error(first->rowLines[0], "the row has " + std::to_string(rowChars) + " characters, not a multiple of the cell width " +
                                    std::to_string(width));
      return false;
    }
    int64_t columns = static_cast<int64_t>(rowChars / width);
    int64_t rows = static_cast<int64_t>(first->rows.size());
    if (columns * rows * static_cast<int64_t>(layers.size()) > kMaxCells) {
      Error(first->line, "the map has more than " + std::to_string(kMaxCells) + " cells");
      return false;
    }
    MapBinary& b = out_.binary;
    b.lastColumn = static_cast<int32_t>(columns - 1);
    b.lastRow = static_cast<int32_t>(rows - 1);
    b.lastLayer = static_cast<uint8_t>(layers.size() - 1);
    b.cells.assign(static_cast<size_t>(columns * rows) * layers.size(), CellRecord{});
    lines_.rows = first->rowLines;
    std::map<std::string, size_t> codes;
    for (size_t i = 0; i < src_.legend.size(); ++i) codes.emplace(src_.legend[i].code, i);
    for (const LayerGrid* g : layers) Grid(*g, rows, rowChars, codes);
    return ok_;
  }

  void Grid(const LayerGrid& g, int64_t rows, size_t rowChars, const std::map<std::string, size_t>& codes) {
    if (static_cast<int64_t>(g.rows.size()) != rows) {
      Error(g.line, "layer " + std::to_string(g.layer) + " has " + std::to_string(g.rows.size()) + " rows, layer 0 has " +
                        std::to_string(rows));
      return;
    }
    size_t width = static_cast<size_t>(src_.cellWidth);
    for (size_t r = 0; r < g.rows.size() && diags_.size() < kMaxErrors; ++r) {
      const std::string& row = g.rows[r];
      if (row.size() != rowChars) {
        Error(g.rowLines[r], "ragged row: " + std::to_string(row.size()) + " characters where the first row of layer 0 has " +
                                 std::to_string(rowChars));
        continue;
      }
      for (size_t c = 0; c * width < row.size(); ++c) {
        std::string code = row.substr(c * width, width);
        auto it = codes.find(code);
        if (it == codes.end()) {
          Error(g.rowLines[r], "unknown cell code \"" + code + "\" in column " + std::to_string(c) + " (it has no legend entry)");
          continue;
        }
        size_t index = out_.binary.CellIndex(g.layer, static_cast<int32_t>(c), static_cast<int32_t>(r));
        out_.binary.cells[index] = legendCells_[it->second];
        NoteUse(it->second, g.layer);
        const LegendEntry& e = src_.legend[it->second];
        if (e.doorAnimation >= 0) {
          out_.binary.doors.push_back({e.doorAnimation, static_cast<int32_t>(c), static_cast<int32_t>(r)});
          lines_.doors.push_back(g.rowLines[r]);
        }
      }
    }
  }

  void NoteUse(size_t legendIndex, int layer) {
    auto it = tileOf_.find(legendIndex);
    if (it == tileOf_.end()) return;
    auto [layerIt, fresh] = tileLayer_.emplace(it->second, layer);
    if (!fresh) layerIt->second = std::min(layerIt->second, layer);
  }

  void Doors() {
    for (const SourceDoor& d : src_.doors) {
      out_.binary.doors.push_back(d.door);
      lines_.doors.push_back(d.line);
    }
  }

  bool Fits(int64_t v, int line, const char* what) {
    if (v >= INT32_MIN && v <= INT32_MAX) return true;
    Error(line, std::string(what) + " is out of range");
    return false;
  }

  // The centre of a cell in world pixels.
  int64_t CellCentre(int32_t index) const { return int64_t{index} * Tile() + Tile() / 2; }

  void Lights() {
    for (const SourceLight& s : src_.lights) {
      LightRecord l = s.light;
      int64_t x = s.a;
      int64_t y = s.b;
      if (s.placement == Placement::Cell) {
        x = CellCentre(s.a);
        y = CellCentre(s.b);
      }
      if (s.placement != Placement::TopLeft) {
        x -= l.width / 2;
        y -= l.height / 2;
      }
      if (!Fits(x, s.line, "the light's x") || !Fits(y, s.line, "the light's y")) continue;
      l.x = static_cast<int32_t>(x);
      l.y = static_cast<int32_t>(y);
      out_.binary.lights.push_back(l);
    }
  }

  bool Resolve(const Position& p, int line, int32_t& x, int32_t& y) {
    int64_t px = p.isCell ? CellCentre(p.a) : p.a;
    int64_t py = p.isCell ? CellCentre(p.b) : p.b;
    if (!Fits(px, line, "the x position") || !Fits(py, line, "the y position")) return false;
    x = static_cast<int32_t>(px);
    y = static_cast<int32_t>(py);
    return true;
  }

  void Placements() {
    Resolve(*src_.start, src_.startLine, out_.binary.startX, out_.binary.startY);
    lines_.start = src_.startLine;
    for (const SourceEnemy& s : src_.enemies) {
      EnemyPlacement e;
      e.type = s.type;
      e.line = s.line;
      if (Resolve(s.position, s.line, e.x, e.y)) out_.enemies.push_back(e);
    }
  }

  void Tiles() {
    for (const auto& [id, image] : tileImages_) {
      TileEntry t;
      t.id = id;
      t.image = image;
      auto layer = tileLayer_.find(id);
      t.layer = static_cast<uint8_t>(layer == tileLayer_.end() ? 0 : layer->second);
      for (size_t i = 0; i < src_.legend.size(); ++i) {
        auto owner = tileOf_.find(i);
        if (owner == tileOf_.end() || owner->second != id) continue;
        t.pColl = legendCells_[i].walk == 1;
        t.sColl = legendCells_[i].shot == 1;
        t.material = legendCells_[i].material;
        break;
      }
      out_.tiles.push_back(t);
    }
  }

  const MapSource& src_;
  CompiledMap& out_;
  std::vector<Diagnostic>& diags_;
  bool ok_ = true;
  std::vector<CellRecord> legendCells_;      // per legend entry, sprite resolved
  std::map<size_t, int32_t> tileOf_;         // legend entry -> tile ID
  std::map<std::string, int32_t> imageIds_;  // image -> first tile ID holding it
  std::map<int32_t, std::string> tileImages_;
  std::map<int32_t, int> tileLayer_;         // tile ID -> lowest layer it is drawn on
  CheckLines lines_;
};

}  // namespace

bool CompileSource(const MapSource& source, CompiledMap& out, std::vector<Diagnostic>& diags) {
  return Compiler(source, out, diags).Run();
}

bool CompileText(std::string_view text, const std::string& fileName, CompiledMap& out,
                 std::vector<Diagnostic>& diags) {
  MapSource source;
  if (!ParseSource(text, fileName, source, diags)) return false;
  return CompileSource(source, out, diags);
}

}  // namespace mapc
