// A map source held as its own lines of text, edited in place: painting changes
// the characters of a grid row, placing appends a line, removing deletes one. What
// the author did not touch keeps its bytes, so a file opened and saved unchanged is
// the same file. Every change is one undo step (a stroke or drag groups several).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/source_lines.h"
#include "map_compiler.h"
#include "map_source.h"

namespace editor {

// Undo keeps at least this many steps.
constexpr size_t kUndoSteps = 256;
// ... unless the kept texts would pass this size (maps of several hundred cells a side).
constexpr size_t kUndoBytes = size_t{256} << 20;

// Kinds of a new legend entry.
enum class EntryKind : uint8_t { Floor, Wall, Low };

// A copied rectangle of cells: the codes of every layer, and the lights, doors
// and enemies placed in it as their source lines.
struct CellClip {
  struct Placed {
    std::string line;
    int number = 0;           // the line's number in the source copied
    int column = 0, row = 0;  // the cell it is placed in
  };
  int column = 0, row = 0;  // the top-left cell it was copied from
  int columns = 0, rows = 0;
  std::vector<std::vector<std::string>> codes;  // per layer, row by row
  std::vector<Placed> placed;
  bool empty() const { return columns <= 0 || rows <= 0; }
};

class MapDocument {
 public:
  // Reads a source; false (with error) when the file cannot be read. A source with
  // errors still opens: the parse problems are in diagnostics().
  bool Open(const std::string& path, std::string& error);
  // A new source of columns x rows: walls round the edge, floor inside, an empty
  // layer 1, the start in the first free cell and a starting legend.
  void New(const std::string& path, int columns, int rows);
  // Replaces the text (tests and commands); resets undo.
  void SetText(const std::string& text);
  std::string Text() const;
  const std::string& path() const { return path_; }

  // The parsed source and its compiled map (checks as warnings, for the view).
  const mapc::MapSource& source() const { return source_; }
  const mapc::CompiledMap& preview() const { return preview_; }
  bool previewOk() const { return previewOk_; }
  const std::vector<mapc::Diagnostic>& diagnostics() const { return diags_; }
  int Columns() const;
  int Rows() const;
  int Layers() const { return static_cast<int>(source_.layers.size()); }
  int TileSize() const { return source_.tileSize.value_or(64); }

  // The legend code at a cell ("" outside), and the legend entry index (-1).
  std::string CodeAt(int layer, int column, int row) const;
  int EntryAt(int layer, int column, int row) const;
  // The code of a layer's empty cell: the first "empty" entry, else the first floor.
  std::string EmptyCode(int layer) const;

  // Edits. Each returns false when it changes nothing. Group several into one undo
  // step with BeginStep/EndStep; outside a group each edit is its own step.
  bool Paint(int layer, int column, int row, const std::string& code);
  bool Fill(int layer, int c0, int r0, int c1, int r1, const std::string& code);
  bool AddLight(const std::string& name, int column, int row);
  // A door on a wall cell of layer 0 paints the free floor beside it there first.
  bool AddDoor(const std::string& style, int column, int row);
  bool AddEnemy(int type, int column, int row);
  bool SetStart(int column, int row);
  // Removes the lights, doors ("door" lines) and enemies placed in a cell.
  bool RemoveAt(int column, int row);
  // The look of the light placed in a cell (the last one there); false when none.
  bool LightLookAt(int column, int row, LightLook& look) const;
  // Rewrites that light's line to a new size, angle and switch, keeping its other words.
  bool SetLightLook(int column, int row, const LightLook& look);
  // The rectangle of cells from (column, row), clipped to the map (empty outside).
  CellClip Copy(int column, int row, int columns, int rows) const;
  // Pastes a clip with its top-left at (column, row), clipped to the map, as one
  // step: the codes of every layer, and its placements in place of those there.
  bool Paste(const CellClip& clip, int column, int row);
  // Adds a legend entry for a tile image; the new code goes to `code`.
  bool AddEntry(const std::string& image, EntryKind kind, int material, std::string& code);

  void BeginStep();
  void EndStep();
  bool Undo();
  bool Redo();
  size_t UndoCount() const { return undo_.size(); }
  bool modified() const { return modified_; }
  // Counts the changes of the text (the view rebuilds when it moves).
  uint64_t revision() const { return revision_; }

  // Writes the source through a temporary file and rename; false (with error) when
  // it cannot, and the file on disc is then as it was.
  bool Save(std::string& error);
  // Compiles with every check; on success writes the three files into outDir.
  // On failure `message` holds the first error as "file:line: error: text".
  bool Compile(const std::string& outDir, std::string& message, mapc::CompiledMap* out = nullptr) const;

 private:
  void Reparse();
  void Remember();
  bool EditLines(std::vector<std::string> lines);
  int LastLegendLine() const;
  std::string FloorBeside(int column, int row, bool vertical) const;
  // The lights, doors and enemies placed in the cells c0..c1 x r0..r1.
  std::vector<CellClip::Placed> PlacedIn(int c0, int r0, int c1, int r1) const;

  std::string path_;
  std::vector<std::string> lines_;  // without their '\n'
  bool endsWithNewline_ = true;
  mapc::MapSource source_;
  mapc::CompiledMap preview_;
  bool previewOk_ = false;
  std::vector<mapc::Diagnostic> diags_;
  std::vector<std::vector<std::string>> undo_;
  std::vector<std::vector<std::string>> redo_;
  int group_ = 0;
  bool groupSaved_ = false;
  bool modified_ = false;
  uint64_t revision_ = 0;
};

// Appends a statement at the end, after an empty line when the text ends inside a
// legend or grid block (which would otherwise take the line as one of its own).
void AppendStatement(std::vector<std::string>& lines, const mapc::MapSource& source, std::string statement);

// Writes bytes to path through a temporary file beside it and a rename.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace editor
