#include "editor/editor_commands.h"

#include <sstream>
#include <vector>

#include "source_text.h"

namespace editor {

namespace {

bool Int(const std::vector<std::string>& w, size_t i, int& out) {
  int64_t v = 0;
  if (i >= w.size() || !mapc::ParseInteger(w[i], -1000000, 1000000, v)) return false;
  out = static_cast<int>(v);
  return true;
}

bool Cell(const std::vector<std::string>& w, size_t i, int& c, int& r) { return Int(w, i, c) && Int(w, i + 1, r); }

std::string Code(const CommandState& state, const std::string& word) {
  auto it = state.aliases.find(word);
  return it != state.aliases.end() ? it->second : word;
}

bool Entry(MapDocument& doc, CommandState& state, const std::vector<std::string>& w, std::string& error) {
  int material = 0;
  if (w.size() != 6 || !Int(w, 3, material) || w[4] != "AS") {
    error = "expected: entry \"IMAGE.png\" floor|wall|low MATERIAL AS NAME";
    return false;
  }
  EntryKind kind = EntryKind::Floor;
  if (w[2] == "wall") kind = EntryKind::Wall;
  else if (w[2] == "low") kind = EntryKind::Low;
  else if (w[2] != "floor") return error = "kind must be floor, wall or low", false;
  std::string code;
  if (!doc.AddEntry(w[1], kind, material, code)) return error = "cannot add a legend entry", false;
  state.aliases[w[5]] = code;
  return true;
}

bool LightCommand(MapDocument& doc, const std::vector<std::string>& w, std::string& error) {
  int c = 0, r = 0, amount = 0;
  const bool switching = w[0] == "switch";
  const size_t count = w.size();
  if (!Cell(w, 1, c, r) || (switching ? count != 4 : !Int(w, 3, amount) || count > (w[0] == "grow" ? 5u : 4u))) {
    error = "expected: turn C R DEGREES, grow C R STEPS [width|height] or switch C R on|off";
    return false;
  }
  return ChangeLight(doc, c, r, w[0], amount, switching ? w[3] : count == 5 ? w[4] : "", error);
}

}  // namespace

bool ChangeLight(MapDocument& doc, int column, int row, const std::string& verb, int amount, const std::string& word,
                 std::string& error) {
  LightLook look;
  if (!doc.LightLookAt(column, row, look)) {
    error = "no light in cell " + std::to_string(column) + " " + std::to_string(row);
    return false;
  }
  if (verb == "turn") {
    look.angle = TurnAngle(look.angle, amount);
  } else if (verb == "grow") {
    const SizeAxis axis = word == "width" ? SizeAxis::Width : word == "height" ? SizeAxis::Height : SizeAxis::Both;
    if (!word.empty() && axis == SizeAxis::Both) return error = "grow takes width or height", false;
    if (!ResizeLight(look, amount, axis)) {
      error = "the light's size stays within " + std::to_string(kMinLightSide) + "-" + std::to_string(kMaxLightSide);
      return false;
    }
  } else if (verb == "switch" && (word == "on" || word == "off")) {
    if ((look.on != 0) == (word == "on")) return true;
    look.on = word == "on" ? 1 : 0;
  } else {
    error = "switch takes on or off";
    return false;
  }
  doc.SetLightLook(column, row, look);
  return true;
}

bool RunCommand(MapDocument& doc, CommandState& state, std::string_view line, std::string& error) {
  std::string_view text = line.substr(0, line.find('#') == 0 ? 0 : line.size());
  std::vector<mapc::Token> tokens;
  if (!mapc::Tokenize(text, tokens, error)) return false;
  std::vector<std::string> w;
  for (const mapc::Token& t : tokens) w.push_back(t.text);
  if (w.empty()) return true;
  const std::string& verb = w[0];
  int c = 0, r = 0, c1 = 0, r1 = 0;
  if (verb == "layer" && w.size() == 2 && Int(w, 1, state.layer)) return true;
  if (verb == "paint" && w.size() == 4 && Cell(w, 2, c, r)) return doc.Paint(state.layer, c, r, Code(state, w[1])), true;
  if (verb == "fill" && w.size() == 6 && Cell(w, 2, c, r) && Cell(w, 4, c1, r1)) {
    return doc.Fill(state.layer, c, r, c1, r1, Code(state, w[1])), true;
  }
  if (verb == "light" && w.size() == 4 && Cell(w, 2, c, r)) {
    return doc.AddLight(w[1], c, r) || (error = "cannot place the light", false);
  }
  if (verb == "door" && w.size() == 4 && Cell(w, 2, c, r)) {
    return doc.AddDoor(w[1], c, r) || (error = "cannot place the door", false);
  }
  if ((verb == "soldier" || verb == "turret") && w.size() == 3 && Cell(w, 1, c, r)) {
    return doc.AddEnemy(verb == "soldier" ? 1 : 2, c, r) || (error = "cannot place the enemy", false);
  }
  if (verb == "start" && w.size() == 3 && Cell(w, 1, c, r)) return doc.SetStart(c, r), true;
  if (verb == "remove" && w.size() == 3 && Cell(w, 1, c, r)) return doc.RemoveAt(c, r), true;
  if (verb == "turn" || verb == "grow" || verb == "switch") return LightCommand(doc, w, error);
  if (verb == "copy" && w.size() == 5 && Cell(w, 1, c, r) && Cell(w, 3, c1, r1)) {
    state.clip = doc.Copy(c, r, c1, r1);
    return !state.clip.empty() || (error = "nothing to copy there", false);
  }
  if (verb == "paste" && w.size() == 3 && Cell(w, 1, c, r)) {
    if (state.clip.empty()) return error = "nothing copied", false;
    return doc.Paste(state.clip, c, r), true;
  }
  if (verb == "entry") return Entry(doc, state, w, error);
  if (verb == "undo" && w.size() == 1) return doc.Undo(), true;
  if (verb == "redo" && w.size() == 1) return doc.Redo(), true;
  if (verb == "save" && w.size() == 1) return doc.Save(error);
  error = "cannot read the command \"" + std::string(line) + "\"";
  return false;
}

bool RunCommands(MapDocument& doc, std::string_view text, std::string& error) {
  CommandState state;
  std::istringstream in{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!RunCommand(doc, state, line, error)) {
      error = "line " + std::to_string(number) + ": " + error;
      return false;
    }
  }
  return true;
}

}  // namespace editor
