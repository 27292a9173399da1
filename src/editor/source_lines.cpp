#include "editor/source_lines.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "source_text.h"

namespace editor {

namespace {

// A statement line as its words (quoted words keep their quotes), the blanks
// before them and everything after the last one (blanks, comment, '\r').
struct Words {
  std::string indent;
  std::vector<std::string> words;
  std::string tail;
};

Words Split(const std::string& line) {
  Words out;
  size_t i = 0, lastEnd = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  out.indent = line.substr(0, i);
  lastEnd = i;
  while (i < line.size() && line[i] != mapc::kCommentMark && line[i] != '\r') {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    const size_t begin = i;
    bool quoted = false;
    while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t' && line[i] != mapc::kCommentMark && line[i] != '\r'))) {
      if (line[i] == '\\' && quoted) ++i;
      else if (line[i] == '"') quoted = !quoted;
      ++i;
    }
    i = std::min(i, line.size());
    out.words.push_back(line.substr(begin, i - begin));
    lastEnd = i;
  }
  out.tail = line.substr(lastEnd);
  return out;
}

std::string Join(const Words& w) {
  std::string line = w.indent;
  for (size_t i = 0; i < w.words.size(); ++i) line += (i > 0 ? " " : "") + w.words[i];
  return line + w.tail;
}

bool Number(const std::vector<std::string>& words, size_t i, int64_t& v) {
  return i < words.size() && mapc::ParseInteger(words[i], INT32_MIN, INT32_MAX, v);
}

// Adds `by` to the number at words[i]; false when it is not one.
bool Shift(std::vector<std::string>& words, size_t i, int64_t by) {
  int64_t v = 0;
  if (!Number(words, i, v)) return false;
  words[i] = std::to_string(v + by);
  return true;
}

std::string SizeWords(const LightLook& look) {
  return look.width == look.height ? "size " + std::to_string(look.width)
                                   : "size " + std::to_string(look.width) + " " + std::to_string(look.height);
}

std::string SwitchWords(int on) { return on == 0 ? "off" : on == 1 ? "" : "on " + std::to_string(on); }

}  // namespace

int TurnAngle(int angle, int degrees) { return ((angle + degrees) % 360 + 360) % 360; }

bool ResizeLight(LightLook& look, int steps, SizeAxis axis) {
  if (look.width <= 0 || look.height <= 0) return false;
  int w = look.width, h = look.height;
  auto fits = [](int side) { return side >= kMinLightSide && side <= kMaxLightSide; };
  // 5/4 up, 4/5 down, rounded: a step up and one down come back to the size.
  auto step = [&](int side) { return steps > 0 ? (side * 5 + 2) / 4 : (side * 4 + 2) / 5; };
  for (int s = 0; s < std::abs(steps); ++s) {
    if (axis != SizeAxis::Height) w = step(w);
    if (axis != SizeAxis::Width) h = step(h);
    if (!fits(w) || !fits(h)) return false;  // past a limit: no further steps
  }
  look.width = w;
  look.height = h;
  return true;
}

bool RewriteLightLine(const std::string& line, const LightLook& before, const LightLook& after, std::string& out) {
  const Words in = Split(line);
  const std::vector<std::string>& w = in.words;
  if (w.empty() || w[0] != "light" || w.size() < 2) return false;
  Words result{in.indent, {}, in.tail};
  std::vector<std::string>& o = result.words;
  size_t i = (w[1] == "id" || w[1] == "sprite") ? 3 : 2;
  if (i > w.size()) return false;
  o.assign(w.begin(), w.begin() + static_cast<std::ptrdiff_t>(i));
  const bool resized = before.width != after.width || before.height != after.height;
  bool sized = false, angled = false, switched = false;
  int64_t v = 0;
  while (i < w.size()) {
    const std::string& word = w[i];
    if ((word == "at" || word == "center" || word == "cell") && Number(w, i + 1, v) && Number(w, i + 2, v)) {
      o.insert(o.end(), w.begin() + static_cast<std::ptrdiff_t>(i), w.begin() + static_cast<std::ptrdiff_t>(i + 3));
      if (word == "at" && resized) {  // the corner moves so the centre stays
        Shift(o, o.size() - 2, before.width / 2 - after.width / 2);
        Shift(o, o.size() - 1, before.height / 2 - after.height / 2);
      }
      i += 3;
    } else if (word == "size") {
      const bool width = Number(w, i + 1, v);
      i += width ? 2 + (Number(w, i + 2, v) ? 1 : 0) : 1;
      o.push_back(SizeWords(after));
      sized = true;
    } else if (word == "angle") {
      i += 1 + (Number(w, i + 1, v) ? 1 : 0);
      o.push_back("angle " + std::to_string(after.angle));
      angled = true;
    } else if (word == "off" || word == "on") {
      const size_t end = i + 1 + (word == "on" && Number(w, i + 1, v) ? 1 : 0);
      if (before.on == after.on) o.insert(o.end(), w.begin() + static_cast<std::ptrdiff_t>(i), w.begin() + static_cast<std::ptrdiff_t>(end));
      else if (!SwitchWords(after.on).empty()) o.push_back(SwitchWords(after.on));
      i = end;
      switched = true;
    } else {
      o.push_back(word);
      ++i;
    }
  }
  if (!sized && resized) o.push_back(SizeWords(after));
  if (!angled && after.angle != before.angle) o.push_back("angle " + std::to_string(after.angle));
  if (!switched && after.on != before.on && !SwitchWords(after.on).empty()) o.push_back(SwitchWords(after.on));
  out = Join(result);
  return true;
}

bool MovePlacementLine(const std::string& line, int columns, int rows, int tile, std::string& out) {
  Words in = Split(line);
  std::vector<std::string>& w = in.words;
  if (w.empty()) return false;
  size_t at = 0;
  bool cells = true;
  if (w[0] == "door") {
    at = (w.size() > 2 && w[2] == "cell") ? 3 : 2;
  } else if (w[0] == "light" || w[0] == "soldier" || w[0] == "turret" || w[0] == "enemy") {
    for (size_t i = 1; i < w.size() && at == 0; ++i) {
      if (w[i] == "at" || w[i] == "center" || w[i] == "cell") {
        at = i + 1;
        cells = w[i] == "cell";
      }
    }
    if (at == 0) return false;
  } else {
    return false;
  }
  const int64_t scale = cells ? 1 : tile;
  if (!Shift(w, at, columns * scale) || !Shift(w, at + 1, rows * scale)) return false;
  out = Join(in);
  return true;
}

}  // namespace editor
