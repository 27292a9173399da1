// Editor commands: the editor's own operations as lines of text, for scripted
// editing (--edit-commands FILE) and tests. One command per line, '#' comments:
//
//   layer N                        the layer that paint and fill draw on
//   paint CODE C R                 one cell
//   fill CODE C0 R0 C1 R1          a rectangle (both corners inside)
//   light NAME C R | door STYLE C R | soldier C R | turret C R | start C R
//   remove C R                     lights, doors and enemies placed in the cell
//   turn C R DEGREES               the light in the cell turns (clockwise; wraps to 0-359)
//   grow C R STEPS [width|height]  the light grows by 5/4 a step (negative: shrinks)
//   switch C R on|off              the light is switched on or off
//   copy C R COLUMNS ROWS          a rectangle of cells (every layer, and what is placed there)
//   paste C R                      the copied cells with their top-left at C R, clipped
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
  CellClip clip;                                // the last copy
};

// Runs one line; false with error when the line is malformed or the edit or save
// failed (an edit that changes nothing is no failure).
bool RunCommand(MapDocument& doc, CommandState& state, std::string_view line, std::string& error);

// Changes the light in a cell by a light verb ("turn", "grow", "switch") and its
// arguments (degrees; steps and width|height|""; on|off). false with error when
// there is no light there, the arguments are wrong or the size would leave its limits.
bool ChangeLight(MapDocument& doc, int column, int row, const std::string& verb, int amount, const std::string& word,
                 std::string& error);

// Runs every line of a script; false with "line N: what" at the first failure.
bool RunCommands(MapDocument& doc, std::string_view text, std::string& error);

}  // namespace editor
