#include "source_parser.h"

#include <map>

#include "content_names.h"
#include "source_text.h"

namespace mapc {

namespace {

constexpr const char* kKeywords[] = {"map",   "tile",   "value",   "value_bits", "header", "header_end",
                                     "start", "cell_width", "checks", "legend", "layer", "light",
                                     "door",  "soldier", "turret", "enemy"};
constexpr size_t kMaxDiagnostics = 100;

bool IsKeyword(std::string_view word) {
  for (const char* k : kKeywords) {
    if (word == k) return true;
  }
  return false;
}

std::string_view FirstWord(std::string_view line) {
  size_t b = 0;
  while (b < line.size() && IsBlankChar(line[b])) ++b;
  size_t e = b;
  while (e < line.size() && !IsBlankChar(line[e]) && line[e] != kCommentMark) ++e;
  return line.substr(b, e - b);
}

// The tokens of one directive, read left to right, with messages on the line.
class Cursor {
 public:
  Cursor(const std::vector<Token>& tokens, int line, std::vector<Diagnostic>& diags)
      : tokens_(tokens), line_(line), diags_(diags) {}

  bool AtEnd() const { return pos_ >= tokens_.size(); }
  const Token* Peek() const { return AtEnd() ? nullptr : &tokens_[pos_]; }
  bool PeekIs(std::string_view word) const { return !AtEnd() && !tokens_[pos_].quoted && tokens_[pos_].text == word; }
  const Token* Next(const char* what) {
    if (AtEnd()) {
      Fail(std::string("expected ") + what + " after \"" + tokens_[pos_ - 1].text + "\"");
      return nullptr;
    }
    return &tokens_[pos_++];
  }
  bool Int(const char* what, int64_t min, int64_t max, int64_t& out) {
    const Token* t = Next(what);
    if (t == nullptr) return false;
    if (!ParseInteger(t->text, min, max, out)) {
      Fail(std::string(what) + " must be a whole number from " + std::to_string(min) + " to " +
           std::to_string(max) + ", not \"" + t->text + "\"");
      return false;
    }
    return true;
  }
  bool Int32(const char* what, int32_t& out) {
    int64_t v = 0;
    if (!Int(what, INT32_MIN, INT32_MAX, v)) return false;
    out = static_cast<int32_t>(v);
    return true;
  }
  bool Finish() {
    if (AtEnd()) return true;
    Fail("unexpected \"" + tokens_[pos_].text + "\" at the end of the line");
    return false;
  }
  bool Fail(std::string text) {
    if (diags_.size() < kMaxDiagnostics) diags_.push_back({true, line_, std::move(text)});
    return false;
  }

 private:
  const std::vector<Token>& tokens_;
  size_t pos_ = 1;  // token 0 is the keyword
  int line_;
  std::vector<Diagnostic>& diags_;
};

class Parser {
 public:
  Parser(MapSource& out, std::vector<Diagnostic>& diags) : out_(out), diags_(diags) {}

  void Run(std::string_view text) {
    std::vector<std::string_view> lines = SplitLines(text);
    for (size_t i = 0; i < lines.size() && diags_.size() < kMaxDiagnostics; ++i) Line(static_cast<int>(i + 1), lines[i]);
  }

 private:
  enum class Mode { Top, Legend, Layer };

  void Error(int line, std::string text) {
    if (diags_.size() < kMaxDiagnostics) diags_.push_back({true, line, std::move(text)});
  }

  void Line(int line, std::string_view raw) {
    if (IsBlank(raw)) {
      mode_ = Mode::Top;  // an empty line ends a legend or a grid
      return;
    }
    if (StripComment(raw).empty()) return;  // comment lines are skipped everywhere
    if (mode_ != Mode::Top && EndsBlock(raw)) mode_ = Mode::Top;
    switch (mode_) {
      case Mode::Legend: return LegendLine(line, StripComment(raw));
      case Mode::Layer: return GridLine(line, StripComment(raw));
      case Mode::Top: return TopLine(line, raw);
    }
  }

