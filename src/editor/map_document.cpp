#include "editor/map_document.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "content_names.h"
#include "mapc_cli.h"
#include "source_parser.h"
#include "source_text.h"

namespace editor {

namespace {

constexpr size_t kMaxSourceBytes = 64u << 20;

// The starting legend of a new map: the Test map's tile set.
constexpr const char* kStartLegend =
    "legend\n"
    "#  wall  \"Wall Concrete.png\"\n"
    "B  wall  \"Wall Brick.png\"\n"
    "M  wall  \"Wall Metal.png\"     material 1\n"
    "X  wall  \"Wall Crate.png\"     material 1\n"
    "C  wall  \"Wall Computer.png\"  material 2\n"
    "S  wall  \"Wall Server.png\"    material 2\n"
    "H  wall  \"Wall Hedge.png\"     material 3\n"
    "T  wall  \"Wall Tree.png\"      material 3\n"
    ".  floor \"Floor Concrete.png\"\n"
    "c  floor \"Floor Carpet.png\"\n"
    ",  floor \"Floor Metal.png\"\n"
    "=  floor \"Floor Grate.png\"\n"
    "t  floor \"Floor Tiles.png\"\n"
    "g  floor \"Floor Grass.png\"\n"
    "d  floor \"Floor Dirt.png\"\n"
    "|  floor \"Floor Metal.png\"    door MetalV\n"
    "-  floor \"Floor Metal.png\"    door MetalH\n"
    "_  empty\n"
    "r  floor \"Deco Rubble.png\"\n"
    "s  floor \"Deco Stripes.png\"\n"
    "p  floor \"Deco Puddle.png\"\n"
    "k  floor \"Deco Cables.png\"\n"
    "l  floor \"Deco Leaves.png\"\n"
    ">  floor \"Deco Arrow.png\"\n";

std::vector<std::string> SplitText(const std::string& text, bool& endsWithNewline) {
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  endsWithNewline = text.empty() || text.back() == '\n';
  return lines;
}

bool Inside(const mapc::MapSource& s, int column, int row, int columns, int rows) {
  (void)s;
  return column >= 0 && row >= 0 && column < columns && row < rows;
}

}  // namespace

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".tmp~";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool MapDocument::Open(const std::string& path, std::string& error) {
  std::string text;
  if (!mapc::ReadHostFile(path, kMaxSourceBytes, text)) {
    error = "cannot read \"" + path + "\"";
    return false;
  }
  path_ = path;
  SetText(text);
  return true;
}

void MapDocument::New(const std::string& path, int columns, int rows) {
  path_ = path;
  columns = std::clamp(columns, 3, 1000);
  rows = std::clamp(rows, 3, 1000);
  std::string name = std::filesystem::path(path).stem().string();
  std::ostringstream text;
  text << "; " << name << ": made with the map editor.\n\nmap " << name << "\nheader \"" << name
       << "\"\ntile 64\nstart at 94 94\n\n" << kStartLegend << "\nlayer 0\n";
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) text << ((r == 0 || c == 0 || r == rows - 1 || c == columns - 1) ? '#' : '.');
    text << '\n';
  }
  text << "\nlayer 1\n";
  for (int r = 0; r < rows; ++r) text << std::string(static_cast<size_t>(columns), '_') << '\n';
  SetText(text.str());
  modified_ = true;
}

void MapDocument::SetText(const std::string& text) {
  lines_ = SplitText(text, endsWithNewline_);
  undo_.clear();
  redo_.clear();
  modified_ = false;
  Reparse();
}

std::string MapDocument::Text() const {
  std::string text;
  for (size_t i = 0; i < lines_.size(); ++i) {
    text += lines_[i];
    if (i + 1 < lines_.size() || endsWithNewline_) text += '\n';
  }
  return text;
}

void MapDocument::Reparse() {
  ++revision_;
  source_ = mapc::MapSource{};
  diags_.clear();
  const std::string text = Text();
  const bool parsed = mapc::ParseSource(text, path_, source_, diags_);
  previewOk_ = false;
  if (!parsed) return;
  mapc::MapSource relaxed = source_;
  relaxed.checks = false;
  std::vector<mapc::Diagnostic> ignored;
  previewOk_ = mapc::CompileSource(relaxed, preview_, ignored);
}

