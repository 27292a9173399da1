// The document's edits of placed lights, and copying and pasting rectangles of cells.
#include <algorithm>

#include "editor/map_document.h"

namespace editor {

namespace {

// The cell a pixel position lies in; false left of or above the map.
bool PixelCell(int64_t x, int64_t y, int tile, int& column, int& row) {
  if (tile <= 0 || x < 0 || y < 0) return false;
  column = static_cast<int>(x / tile);
  row = static_cast<int>(y / tile);
  return true;
}

bool LightCell(const mapc::SourceLight& l, int tile, int& column, int& row) {
  if (l.placement == mapc::Placement::Cell) {
    column = l.a;
    row = l.b;
    return true;
  }
  const int64_t dx = l.placement == mapc::Placement::TopLeft ? l.light.width / 2 : 0;
  const int64_t dy = l.placement == mapc::Placement::TopLeft ? l.light.height / 2 : 0;
  return PixelCell(int64_t{l.a} + dx, int64_t{l.b} + dy, tile, column, row);
}

bool PositionCell(const mapc::Position& p, int tile, int& column, int& row) {
  if (!p.isCell) return PixelCell(p.a, p.b, tile, column, row);
  column = p.a;
  row = p.b;
  return true;
}

LightLook LookOf(const mapc::LightRecord& l) { return LightLook{l.width, l.height, l.angle, l.on}; }

// Replaces the codes of a grid row's cells c0.. with `codes` (one cell each).
void PutCodes(std::string& line, const std::string& row, int width, int c0, const std::vector<std::string>& codes) {
  const size_t base = line.find(row);
  if (base == std::string::npos) return;
  for (size_t i = 0; i < codes.size(); ++i) {
    const size_t at = base + (static_cast<size_t>(c0) + i) * static_cast<size_t>(width);
    if (codes[i].size() == static_cast<size_t>(width) && at + codes[i].size() <= base + row.size()) {
      line.replace(at, codes[i].size(), codes[i]);
    }
  }
}

}  // namespace

std::vector<CellClip::Placed> MapDocument::PlacedIn(int c0, int r0, int c1, int r1) const {
  const int tile = TileSize();
  std::vector<CellClip::Placed> found;
  auto keep = [&](int line, bool placed, int column, int row) {
    if (placed && column >= c0 && column <= c1 && row >= r0 && row <= r1 && line > 0 &&
        static_cast<size_t>(line) <= lines_.size()) {
      found.push_back(CellClip::Placed{lines_[static_cast<size_t>(line - 1)], line, column, row});
    }
  };
  int column = 0, row = 0;
  for (const mapc::SourceLight& l : source_.lights) {
    const bool placed = LightCell(l, tile, column, row);
    keep(l.line, placed, column, row);
  }
  for (const mapc::SourceDoor& d : source_.doors) keep(d.line, true, d.door.column, d.door.row);
  for (const mapc::SourceEnemy& e : source_.enemies) {
    const bool placed = PositionCell(e.position, tile, column, row);
    keep(e.line, placed, column, row);
  }
  return found;
}

bool MapDocument::LightLookAt(int column, int row, LightLook& look) const {
  bool found = false;
  int c = 0, r = 0;
  for (const mapc::SourceLight& l : source_.lights) {
    if (LightCell(l, TileSize(), c, r) && c == column && r == row) {
      look = LookOf(l.light);
      found = true;
    }
  }
  return found;
}

bool MapDocument::SetLightLook(int column, int row, const LightLook& look) {
  const mapc::SourceLight* light = nullptr;
  int c = 0, r = 0;
  for (const mapc::SourceLight& l : source_.lights) {
    if (LightCell(l, TileSize(), c, r) && c == column && r == row) light = &l;
  }
  if (light == nullptr || light->line <= 0 || static_cast<size_t>(light->line) > lines_.size()) return false;
  std::vector<std::string> lines = lines_;
  std::string& line = lines[static_cast<size_t>(light->line - 1)];
  if (!RewriteLightLine(line, LookOf(light->light), look, line)) return false;
  return EditLines(std::move(lines));
}

CellClip MapDocument::Copy(int column, int row, int columns, int rows) const {
  CellClip clip;
  const int c0 = std::max(0, column), r0 = std::max(0, row);
  const int c1 = std::min(Columns() - 1, column + columns - 1), r1 = std::min(Rows() - 1, row + rows - 1);
  if (c1 < c0 || r1 < r0 || columns <= 0 || rows <= 0) return clip;
  clip.column = c0;
  clip.row = r0;
  clip.columns = c1 - c0 + 1;
  clip.rows = r1 - r0 + 1;
  clip.codes.resize(static_cast<size_t>(Layers()));
  for (int l = 0; l < Layers(); ++l) {
    for (int r = r0; r <= r1; ++r) {
      for (int c = c0; c <= c1; ++c) clip.codes[static_cast<size_t>(l)].push_back(CodeAt(l, c, r));
    }
  }
  clip.placed = PlacedIn(c0, r0, c1, r1);
  return clip;
}

bool MapDocument::Paste(const CellClip& clip, int column, int row) {
  const int c0 = std::max(0, column), r0 = std::max(0, row);
  const int c1 = std::min(Columns() - 1, column + clip.columns - 1), r1 = std::min(Rows() - 1, row + clip.rows - 1);
  if (clip.empty() || c1 < c0 || r1 < r0) return false;
  std::vector<std::string> lines = lines_;
  const int width = source_.cellWidth;
  for (size_t l = 0; l < std::min(clip.codes.size(), source_.layers.size()); ++l) {
    const mapc::LayerGrid& grid = source_.layers[l];
    for (int r = r0; r <= r1 && static_cast<size_t>(r) < grid.rows.size(); ++r) {
      const size_t from = static_cast<size_t>((r - row) * clip.columns + (c0 - column));
      if (from + static_cast<size_t>(c1 - c0 + 1) > clip.codes[l].size()) continue;
      const std::vector<std::string> codes(clip.codes[l].begin() + static_cast<std::ptrdiff_t>(from),
                                           clip.codes[l].begin() + static_cast<std::ptrdiff_t>(from) + (c1 - c0 + 1));
      PutCodes(lines[static_cast<size_t>(grid.rowLines[static_cast<size_t>(r)] - 1)], grid.rows[static_cast<size_t>(r)],
               width, c0, codes);
    }
  }
  // What was placed in the rectangle gives way to what the clip holds there.
  std::vector<int> drop;
  for (const CellClip::Placed& p : PlacedIn(c0, r0, c1, r1)) drop.push_back(p.number);
  const int dc = column - clip.column, dr = row - clip.row;
  for (const CellClip::Placed& p : clip.placed) {
    std::string moved;
    const int c = p.column + dc, r = p.row + dr;
    if (c >= c0 && c <= c1 && r >= r0 && r <= r1 && MovePlacementLine(p.line, dc, dr, TileSize(), moved)) {
      if (!moved.empty() && moved.back() == '\r') moved.pop_back();
      AppendStatement(lines, source_, moved);
    }
  }
  std::sort(drop.rbegin(), drop.rend());
  drop.erase(std::unique(drop.begin(), drop.end()), drop.end());
  for (int line : drop) lines.erase(lines.begin() + (line - 1));
  return EditLines(std::move(lines));
}

}  // namespace editor