  // A directive written right after a legend or grid, without the empty line.
  bool EndsBlock(std::string_view raw) const {
    std::string_view word = FirstWord(raw);
    if (!IsKeyword(word)) return false;
    std::string_view stripped = StripComment(raw);
    if (mode_ == Mode::Layer) return stripped.find_first_of(" \t") != std::string_view::npos;
    return word.size() != static_cast<size_t>(out_.cellWidth);
  }

  bool Once(const std::string& keyword, int line) {
    auto [it, fresh] = seen_.emplace(keyword, line);
    if (!fresh) Error(line, "\"" + keyword + "\" was already given on line " + std::to_string(it->second));
    return fresh;
  }

  void TopLine(int line, std::string_view raw) {
    std::vector<Token> tokens;
    std::string error;
    if (!Tokenize(raw, tokens, error)) return Error(line, error);
    if (tokens.empty()) return;
    const std::string& word = tokens[0].text;
    Cursor c(tokens, line, diags_);
    if (tokens[0].quoted || !IsKeyword(word)) {
      return Error(line, "unknown line \"" + word + "\" (expected a directive such as tile, start, legend, layer, light, door)");
    }
    if (word == "legend" || word == "layer") return BlockStart(line, c, word);
    if (word == "light") return LightLine(line, c);
    if (word == "door") return DoorLine(line, c);
    if (word == "soldier" || word == "turret" || word == "enemy") return EnemyLine(line, c, word);
    if (!Once(word, line)) return;
    HeaderLine(line, c, word);
  }

  void HeaderLine(int line, Cursor& c, const std::string& word) {
    if (word == "map") {
      if (const Token* t = c.Next("the map name")) out_.name = t->text;
      if (!out_.name.empty() && out_.name.find_first_of("/\\") != std::string::npos)
        Error(line, "the map name must not contain / or \\");
    } else if (word == "tile") {
      int64_t v = 0;
      if (c.Int("the tile size", 1, 255, v)) out_.tileSize = static_cast<int>(v);
      out_.tileLine = line;
    } else if (word == "value" || word == "value_bits") {
      ValueLine(c, word);
    } else if (word == "header") {
      if (const Token* t = c.Next("the header text")) out_.headerText = t->text;
      out_.headerLine = line;
    } else if (word == "header_end") {
      HeaderEndLine(line, c);
    } else if (word == "start") {
      Position p;
      if (ReadPosition(c, p, false)) out_.start = p;
      out_.startLine = line;
    } else if (word == "cell_width") {
      CellWidthLine(line, c);
    } else if (word == "checks") {
      const Token* t = c.Next("on or off");
      if (t != nullptr && (t->text == "on" || t->text == "off")) out_.checks = t->text == "on";
      else if (t != nullptr) c.Fail("checks must be on or off");
    }
    c.Finish();
  }

  void ValueLine(Cursor& c, const std::string& word) {
    const Token* t = c.Next("a number");
    if (t == nullptr) return;
    bool ok = word == "value" ? ParseReal(t->text, out_.valueBits) : ParseHexBits(t->text, out_.valueBits);
    if (!ok) c.Fail(word == "value" ? "value must be a finite real number" : "value_bits must be 8 hex digits");
  }

  void HeaderEndLine(int line, Cursor& c) {
    const Token* t = c.Next("crlf, lf, cr or nul");
    if (t == nullptr) return;
    out_.headerEndLine = line;
    if (t->text == "crlf") out_.headerEnd = HeaderEnd::CrLf;
    else if (t->text == "lf") out_.headerEnd = HeaderEnd::Lf;
    else if (t->text == "cr") out_.headerEnd = HeaderEnd::Cr;
    else if (t->text == "nul") out_.headerEnd = HeaderEnd::Nul;
    else c.Fail("header_end must be crlf, lf, cr or nul");
  }