int MapDocument::Columns() const {
  if (source_.layers.empty() || source_.layers[0].rows.empty() || source_.cellWidth <= 0) return 0;
  return static_cast<int>(source_.layers[0].rows[0].size()) / source_.cellWidth;
}

int MapDocument::Rows() const {
  return source_.layers.empty() ? 0 : static_cast<int>(source_.layers[0].rows.size());
}

std::string MapDocument::CodeAt(int layer, int column, int row) const {
  if (layer < 0 || layer >= Layers() || !Inside(source_, column, row, Columns(), Rows())) return "";
  const mapc::LayerGrid& grid = source_.layers[static_cast<size_t>(layer)];
  if (static_cast<size_t>(row) >= grid.rows.size()) return "";
  const std::string& text = grid.rows[static_cast<size_t>(row)];
  const size_t at = static_cast<size_t>(column) * static_cast<size_t>(source_.cellWidth);
  if (at + static_cast<size_t>(source_.cellWidth) > text.size()) return "";
  return text.substr(at, static_cast<size_t>(source_.cellWidth));
}

int MapDocument::EntryAt(int layer, int column, int row) const {
  const std::string code = CodeAt(layer, column, row);
  for (size_t i = 0; i < source_.legend.size(); ++i) {
    if (source_.legend[i].code == code) return static_cast<int>(i);
  }
  return -1;
}

std::string MapDocument::EmptyCode(int layer) const {
  const mapc::LegendEntry* floor = nullptr;
  for (const mapc::LegendEntry& e : source_.legend) {
    if (layer > 0 && e.cell.sprite == 0 && e.image.empty() && e.cell.walk == 0 && e.cell.shot == 0) return e.code;
    if (floor == nullptr && e.cell.walk == 0 && e.cell.shot == 0 && e.doorAnimation < 0 && !e.image.empty()) {
      floor = &e;
    }
  }
  return floor != nullptr ? floor->code : "";
}

void MapDocument::Remember() {
  if (group_ > 0 && groupSaved_) return;
  if (group_ > 0) groupSaved_ = true;
  undo_.push_back(lines_);
  // At most kUndoSteps steps, and no more than kUndoBytes of text for huge maps.
  size_t bytes = 0;
  for (const std::string& line : lines_) bytes += line.size() + 1;
  const size_t byBytes = std::max<size_t>(1, kUndoBytes / std::max<size_t>(1, bytes));
  while (undo_.size() > std::min(kUndoSteps, byBytes)) undo_.erase(undo_.begin());
  redo_.clear();
}

bool MapDocument::EditLines(std::vector<std::string> lines) {
  if (lines == lines_) return false;
  Remember();
  lines_ = std::move(lines);
  modified_ = true;
  Reparse();
  return true;
}

void MapDocument::BeginStep() {
  if (group_++ == 0) groupSaved_ = false;
}

void MapDocument::EndStep() {
  if (group_ > 0) --group_;
}

bool MapDocument::Undo() {
  if (undo_.empty()) return false;
  redo_.push_back(lines_);
  lines_ = std::move(undo_.back());
  undo_.pop_back();
  modified_ = true;
  Reparse();
  return true;
}

bool MapDocument::Redo() {
  if (redo_.empty()) return false;
  undo_.push_back(lines_);
  lines_ = std::move(redo_.back());
  redo_.pop_back();
  modified_ = true;
  Reparse();
  return true;
}

bool MapDocument::Paint(int layer, int column, int row, const std::string& code) {
  return Fill(layer, column, row, column, row, code);
}

