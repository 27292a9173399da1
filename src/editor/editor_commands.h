// Editor commands: the editor's own operations as lines of text, for scripted
// editing (--edit-commands FILE) and tests. One command per line, '#' comments:
//
//   layer N                        the layer that paint and fill draw on
//   paint CODE C R                 one cell
//   fill CODE C0 R0 C1 R1          a rectangle (both corners inside)
//   light NAME C R | door STYLE C R | soldier C R | turret C R | start C R
//   remove C R                     lights, doors and enemies placed in the cell
//   entry "IMAGE.png" floor|wall|low MATERIAL AS CODE
//                                  a new legend entry; CODE names it in later lines
//   undo | redo | save
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "editor/map_document.h"

namespace editor {

struct CommandState {
  int layer = 0;
  std::map<std::string, std::string> aliases;  // "entry ... AS NAME" -> the legend code
};

// Runs one line; false with error when the line is malformed or the edit or save
// failed (an edit that changes nothing is no failure).
bool RunCommand(MapDocument& doc, CommandState& state, std::string_view line, std::string& error);

// Runs every line of a script; false with "line N: what" at the first failure.
bool RunCommands(MapDocument& doc, std::string_view text, std::string& error);

}  // namespace editor