  void CellWidthLine(int line, Cursor& c) {
    int64_t v = 0;
    if (!c.Int("the cell width", 1, 3, v)) return;
    if (!out_.legend.empty()) return Error(line, "cell_width must come before the legend");
    out_.cellWidth = static_cast<int>(v);
  }

  void BlockStart(int line, Cursor& c, const std::string& word) {
    if (word == "legend") {
      mode_ = Mode::Legend;
      c.Finish();
      return;
    }
    int64_t n = 0;
    if (!c.Int("the layer number", 0, 255, n) || !c.Finish()) {
      mode_ = Mode::Layer;  // read the rows anyway, into a grid nobody uses
      out_.layers.push_back({-1, line, {}, {}});
      return;
    }
    for (const LayerGrid& g : out_.layers) {
      if (g.layer == n) Error(line, "layer " + std::to_string(n) + " was already given on line " + std::to_string(g.line));
    }
    out_.layers.push_back({static_cast<int>(n), line, {}, {}});
    mode_ = Mode::Layer;
  }

  void GridLine(int line, std::string_view row) {
    if (row.find_first_of(" \t") != std::string_view::npos) {
      return Error(line, "a grid row must not hold blanks (end the grid with an empty line)");
    }
    out_.layers.back().rows.emplace_back(row);
    out_.layers.back().rowLines.push_back(line);
  }

  // Positions: "cell C R", "at X Y" or (for the start) plain "X Y".
  bool ReadPosition(Cursor& c, Position& p, bool requireWord) {
    if (c.PeekIs("cell")) {
      c.Next("cell");
      p.isCell = true;
    } else if (c.PeekIs("at")) {
      c.Next("at");
    } else if (requireWord) {
      c.Fail("expected a position: cell COLUMN ROW or at X Y");
      return false;
    }
    return c.Int32(p.isCell ? "the column" : "x", p.a) && c.Int32(p.isCell ? "the row" : "y", p.b);
  }

  void LegendLine(int line, std::string_view text);
  bool LegendOption(Cursor& c, LegendEntry& e, const Token& t);
  void LightLine(int line, Cursor& c);
  bool LightImage(Cursor& c, SourceLight& l, bool& sized);
  bool LightOption(Cursor& c, SourceLight& l, bool& placed, bool& sized);
  void DoorLine(int line, Cursor& c);
  void EnemyLine(int line, Cursor& c, const std::string& word);