bool MapDocument::Fill(int layer, int c0, int r0, int c1, int r1, const std::string& code) {
  if (layer < 0 || layer >= Layers() || code.size() != static_cast<size_t>(source_.cellWidth)) return false;
  const mapc::LayerGrid& grid = source_.layers[static_cast<size_t>(layer)];
  const int width = source_.cellWidth;
  std::vector<std::string> lines = lines_;
  for (int r = std::max(0, std::min(r0, r1)); r <= std::min(Rows() - 1, std::max(r0, r1)); ++r) {
    if (static_cast<size_t>(r) >= grid.rows.size()) break;
    std::string& line = lines[static_cast<size_t>(grid.rowLines[static_cast<size_t>(r)] - 1)];
    const size_t base = line.find(grid.rows[static_cast<size_t>(r)]);
    if (base == std::string::npos) continue;
    for (int c = std::max(0, std::min(c0, c1)); c <= std::min(Columns() - 1, std::max(c0, c1)); ++c) {
      line.replace(base + static_cast<size_t>(c * width), static_cast<size_t>(width), code);
    }
  }
  return EditLines(std::move(lines));
}

int MapDocument::LastLegendLine() const {
  int last = 0;
  for (const mapc::LegendEntry& e : source_.legend) last = std::max(last, e.line);
  return last;
}

bool MapDocument::AddEntry(const std::string& image, EntryKind kind, int material, std::string& code) {
  const int after = LastLegendLine();
  if (after == 0 || source_.cellWidth != 1) return false;
  const std::string candidates =
      "abcefhijmnoquvwxyzADEFGIJKLNOPQRUVWYZ0123456789!$%&*+/:<?@^~'`{}()[]";
  code.clear();
  for (char c : candidates) {
    const std::string one(1, c);
    bool used = false;
    for (const mapc::LegendEntry& e : source_.legend) used = used || e.code == one;
    if (!used) {
      code = one;
      break;
    }
  }
  if (code.empty()) return false;
  static const char* kKinds[] = {"floor", "wall ", "low  "};
  std::string line = code + "  " + kKinds[static_cast<int>(kind)] + " " + mapc::Quote(image);
  if (material > 0) line += " material " + std::to_string(std::clamp(material, 0, 255));
  if (!lines_.empty() && lines_[0].size() > 0 && lines_[0].back() == '\r') line += '\r';
  std::vector<std::string> lines = lines_;
  lines.insert(lines.begin() + after, line);
  return EditLines(std::move(lines));
}

void AppendStatement(std::vector<std::string>& lines, const mapc::MapSource& source, std::string statement) {
  const bool crlf = !lines.empty() && !lines[0].empty() && lines[0].back() == '\r';
  while (!lines.empty() && (lines.back().empty() || lines.back() == "\r")) lines.pop_back();
  const int last = static_cast<int>(lines.size());
  bool inBlock = false;
  for (const mapc::LayerGrid& g : source.layers) {
    inBlock = inBlock || (!g.rowLines.empty() && g.rowLines.back() == last) || g.line == last;
  }
  for (const mapc::LegendEntry& e : source.legend) inBlock = inBlock || e.line == last;
  if (inBlock) lines.push_back(crlf ? "\r" : "");
  lines.push_back(crlf ? statement + "\r" : statement);
}

bool MapDocument::AddLight(const std::string& name, int column, int row) {
  if (!Inside(source_, column, row, Columns(), Rows()) || mapc::FindLightName(name) == nullptr) return false;
  std::vector<std::string> lines = lines_;
  AppendStatement(lines, source_, "light " + name + " cell " + std::to_string(column) + " " + std::to_string(row));
  return EditLines(std::move(lines));
}

// The code of a free floor beside a cell along a door's passage (left and right
// for the V styles, above and below for H), or "" when there is none.
std::string MapDocument::FloorBeside(int column, int row, bool vertical) const {
  const int steps[2][2] = {{vertical ? -1 : 0, vertical ? 0 : -1}, {vertical ? 1 : 0, vertical ? 0 : 1}};
  for (const auto& step : steps) {
    const int entry = EntryAt(0, column + step[0], row + step[1]);
    if (entry < 0) continue;
    const mapc::LegendEntry& e = source_.legend[static_cast<size_t>(entry)];
    if (e.cell.walk != 1 && e.cell.shot != 1 && e.doorAnimation < 0) return e.code;
  }
  return "";
}

