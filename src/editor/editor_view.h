// What the editor shows: the map drawn by the game's own layer, door and lighting
// drawing, then on top a grid, markers for the placed enemies, lights and the
// start, a toolbar, the palette of legend entries, a minimap and the status line.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "combat/doors.h"
#include "editor/map_document.h"
#include "effects/lighting.h"
#include "render/renderer.h"
#include "world/animation.h"
#include "world/map.h"

class SpriteStore;

namespace editor {

enum class Tool : uint8_t { Paint, Light, Door, Soldier, Turret, Start, Remove };
constexpr int kToolCount = 7;
const char* ToolName(Tool tool);

// The editor's own state besides the document.
struct EditorState {
  Tool tool = Tool::Paint;
  int layer = 0;
  int entry = 0;       // legend entry painted
  int light = 0;       // index of the light names
  int doorStyle = 0;   // index of the door styles
  int newKind = -1;     // K: the kind of entries N adds (-1: wall when the image's name says so, else floor)
  int newMaterial = 0;  // J: their material (0 dust, 1 metal, 2 electronics, 3 vegetation)
  bool grid = true;
  bool lighting = false;  // F9: the map's lights and darkness as in play
  bool minimap = false;
  Camera camera;
  int cursorX = -1, cursorY = -1;  // screen
  bool fillActive = false;         // shift-drag rectangle
  int fillColumn = 0, fillRow = 0;
  bool selecting = false;          // Ctrl-drag: the selection follows the cursor
  bool selected = false;           // a selection is shown (Ctrl+C copies it)
  int selectColumn = 0, selectRow = 0, selectColumn1 = 0, selectRow1 = 0;  // its corners
  std::string message;             // last save, compile or error
};

// The world the game's drawing reads, rebuilt from the document's preview.
struct EditorWorld {
  Map map;
  std::vector<Light> lights;
  std::vector<Door> doors;
  std::vector<TimedLight> timedLights;
  std::map<std::string, int> tileSprites;  // loaded tile images -> sprite number
  uint64_t revision = 0;                   // the document revision built
};

// Rebuilds the world from the compiled preview; loads tile images it has not yet.
void BuildWorld(const MapDocument& doc, EditorWorld& world, SpriteStore& sprites, const Animations& animations);

// Creates the editor's plain-colour sprites (once) and the light colours.
void PrepareEditorSprites(SpriteStore& sprites);

// The cell under a screen point (may lie outside the map).
Cell ScreenCell(const EditorState& state, int tileSize, int x, int y);

// Draws a whole frame of the editor (between BeginScene and EndScene).
void DrawEditor(const MapDocument& doc, const EditorState& state, EditorWorld& world, SpriteStore& sprites,
                const Animations& animations, float now);
// The status line text for the cell under the cursor.
std::string StatusText(const MapDocument& doc, const EditorState& state);

// Screen areas: the toolbar along the top, the palette along the right.
constexpr int kToolbarHeight = 20;
constexpr int kPaletteX = kScreenWidth - 150;
constexpr int kStatusY = kScreenHeight - 20;

}  // namespace editor
