// Where the 1024x768 frame lands in a game window of any size: the largest scale
// that keeps its aspect, centred, with black bars on the rest (or, with integer
// scaling, the largest whole multiple). The rule is the one the accelerated renderer uses
// for a logical size, so the accelerated back-end (which scales on its own) and the frame
// presenter (which scales itself) put every frame pixel in the same place, and the
// cursor maps back to the frame pixel drawn under it.
#pragma once

// The largest window scale the game opens (8192x6144).
constexpr int kMaxWindowScale = 8;

// The frame's place in the window's drawable (its size in pixels, which on a
// high-DPI display is larger than its size in window coordinates).
struct FrameFit {
  float scale = 1.0f;  // drawable pixels per frame pixel, the same on both axes
  int x = 0;           // the frame's top-left corner in drawable pixels; negative
  int y = 0;           // when integer scaling crops a drawable smaller than the frame
  int width = 0;       // the frame's extent in drawable pixels
  int height = 0;
};

// The window as the cursor mapping needs it.
struct WindowMetrics {
  int width = 0;  // in window coordinates (the cursor's units)
  int height = 0;
  int drawableWidth = 0;  // in pixels
  int drawableHeight = 0;
  bool integerScale = false;
};

// A point of the 1024x768 frame; (-1, -1) when there is none.
struct FramePoint {
  int x = -1;
  int y = -1;
};

// The fit of the frame in a drawable; integer scaling uses the largest whole
// multiple that fits, at least 1. A drawable without area gets scale 1 at (0, 0).
FrameFit FitFrame(int drawableWidth, int drawableHeight, bool integerScale);

// True when the fit draws every frame pixel as a whole number of pixels.
bool WholeScale(const FrameFit& fit);

// The frame point under the cursor at (cursorX, cursorY) in window coordinates:
// window -> drawable (the centre of the cursor's window point) -> frame. (-1, -1)
// when the cursor is outside the window, on a bar, or the window has no area.
FramePoint CursorToFrame(const WindowMetrics& window, int cursorX, int cursorY);

// Room left in the desktop's usable area for the window manager's frame round the
// window: its borders and title bar (the window system tells their size only once
// the window is shown, too late to choose its size).
constexpr int kDecorationWidth = 16;
constexpr int kDecorationHeight = 48;
// A rectangle of the window in window coordinates (the cursor's units).
struct WindowRect {
  int x = 0;
  int y = 0;
  int width = 0;  // 0: none
  int height = 0;
};

// The window points CursorToFrame maps to a point of the frame: where the cursor is
// kept while playing. Width and height 0 when there is none.
WindowRect FrameRectInWindow(const WindowMetrics& window);

// The window scale when none is asked for: the largest whole multiple of 1024x768
// that fits, with its frame, in the desktop's usable area, at least 1 and at most
// kMaxWindowScale.
int FittingScale(int usableWidth, int usableHeight);
