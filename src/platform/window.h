// The game window and the platform's input: SDL2 video, keyboard, mouse and window
// events. Windowed mode takes one window event per frame without waiting; its
// window can be resized, the renderers scale the 1024x768 frame into it, and the
// cursor is read as the frame point under it. Full screen reads the mouse as a
// device (relative motion summed into a cursor clamped to the screen, system cursor
// hidden and confined).
#pragma once

#include <string>

#include "base/input.h"

struct SDL_Window;

// The PC set-1 scan code (DirectInput numbering, extended keys with bit 7 set) of an
// SDL scancode; 0 for keys without one.
int Set1ScanCode(int sdlScancode);

// Renderers made after this call present without waiting for the display's refresh
// (the timedemo runs as fast as the machine can).
void PresentWithoutVsync();

// kFocusLost: the window lost the keyboard focus (another window was activated).
enum class WindowEvent { kNone, kClose, kLeftDown, kLeftUp, kRightDown, kRightUp, kOther, kFocusLost };

// How a windowed game window is sized and how the frame is scaled into it.
struct WindowScaling {
  int scale = 1;              // opens at scale x 1024x768; 0: the largest that fits the desktop
  bool integerScale = false;  // whole multiples of the frame only
};

struct MouseDeviceState {
  int x = 0;  // 0-1023
  int y = 0;  // 0-767
  bool left = false;
  bool right = false;
};

class GameWindow {
 public:
  GameWindow() = default;
  ~GameWindow();
  GameWindow(const GameWindow&) = delete;
  GameWindow& operator=(const GameWindow&) = delete;

  // Opens the game window: windowed (centred, title bar and system menu, resizable,
  // high-DPI drawing where the platform offers it, `scaling.scale` times 1024x768)
  // or full screen (a 1024x768x32 display mode where the display has one, else the
  // desktop resolution, letterboxed; `scaling` does not apply). `opengl` asks for an
  // OpenGL window (the accelerated back-end). False with a message in error() on
  // failure.
  bool Open(const std::string& title, bool fullscreen, bool opengl, const WindowScaling& scaling = {});
  void Close();
  SDL_Window* handle() const { return window_; }
  bool fullscreen() const { return fullscreen_; }
  // Whether the renderers scale the frame by whole multiples only (never in full screen).
  bool integerScale() const { return integerScale_; }
  const std::string& error() const { return error_; }

  // Windowed mode: takes one pending window event without waiting (kNone if none).
  // Like PumpEvents it first reads what the window system has sent, so the
  // keyboard and cursor state read after it are this frame's; the events beyond
  // the one taken stay queued for the next frames.
  WindowEvent TakeEvent();
  // Full screen: processes every pending window-system message (the keyboard and
  // mouse device state read after it are up to date); called at the top of a frame,
  // before the snapshot.
  void PumpEvents();
  // The keyboard as set-1 scan codes (1 = down).
  void ReadKeyboard(KeyArray& out) const;
  // Windowed: the frame point under the cursor (the client area's pixels mapped to
  // the scaled 1024x768 frame); -1 and -1 when the cursor is outside the client area
  // or on a bar beside the frame.
  void CursorInClient(int& x, int& y) const;
  // The middle mouse button, held now (the editor's pick).
  bool MiddleButtonDown() const;
  // Full screen: the mouse device.
  MouseDeviceState ReadMouseDevice();
  // Makes the window the active one (raises it and gives it the focus).
  void Activate();
  // Puts the cursor on the frame point (x, y): windowed, the system cursor moves
  // there; full screen, the mouse device's cursor continues from there.
  void PlaceCursor(int x, int y);
  // Windowed: keeps the cursor on the frame (not on the bars beside it) while `on`
  // and the window has the keyboard focus; lets it go otherwise. Called every frame,
  // it follows the window's size.
  void ConfineCursor(bool on);

  // The mouse wheel (the editor's palette): while on, wheel events count up for
  // TakeWheel, each taking a frame's one event as a button does. Off for play.
  void EnableWheel(bool on);
  // The wheel's notches since the last call (away from the player: positive).
  int TakeWheel();

 private:
  int wheel_ = 0;
  SDL_Window* window_ = nullptr;
  bool fullscreen_ = false;
  bool integerScale_ = false;
  std::string error_;
  MouseDeviceState device_;
  bool confined_ = false;
  int confinedRect_[4] = {0, 0, 0, 0};  // x, y, width, height in window coordinates
};