bool MapDocument::AddDoor(const std::string& style, int column, int row) {
  const int32_t animation = mapc::DoorAnimationForStyle(style);
  if (!Inside(source_, column, row, Columns(), Rows()) || animation < 0) return false;
  // A door on a wall would never let anyone through once open: the wall gives way
  // to the floor beside it.
  const int entry = EntryAt(0, column, row);
  BeginStep();
  if (entry >= 0 && source_.legend[static_cast<size_t>(entry)].cell.walk == 1) {
    const std::string floor = FloorBeside(column, row, animation == 3 || animation == 5);
    if (!floor.empty()) Paint(0, column, row, floor);
  }
  std::vector<std::string> lines = lines_;
  AppendStatement(lines, source_, "door " + style + " " + std::to_string(column) + " " + std::to_string(row));
  const bool placed = EditLines(std::move(lines));
  EndStep();
  return placed;
}

bool MapDocument::AddEnemy(int type, int column, int row) {
  if (!Inside(source_, column, row, Columns(), Rows()) || (type != 1 && type != 2)) return false;
  std::vector<std::string> lines = lines_;
  AppendStatement(lines, source_,
                  std::string(type == 1 ? "soldier" : "turret ") + " cell " + std::to_string(column) + " " +
                      std::to_string(row));
  return EditLines(std::move(lines));
}

bool MapDocument::SetStart(int column, int row) {
  if (!Inside(source_, column, row, Columns(), Rows())) return false;
  const int tile = TileSize();
  // 2 px off the cell's centre: every door stays openable from all four sides.
  const std::string statement = "start at " + std::to_string(column * tile + tile / 2 - 2) + " " +
                                std::to_string(row * tile + tile / 2 - 2);
  std::vector<std::string> lines = lines_;
  if (source_.startLine > 0) {
    std::string& line = lines[static_cast<size_t>(source_.startLine - 1)];
    const bool cr = !line.empty() && line.back() == '\r';
    line = cr ? statement + "\r" : statement;
  } else if (source_.tileLine > 0) {
    lines.insert(lines.begin() + source_.tileLine, statement);
  } else {
    return false;
  }
  return EditLines(std::move(lines));
}

bool MapDocument::RemoveAt(int column, int row) {
  std::vector<int> drop;
  for (const CellClip::Placed& p : PlacedIn(column, row, column, row)) drop.push_back(p.number);
  if (drop.empty()) return false;
  std::sort(drop.rbegin(), drop.rend());
  std::vector<std::string> lines = lines_;
  for (int line : drop) {
    if (line > 0 && static_cast<size_t>(line) <= lines.size()) lines.erase(lines.begin() + (line - 1));
  }
  return EditLines(std::move(lines));
}

bool MapDocument::Save(std::string& error) {
  if (!WriteFileAtomically(path_, Text())) {
    error = "cannot write \"" + path_ + "\"";
    return false;
  }
  modified_ = false;
  return true;
}

bool MapDocument::Compile(const std::string& outDir, std::string& message, mapc::CompiledMap* out) const {
  mapc::CompiledMap compiled;
  std::vector<mapc::Diagnostic> diags;
  const bool ok = mapc::CompileText(Text(), path_, compiled, diags);
  message.clear();
  for (const mapc::Diagnostic& d : diags) {
    if (d.error) {
      message = mapc::FormatDiagnostic(path_, d);
      break;
    }
  }
  if (!ok) {
    if (message.empty()) message = path_ + ": the map does not compile";
    return false;
  }
  std::error_code ignored;
  std::filesystem::create_directories(outDir, ignored);
  const std::string base = (std::filesystem::path(outDir) / compiled.name).string();
  if (!WriteFileAtomically(base + ".map", compiled.mapBytes) ||
      !WriteFileAtomically(base + "_TileSet.xml", compiled.tileSetXml) ||
      !WriteFileAtomically(base + "_Enemys.txt", compiled.enemyList)) {
    message = "cannot write the compiled map into \"" + outDir + "\"";
    return false;
  }
  if (out != nullptr) *out = std::move(compiled);
  return true;
}

}  // namespace editor
