#include "editor/editor_loop.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "base/files.h"
#include "content_names.h"
#include "editor/editor_commands.h"
#include "platform/window.h"
#include "render/sprites.h"
#include "replay/input_script.h"
#include "source_parser.h"

namespace editor {

namespace {

namespace key {
constexpr int kTab = 0x0F, kLeftBracket = 0x1A, kRightBracket = 0x1B, kCtrl = 0x1D, kRightCtrl = 0x9D;
constexpr int kShift = 0x2A, kRightShift = 0x36, kHome = 0xC7, kUp = 0xC8, kLeft = 0xCB, kRight = 0xCD;
constexpr int kJ = 0x24, kK = 0x25, kQ = 0x10, kE = 0x12, kO = 0x18, kC = 0x2E, kV = 0x2F;
constexpr int kMinus = 0x0C, kEquals = 0x0D, kPadMinus = 0x4A, kPadPlus = 0x4E, kAlt = 0x38, kRightAlt = 0xB8;
constexpr int kDown = 0xD0, kF5 = 0x3F, kG = 0x22, kM = 0x32, kP = 0x19, kN = 0x31, kZ = 0x2C, kY = 0x15;
}  // namespace key

constexpr int kScrollStep = 16;

void ReadFrameInput(EditorSession& s, EditorHost& host, bool& closed) {
  KeyArray keys{};
  MouseReading reading;
  WindowEvent event = WindowEvent::kNone;
  if (host.script != nullptr) {
    host.script->BeginFrame(host.frame + 1, keys, reading, event);
  } else if (host.window != nullptr) {
    event = host.window->TakeEvent();
    host.window->ReadKeyboard(keys);
    host.window->CursorInClient(reading.clientX, reading.clientY);
    const bool middle = host.window->MiddleButtonDown();
    s.middlePressed = middle && !s.middleHeld;
    s.middleHeld = middle;
    s.wheel = host.window->TakeWheel();
  }
  closed = event == WindowEvent::kClose;
  s.mouse.source = 0;
  UpdateMouse(s.mouse, reading, event);
  s.keyboard.Snapshot(keys);
  s.state.cursorX = s.mouse.screenX;
  s.state.cursorY = s.mouse.screenY;
}

bool Held(const Keyboard& k, int a, int b) { return k.Pushed(a) || k.Pushed(b); }

void Cycle(int& value, int count, int step) {
  if (count > 0) value = ((value + step) % count + count) % count;
}

void CentreOn(EditorState& state, int x, int y) {
  state.camera.x = x - kScreenWidth / 2;
  state.camera.y = y - kScreenHeight / 2;
}

std::vector<std::string> TileImages() {
  std::vector<std::string> names;
  ListDirectory("Data\\GFX\\TileSet\\", "*.png", names);
  return names;
}

// K cycles the kind of the entries N adds (by the image's name, floor, wall, low);
// J cycles their material. The status line says what N will add.
void ChooseNewEntryKind(EditorState& state, bool kind) {
  static const char* const kKinds[] = {"floor", "wall", "low"};
  static const char* const kMaterials[] = {"dust", "metal", "electronics", "vegetation"};
  if (kind) {
    state.newKind = state.newKind >= 2 ? -1 : state.newKind + 1;
  } else {
    state.newMaterial = (state.newMaterial + 1) % 4;
  }
  state.message = std::string("N adds: ") + (state.newKind < 0 ? "wall or floor by the image's name" : kKinds[state.newKind]) +
                  ", material " + std::to_string(state.newMaterial) + " (" + kMaterials[state.newMaterial] + ")";
}

// N: a legend entry for the next tile image the legend does not use yet; once every
// image is in use, another entry for the image of the entry chosen in the palette (a
// variant of another kind or material). Its kind is K's choice, or a wall when the
// image's name says so and else a floor; its material is J's choice.
bool AddEntryFor(EditorSession& s, std::string image) {  // a copy: the legend grows
  const bool wall = image.rfind("Wall", 0) == 0;
  const EntryKind kind = s.state.newKind >= 0 ? static_cast<EntryKind>(s.state.newKind)
                                              : (wall ? EntryKind::Wall : EntryKind::Floor);
  std::string code;
  if (!s.doc.AddEntry(image, kind, s.state.newMaterial, code)) return false;
  s.state.entry = static_cast<int>(s.doc.source().legend.size()) - 1;
  s.state.message = "new legend entry '" + code + "' " + image;
  return true;
}

void AddNextEntry(EditorSession& s) {
  const std::vector<std::string> images = TileImages();
  for (size_t tried = 0; tried < images.size(); ++tried) {
    const std::string& image = images[(s.nextImage + tried) % images.size()];
    bool used = false;
    for (const mapc::LegendEntry& e : s.doc.source().legend) used = used || mapc::SameName(e.image, image);
    if (used) continue;
    s.nextImage = (s.nextImage + tried + 1) % images.size();
    AddEntryFor(s, image);
    return;
  }
  const auto& legend = s.doc.source().legend;
  const size_t chosen = static_cast<size_t>(std::max(s.state.entry, 0));
  if (chosen < legend.size() && !legend[chosen].image.empty() && AddEntryFor(s, legend[chosen].image)) return;
  s.state.message = "every tile image is in the legend: choose an entry with an image to add a variant of it";
}

void Pick(EditorSession& s, Cell cell) {
  const int entry = s.doc.EntryAt(s.state.layer, cell.column, cell.row);
  if (entry >= 0) {
    s.state.entry = entry;
    s.state.tool = Tool::Paint;
  }
}

void ApplyTool(EditorSession& s, Cell cell) {
  MapDocument& doc = s.doc;
  EditorState& st = s.state;
  const auto& legend = doc.source().legend;
  switch (st.tool) {
    case Tool::Paint:
      if (st.entry >= 0 && static_cast<size_t>(st.entry) < legend.size()) {
        doc.Paint(st.layer, cell.column, cell.row, legend[static_cast<size_t>(st.entry)].code);
      }
      break;
    case Tool::Light: doc.AddLight(mapc::kLightNames[st.light].name, cell.column, cell.row); break;
    case Tool::Door: doc.AddDoor(mapc::kDoorStyles[st.doorStyle].name, cell.column, cell.row); break;
    case Tool::Soldier: doc.AddEnemy(1, cell.column, cell.row); break;
    case Tool::Turret: doc.AddEnemy(2, cell.column, cell.row); break;
    case Tool::Start: doc.SetStart(cell.column, cell.row); break;
    case Tool::Remove: doc.RemoveAt(cell.column, cell.row); break;
  }
}

void Erase(EditorSession& s, Cell cell) {
  if (s.state.tool == Tool::Paint) {
    s.doc.Paint(s.state.layer, cell.column, cell.row, s.doc.EmptyCode(s.state.layer));
  } else {
    s.doc.RemoveAt(cell.column, cell.row);
  }
}

bool InMapArea(int x, int y) { return x >= 0 && y >= kToolbarHeight && x < kPaletteX && y < kStatusY; }

void HandleLeft(EditorSession& s) {
  EditorState& st = s.state;
  const bool down = s.mouse.leftDown != 0;
  const Cell cell = ScreenCell(st, s.doc.TileSize(), st.cursorX, st.cursorY);
  const bool shift = Held(s.keyboard, key::kShift, key::kRightShift);
  if (down && !s.leftHeld) {
    if (st.cursorY >= 0 && st.cursorY < kToolbarHeight) {
      st.tool = static_cast<Tool>(std::clamp(st.cursorX / 96, 0, kToolCount - 1));
    } else if (st.cursorX >= kPaletteX && st.cursorY < kStatusY) {
      const int index = (st.cursorY - kToolbarHeight - 4) / 36;
      const int rows = (kStatusY - kToolbarHeight - 8) / 36;
      const int size = static_cast<int>(s.doc.source().legend.size());
      const int first = std::clamp(st.entry - rows / 2, 0, std::max(0, size - rows));
      if (first + index < size) st.entry = first + index;
    } else if (InMapArea(st.cursorX, st.cursorY) && Held(s.keyboard, key::kCtrl, key::kRightCtrl)) {
      st.selecting = true;  // Ctrl-drag selects a rectangle of cells
      st.selected = false;
      st.selectColumn = st.selectColumn1 = cell.column;
      st.selectRow = st.selectRow1 = cell.row;
    } else if (InMapArea(st.cursorX, st.cursorY)) {
      s.doc.BeginStep();
      if (shift && st.tool == Tool::Paint) {
        st.fillActive = true;
        st.fillColumn = cell.column;
        st.fillRow = cell.row;
      } else {
        ApplyTool(s, cell);
        s.lastColumn = cell.column;
        s.lastRow = cell.row;
      }
    }
  } else if (st.selecting) {
    st.selectColumn1 = cell.column;
    st.selectRow1 = cell.row;
    st.selecting = down;
    st.selected = !down;
  } else if (down && s.leftHeld && !st.fillActive && st.tool == Tool::Paint && InMapArea(st.cursorX, st.cursorY) &&
             (cell.column != s.lastColumn || cell.row != s.lastRow)) {
    ApplyTool(s, cell);
    s.lastColumn = cell.column;
    s.lastRow = cell.row;
  } else if (!down && s.leftHeld) {
    if (st.fillActive && static_cast<size_t>(st.entry) < s.doc.source().legend.size()) {
      s.doc.Fill(st.layer, st.fillColumn, st.fillRow, cell.column, cell.row,
                 s.doc.source().legend[static_cast<size_t>(st.entry)].code);
    }
    st.fillActive = false;
    s.lastColumn = s.lastRow = -1;
    s.doc.EndStep();
  }
  s.leftHeld = down;
}

void HandleRight(EditorSession& s) {
  EditorState& st = s.state;
  const bool down = s.mouse.rightDown != 0;
  if (down && !s.rightHeld) {
    s.rightDragged = false;
  } else if (down && s.rightHeld) {
    const int dx = st.cursorX - s.rightX, dy = st.cursorY - s.rightY;
    if (s.rightDragged || std::abs(dx) + std::abs(dy) > 3) {
      s.rightDragged = true;
      st.camera.x -= dx;
      st.camera.y -= dy;
    }
  } else if (!down && s.rightHeld && !s.rightDragged && InMapArea(st.cursorX, st.cursorY)) {
    Erase(s, ScreenCell(st, s.doc.TileSize(), st.cursorX, st.cursorY));
  }
  s.rightHeld = down;
  s.rightX = st.cursorX;
  s.rightY = st.cursorY;
}

void StepChoice(EditorSession& s, int step) {
  EditorState& st = s.state;
  if (st.tool == Tool::Light) Cycle(st.light, static_cast<int>(std::size(mapc::kLightNames)), step);
  else if (st.tool == Tool::Door) Cycle(st.doorStyle, static_cast<int>(std::size(mapc::kDoorStyles)), step);
  else Cycle(st.entry, static_cast<int>(s.doc.source().legend.size()), step);
}

void Report(EditorSession& s, const Cell& cell) {
  LightLook look;
  if (!s.doc.LightLookAt(cell.column, cell.row, look)) return;
  s.state.message = "light: angle " + std::to_string(look.angle) + ", size " + std::to_string(look.width) + "x" +
                    std::to_string(look.height) + (look.on == 0 ? ", off" : ", on");
}

// With the light tool: Q, E turn the light under the cursor; + and - grow and
// shrink it (Shift: the width alone, Alt: the height alone); O switches it.
void LightKeys(EditorSession& s, bool shift) {
  const Keyboard& k = s.keyboard;
  const Cell cell = ScreenCell(s.state, s.doc.TileSize(), s.state.cursorX, s.state.cursorY);
  const int turn = (k.Released(key::kE) ? kTurnStep : 0) - (k.Released(key::kQ) ? kTurnStep : 0);
  const int grow = (k.Released(key::kEquals) || k.Released(key::kPadPlus) ? 1 : 0) -
                   (k.Released(key::kMinus) || k.Released(key::kPadMinus) ? 1 : 0);
  const std::string axis = shift ? "width" : Held(k, key::kAlt, key::kRightAlt) ? "height" : "";
  LightLook look;
  const bool any = turn != 0 || grow != 0 || k.Released(key::kO);
  if (!any) return;
  if (!s.doc.LightLookAt(cell.column, cell.row, look)) {
    s.state.message = "no light under the cursor";
    return;
  }
  std::string error;
  bool ok = true;
  if (turn != 0) ok = ChangeLight(s.doc, cell.column, cell.row, "turn", turn, "", error);
  if (grow != 0 && ok) ok = ChangeLight(s.doc, cell.column, cell.row, "grow", grow, axis, error);
  if (k.Released(key::kO) && ok) ok = ChangeLight(s.doc, cell.column, cell.row, "switch", 0, look.on == 0 ? "on" : "off", error);
  if (ok) Report(s, cell);
  else s.state.message = error;
}

void CopyOrPaste(EditorSession& s) {
  const Keyboard& k = s.keyboard;
  EditorState& st = s.state;
  if (k.Released(key::kC) && st.selected) {
    s.clip = s.doc.Copy(std::min(st.selectColumn, st.selectColumn1), std::min(st.selectRow, st.selectRow1),
                        std::abs(st.selectColumn1 - st.selectColumn) + 1, std::abs(st.selectRow1 - st.selectRow) + 1);
    st.message = s.clip.empty() ? "nothing to copy there"
                                : "copied " + std::to_string(s.clip.columns) + "x" + std::to_string(s.clip.rows) + " cells";
  }
  if (k.Released(scan::kD) && st.selected) {
    st.selected = false;
    st.message = "selection cleared";
  }
  if (k.Released(key::kV)) {
    const Cell cell = ScreenCell(st, s.doc.TileSize(), st.cursorX, st.cursorY);
    st.message = s.clip.empty()                            ? "nothing copied: Ctrl-drag selects, Ctrl+C copies"
                 : s.doc.Paste(s.clip, cell.column, cell.row) ? "pasted"
                                                             : "nothing to paste there";
  }
}

// Keys; returns true when the loop should end with `exit`.
bool HandleKeys(EditorSession& s, EditorHost& host, PlayRequest& play, EditorExit& exit) {
  const Keyboard& k = s.keyboard;
  EditorState& st = s.state;
  const bool ctrl = Held(k, key::kCtrl, key::kRightCtrl), shift = Held(k, key::kShift, key::kRightShift);
  if (ctrl) {
    if (k.Released(key::kZ)) st.message = s.doc.Undo() ? "undone" : "nothing to undo";
    if (k.Released(key::kY)) st.message = s.doc.Redo() ? "redone" : "nothing to redo";
    if (k.Released(scan::kS)) SaveAndCompile(s, host);
    CopyOrPaste(s);
    return false;
  }
  const int dx = (Held(k, scan::kD, key::kRight) ? 1 : 0) - (Held(k, scan::kA, key::kLeft) ? 1 : 0);
  const int dy = (Held(k, scan::kS, key::kDown) ? 1 : 0) - (Held(k, scan::kW, key::kUp) ? 1 : 0);
  st.camera.x += dx * kScrollStep;
  st.camera.y += dy * kScrollStep;
  for (int t = 0; t < kToolCount; ++t) {
    if (k.Released(scan::k1 + t)) st.tool = static_cast<Tool>(t);
  }
  if (k.Released(key::kTab)) Cycle(st.layer, std::max(1, std::min(2, s.doc.Layers())), 1);
  if (k.Released(key::kLeftBracket)) StepChoice(s, -1);
  if (k.Released(key::kRightBracket)) StepChoice(s, 1);
  if (s.wheel != 0) StepChoice(s, s.wheel > 0 ? -1 : 1);  // the wheel walks the palette like [ and ]
  if (st.tool == Tool::Light) LightKeys(s, shift);
  if (k.Released(key::kG)) st.grid = !st.grid;
  if (k.Released(key::kM)) st.minimap = !st.minimap;
  if (k.Released(scan::kF9)) st.lighting = !st.lighting;
  if (k.Released(key::kHome)) CentreOn(st, s.doc.preview().binary.startX, s.doc.preview().binary.startY);
  if (k.Released(key::kP) || s.middlePressed) Pick(s, ScreenCell(st, s.doc.TileSize(), st.cursorX, st.cursorY));
  if (k.Released(key::kN)) AddNextEntry(s);
  if (k.Released(key::kK) || k.Released(key::kJ)) ChooseNewEntryKind(s.state, k.Released(key::kK));
  if (k.Released(key::kF5)) {
    if (!SaveAndCompile(s, host)) return false;
    play = PlayRequest{s.doc.source().name, std::nullopt, std::nullopt};
    const Cell cell = ScreenCell(st, s.doc.TileSize(), st.cursorX, st.cursorY);
    if (shift && s.doc.preview().binary.Inside(cell.column, cell.row)) {
      play.x = cell.column * s.doc.TileSize() + s.doc.TileSize() / 2 - 2;
      play.y = cell.row * s.doc.TileSize() + s.doc.TileSize() / 2 - 2;
    }
    exit = EditorExit::kPlayTest;
    return true;
  }
  if (k.Released(scan::kEscape)) {
    if (!s.doc.modified() || s.quitArmed) {
      exit = EditorExit::kQuit;
      return true;
    }
    s.quitArmed = true;
    st.message = "unsaved changes: Ctrl+S saves, Escape again quits without saving";
  }
  return false;
}

void DrawTexts(const EditorSession& s, Renderer& renderer) {
  const EditorState& st = s.state;
  for (int t = 0; t < kToolCount; ++t) {
    renderer.DrawText(8 + t * 96, 3, std::to_string(t + 1) + " " + ToolName(static_cast<Tool>(t)), 0xffffff);
  }
  std::string choice;
  const auto& legend = s.doc.source().legend;
  if (st.tool == Tool::Light) choice = std::string("light ") + mapc::kLightNames[st.light].name;
  if (st.tool == Tool::Door) choice = std::string("door ") + mapc::kDoorStyles[st.doorStyle].name;
  if (st.tool == Tool::Paint && static_cast<size_t>(st.entry) < legend.size()) {
    choice = "paint '" + legend[static_cast<size_t>(st.entry)].code + "' on layer " + std::to_string(st.layer);
  }
  renderer.DrawText(4 + kToolCount * 96, 3, choice + (st.lighting ? "  lighting" : ""), 0x80ffff);
  const int rows = (kStatusY - kToolbarHeight - 8) / 36;
  const int first = std::clamp(st.entry - rows / 2, 0, std::max(0, static_cast<int>(legend.size()) - rows));
  for (int i = first; i < std::min(static_cast<int>(legend.size()), first + rows); ++i) {
    const mapc::LegendEntry& e = legend[static_cast<size_t>(i)];
    std::string name = e.image.empty() ? "(empty)" : e.image.substr(0, e.image.size() - std::min<size_t>(4, e.image.size()));
    const int y = kToolbarHeight + 4 + (i - first) * 36;
    renderer.DrawText(kPaletteX + 44, y + 2, "'" + e.code + "'" + (e.doorAnimation >= 0 ? " door" : ""), 0xffffff);
    renderer.DrawText(kPaletteX + 44, y + 17, name.substr(0, 13), 0xc0c0c0);
  }
  renderer.DrawText(6, kStatusY + 3, StatusText(s.doc, st), 0xffffff);
  if (!st.message.empty()) renderer.DrawText(560, kStatusY + 3, st.message.substr(0, 60), 0x60ffff);
}

void Screenshot(EditorHost& host) {
  Image shot;
  if (!host.renderer.Capture(shot) || !WritePngFile(host.screenshotPath, shot, false)) {
    host.screenshotError = "cannot write the screenshot \"" + host.screenshotPath + "\"";
  }
}

}  // namespace

std::string CompiledMapFolder(const std::string& userFolder) {
  const std::string data = HostPath("Data\\Maps");
  if (std::filesystem::is_directory(data) && ::access(data.c_str(), W_OK) == 0) return data;
  return userFolder;
}

bool SaveAndCompile(EditorSession& s, const EditorHost& host) {
  std::string error;
  if (!s.doc.Save(error)) {
    s.state.message = error;
    return false;
  }
  s.quitArmed = false;
  if (!s.doc.Compile(host.outputDir, error)) {
    s.state.message = error.substr(error.find_last_of('/') + 1);
    return false;
  }
  s.state.message = "saved and compiled " + s.doc.source().name;
  return true;
}

EditorExit RunEditor(EditorSession& s, EditorHost& host, PlayRequest& play) {
  if (!s.started) {
    PrepareEditorSprites(host.sprites);
    CentreOn(s.state, s.doc.preview().binary.startX, s.doc.preview().binary.startY);
    s.started = true;
    if (!s.doc.diagnostics().empty()) {
      s.state.message = mapc::FormatDiagnostic(s.doc.path(), s.doc.diagnostics().front());
    }
  }
  s.keyboard = Keyboard{};
  s.leftHeld = s.rightHeld = false;
  EditorExit exit = EditorExit::kQuit;
  while (true) {
    const bool last = host.frames && host.frame + 1 >= *host.frames;
    if (host.frames && *host.frames == 0) break;
    if (!host.headless) SleepMs(10);
    bool closed = false;
    ReadFrameInput(s, host, closed);
    host.clock.Advance();
    host.now = host.clock.Now();
    HandleLeft(s);
    HandleRight(s);
    const bool done = HandleKeys(s, host, play, exit);
    BuildWorld(s.doc, s.world, host.sprites, host.animations);
    host.renderer.Clear(0);
    host.renderer.BeginScene();
    DrawEditor(s.doc, s.state, s.world, host.sprites, host.animations, host.now);
    host.renderer.EndScene();
    DrawTexts(s, host.renderer);
    if ((last || done || closed) && !host.screenshotPath.empty()) Screenshot(host);
    host.renderer.Present();
    ++host.frame;
    if (closed) return EditorExit::kClosed;
    if (done) return exit;
    if (last) break;
  }
  return EditorExit::kQuit;
}

}  // namespace editor
