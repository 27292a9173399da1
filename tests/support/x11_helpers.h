// Driving windows on a test X server: an Xlib connection, top-level windows found
// by title, their geometry and pixels, the close box (a WM_DELETE_WINDOW message,
// since a bare server has no window manager), and pointer and key input through
// XTEST (the xdotool program).
#pragma once

#include <string>

#include "base/image.h"

struct _XDisplay;

struct WindowGeometry {
  int x = 0;  // the client area's top-left corner on the root window
  int y = 0;
  int width = 0;
  int height = 0;
};

class XConnection {
 public:
  explicit XConnection(const std::string& display);
  ~XConnection();
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;

  bool ok() const { return display_ != nullptr; }
  _XDisplay* get() const { return display_; }

  // The first viewable window whose title is exactly `title` (0 when none).
  unsigned long FindWindow(const std::string& title) const;
  // Polls FindWindow until it answers or timeoutSeconds pass.
  unsigned long WaitForWindow(const std::string& title, double timeoutSeconds) const;
  // Polls until no viewable window has the title; false on timeout.
  bool WaitForWindowGone(const std::string& title, double timeoutSeconds) const;
  bool Geometry(unsigned long window, WindowGeometry& out) const;
  // Asks the window to close, as the close box of a window manager would.
  bool SendClose(unsigned long window) const;
  // The window's pixels as RGBA (alpha 255).
  bool Capture(unsigned long window, Image& out) const;

 private:
  _XDisplay* display_ = nullptr;
};

// `xdotool mousemove X Y` (root coordinates) on the display.
bool MovePointer(const std::string& display, int x, int y);
// `xdotool mousemove X Y click BUTTON`.
bool ClickAt(const std::string& display, int x, int y, int button = 1);
// `xdotool key|keydown|keyup NAME` (an X keysym name such as "Return" or "w").
bool KeyAction(const std::string& display, const std::string& action, const std::string& key);
// `xdotool windowfocus --sync WINDOW`: the keyboard focus, which a bare server
// without a window manager gives nobody by itself.
bool FocusWindow(const std::string& display, unsigned long window);
