// The editor's frame loop: input (window or script), the tools, undo, save and
// compile, and the frame drawn with the game's drawing. Play-test leaves the loop
// with a request; the shell plays the map and comes back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/clock.h"
#include "base/input.h"
#include "editor/editor_view.h"
#include "editor/map_document.h"
#include "player/mouse.h"
#include "render/renderer.h"
#include "world/animation.h"

class GameWindow;
class ScriptedInput;
class SpriteStore;

namespace editor {

// The services the editor draws and reads with, lent by the shell.
struct EditorHost {
  EditorHost(Renderer& r, SpriteStore& s, const Animations& a, Clock& c, float& n)
      : renderer(r), sprites(s), animations(a), clock(c), now(n) {}

  Renderer& renderer;
  SpriteStore& sprites;
  const Animations& animations;
  Clock& clock;
  float& now;                        // the clock the animations read
  GameWindow* window = nullptr;      // none when headless
  ScriptedInput* script = nullptr;
  bool headless = false;
  std::optional<uint64_t> frames;    // stop after this many frames
  std::string screenshotPath;        // written from the last frame
  std::string screenshotError;
  std::string outputDir;             // where compiled maps are written
  uint64_t frame = 0;                // frames run so far (the script's frame count)
};

// One editing session; kept across play-tests so the editor comes back where it was.
struct EditorSession {
  MapDocument doc;
  EditorState state;
  EditorWorld world;
  bool started = false;
  Keyboard keyboard;
  MouseState mouse;
  bool leftHeld = false, rightHeld = false, middleHeld = false, middlePressed = false;
  int wheel = 0;  // the mouse wheel's notches this frame (away from the player: positive)
  bool rightDragged = false;
  int rightX = 0, rightY = 0;
  int lastColumn = -1, lastRow = -1;  // last cell painted in this stroke
  bool quitArmed = false;             // Escape once with unsaved changes
  size_t nextImage = 0;               // N: the next tile image offered as an entry
  CellClip clip;                      // Ctrl+C: the copied cells
};

struct PlayRequest {
  std::string mapName;
  std::optional<int> x, y;  // Shift+F5: the cell under the cursor
};

enum class EditorExit { kQuit, kPlayTest, kClosed };

// The folder compiled maps go to: Data/Maps when writable, else userFolder.
std::string CompiledMapFolder(const std::string& userFolder);

// Runs frames until the author quits, closes the window, asks for a play-test or
// the frame limit is reached.
EditorExit RunEditor(EditorSession& session, EditorHost& host, PlayRequest& play);

// Saves the source, then compiles it into host.outputDir; the result in the status.
bool SaveAndCompile(EditorSession& session, const EditorHost& host);

}  // namespace editor