 private:
  MapSource& out_;
  std::vector<Diagnostic>& diags_;
  Mode mode_ = Mode::Top;
  std::map<std::string, int> seen_;
};

void Parser::LegendLine(int line, std::string_view text) {
  size_t width = static_cast<size_t>(out_.cellWidth);
  if (text.size() <= width || !IsBlankChar(text[width])) {
    return Error(line, "a legend entry is a " + std::to_string(width) +
                           "-character code, a blank, then a kind (floor, wall, low, cell or empty)");
  }
  LegendEntry e;
  e.code = std::string(text.substr(0, width));
  e.line = line;
  if (e.code.find('"') != std::string::npos) return Error(line, "the code \" cannot be used in a legend");
  for (const LegendEntry& other : out_.legend) {
    if (other.code == e.code) return Error(line, "code \"" + e.code + "\" was already given on line " + std::to_string(other.line));
  }
  std::vector<Token> tokens;
  std::string error;
  if (!Tokenize(text.substr(width), tokens, error)) return Error(line, error);
  tokens.insert(tokens.begin(), Token{e.code, false});
  Cursor c(tokens, line, diags_);
  const Token* kind = c.Next("a kind");
  if (kind == nullptr) return;
  if (kind->text == "wall") e.cell.walk = e.cell.shot = 1;
  else if (kind->text == "low") e.cell.walk = 1;
  else if (kind->text != "floor" && kind->text != "cell" && kind->text != "empty")
    return Error(line, "unknown kind \"" + kind->text + "\" (floor, wall, low, cell or empty)");
  bool empty = kind->text == "empty";
  while (!c.AtEnd()) {
    const Token* t = c.Next("an option");
    if (!LegendOption(c, e, *t)) return;
  }
  if (empty && (!e.image.empty() || e.cell.sprite != 0)) return Error(line, "an empty cell has no image");
  if (e.tileId >= 0 && e.image.empty()) return Error(line, "\"id\" gives the tile ID of an image, and this entry has none");
  out_.legend.push_back(std::move(e));
}

bool Parser::LegendOption(Cursor& c, LegendEntry& e, const Token& t) {
  int64_t v = 0;
  if (t.quoted || (t.text.size() > 4 && SameName(std::string_view(t.text).substr(t.text.size() - 4), ".png"))) {
    if (!e.image.empty() || e.cell.sprite != 0) return c.Fail("a legend entry has one image or sprite");
    if (t.text.empty()) return c.Fail("the image name is empty");
    e.image = t.text;
  } else if (t.text == "sprite") {
    if (!e.image.empty()) return c.Fail("a legend entry has one image or sprite");
    if (!c.Int("the sprite number", INT32_MIN, INT32_MAX, v)) return false;
    e.cell.sprite = static_cast<int32_t>(v);
  } else if (t.text == "id") {
    if (!c.Int("the tile ID", 0, 999, v)) return false;
    e.tileId = static_cast<int32_t>(v);
  } else if (t.text == "walk" || t.text == "shot") {
    if (!c.Int("the flag", -128, 127, v)) return false;
    (t.text == "walk" ? e.cell.walk : e.cell.shot) = static_cast<int8_t>(v);
  } else if (t.text == "material") {
    if (!c.Int("the material", 0, 255, v)) return false;
    e.cell.material = static_cast<uint8_t>(v);
  } else if (t.text == "door") {
    const Token* style = c.Next("a door style");
    if (style == nullptr) return false;
    e.doorAnimation = DoorAnimationForStyle(style->text);
    if (e.doorAnimation < 0 && !ParseInteger(style->text, 0, 100, v)) {
      return c.Fail("unknown door style \"" + style->text + "\" (MetalH, MetalV, LabH, LabV or an animation ID 0-100)");
    }
    if (e.doorAnimation < 0) e.doorAnimation = static_cast<int32_t>(v);
  } else {
    return c.Fail("unknown legend option \"" + t.text + "\"");
  }
  return true;
}

void Parser::LightLine(int line, Cursor& c) {
  SourceLight l;
  l.line = line;
  bool sized = false;
  bool placed = false;
  if (!LightImage(c, l, sized)) return;
  while (!c.AtEnd()) {
    if (!LightOption(c, l, placed, sized)) return;
  }
  if (!placed) {
    c.Fail("a light needs a position: at X Y, center X Y or cell COLUMN ROW");
    return;
  }
  if (!sized) {
    c.Fail("a light given by id or sprite needs a size: size WIDTH HEIGHT");
    return;
  }
  out_.lights.push_back(l);
}

bool Parser::LightImage(Cursor& c, SourceLight& l, bool& sized) {
  const Token* t = c.Next("a light name (Warm, Cold, Red, Green, Blue, Wide, Strip, Spot), id N or sprite N");
  if (t == nullptr) return false;
  int64_t v = 0;
  if (t->text == "id" || t->text == "sprite") {
    bool isId = t->text == "id";
    if (!c.Int(isId ? "the light ID" : "the sprite number", isId ? 0 : INT32_MIN, isId ? 99999 : INT32_MAX, v)) return false;
    l.light.sprite = static_cast<int32_t>(isId ? kLightSpriteBase + v : v);
    return true;
  }
  const LightName* name = FindLightName(t->text);
  if (name == nullptr) {
    c.Fail("unknown light \"" + t->text + "\" (Warm, Cold, Red, Green, Blue, Wide, Strip, Spot, id N or sprite N)");
    return false;
  }
  l.light.sprite = kLightSpriteBase + name->id;
  l.light.width = name->width;
  l.light.height = name->height;
  sized = true;
  return true;
}

bool Parser::LightOption(Cursor& c, SourceLight& l, bool& placed, bool& sized) {
  const Token* t = c.Next("an option");
  int64_t v = 0;
  if (t->text == "at" || t->text == "center" || t->text == "cell") {
    l.placement = t->text == "at" ? Placement::TopLeft : t->text == "cell" ? Placement::Cell : Placement::Centre;
    placed = true;
    bool isCell = l.placement == Placement::Cell;
    return c.Int32(isCell ? "the column" : "x", l.a) && c.Int32(isCell ? "the row" : "y", l.b);
  }
  if (t->text == "size") {
    if (!c.Int("the width", -32768, 32767, v)) return false;
    int64_t h = v;
    const Token* next = c.Peek();
    if (next != nullptr && !next->quoted && ParseInteger(next->text, -32768, 32767, h)) c.Next("the height");
    l.light.width = static_cast<int16_t>(v);
    l.light.height = static_cast<int16_t>(h);
    sized = true;
    return true;
  }
  if (t->text == "angle") {
    if (!c.Int("the angle", -32768, 32767, v)) return false;
    l.light.angle = static_cast<int16_t>(v);
    return true;
  }
  if (t->text == "off") {
    l.light.on = 0;
    return true;
  }
  if (t->text == "on") {
    const Token* next = c.Peek();
    if (next != nullptr && ParseInteger(next->text, 0, 255, v)) {
      c.Next("the switch value");
      l.light.on = static_cast<uint8_t>(v);
    } else {
      l.light.on = 1;
    }
    return true;
  }
  c.Fail("unknown light option \"" + t->text + "\" (at, center, cell, size, angle, on, off)");
  return false;
}

void Parser::DoorLine(int line, Cursor& c) {
  SourceDoor d;
  d.line = line;
  const Token* style = c.Next("a door style (MetalH, MetalV, LabH, LabV or an animation ID)");
  if (style == nullptr) return;
  d.door.animationId = DoorAnimationForStyle(style->text);
  int64_t v = 0;
  if (d.door.animationId < 0) {
    if (!ParseInteger(style->text, INT32_MIN, INT32_MAX, v)) {
      c.Fail("unknown door style \"" + style->text + "\" (MetalH, MetalV, LabH, LabV or an animation ID)");
      return;
    }
    d.door.animationId = static_cast<int32_t>(v);
  }
  if (c.PeekIs("cell")) c.Next("cell");
  if (!c.Int32("the column", d.door.column) || !c.Int32("the row", d.door.row) || !c.Finish()) return;
  out_.doors.push_back(d);
}

void Parser::EnemyLine(int line, Cursor& c, const std::string& word) {
  SourceEnemy e;
  e.line = line;
  if (word == "enemy") {
    if (!c.Int32("the enemy type", e.type)) return;
    e.explicitType = true;
  } else {
    e.type = word == "soldier" ? kSoldierType : kTurretType;
  }
  if (!ReadPosition(c, e.position, true) || !c.Finish()) return;
  out_.enemies.push_back(e);
}

std::string BaseName(const std::string& fileName) {
  size_t slash = fileName.find_last_of('/');
  std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
  size_t dot = base.find('.');
  return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

}  // namespace

bool ParseSource(std::string_view text, const std::string& fileName, MapSource& out,
                 std::vector<Diagnostic>& diags) {
  out = MapSource{};
  out.fileName = fileName;
  out.name = BaseName(fileName);
  size_t before = diags.size();
  Parser parser(out, diags);
  parser.Run(text);
  for (size_t i = before; i < diags.size(); ++i) {
    if (diags[i].error) return false;
  }
  return true;
}

std::string FormatDiagnostic(const std::string& fileName, const Diagnostic& d) {
  std::string out = fileName;
  if (d.line > 0) out += ":" + std::to_string(d.line);
  out += d.error ? ": error: " : ": warning: ";
  out += d.text;
  return out;
}

}  // namespace mapc
