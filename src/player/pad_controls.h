// Twin-stick play: a controller reading becomes the keys and the mouse the rules
// already read. The left stick and the d-pad hold W, A, S and D; the right stick
// puts the cursor on a circle around the soldier; the right trigger holds the left
// button; the face buttons, shoulders, Back and Start hold keys. The keyboard and
// the mouse keep working beside it: whichever moved last places the cursor.
#pragma once

#include <cstdint>

#include "base/input.h"
#include "platform/gamepad.h"
#include "player/mouse.h"

struct PadSettings {
  float deadzone = 0.25f;    // radial, as a share of a stick's full travel
  float aimRadius = 200.0f;  // pixels from the soldier's centre to the cursor
};

constexpr float kPadTriggerHalf = 0.5f;  // the right trigger holds the left button beyond this

// The walking keys a stick direction holds: none inside the dead zone, else the
// nearest of eight directions, diagonals as two keys.
enum PadWalkKey : uint8_t { kPadWalkW = 1, kPadWalkA = 2, kPadWalkS = 4, kPadWalkD = 8 };
uint8_t StickWalkKeys(float x, float y, float deadzone);

// What the controller did to the cursor and buttons so far, and two flags for the
// shell, which the rules never read.
struct PadControls {
  PadSettings settings;
  bool padCursor = false;  // the controller placed the cursor last
  int cursorX = 0;         // where it placed it (screen pixels)
  int cursorY = 0;
  int mouseX = -1;         // the mouse's own reading last frame
  int mouseY = -1;
  bool rebase = false;     // the system cursor was moved: take the next mouse reading as still
  bool leftSent = false;   // windowed: the left button as the controller last sent it
  uint32_t lastButtons = 0;
  float backDownAt = 0.0f;
  // Shell flags, separate from the keys: Start went down this frame; how long Back
  // has been held (0 while up). They let a pause and a restart be bound to the
  // controller without touching the key mapping.
  bool startPressed = false;
  float backHeldSeconds = 0.0f;
  bool backRestartRaised = false;  // the restart of this hold of Back was asked for
};

// The frame the reading is applied to.
struct PadFrame {
  float soldierScreenX = 0.0f;  // the soldier's centre on the screen
  float soldierScreenY = 0.0f;
  uint8_t displayMode = 0;      // 0 windowed (cursor and window events), 1 full screen (mouse device)
  float now = 0.0f;             // seconds, for how long Back is held
};

// Adds the controller to this frame's keys and mouse reading (and, windowed, to the
// frame's window event when that carries no button of its own). Returns true when
// the controller placed the cursor this frame, so the shell moves the system cursor there.
bool ApplyPad(PadControls& pad, const PadReading& reading, const PadFrame& frame, KeyArray& keys,
              MouseReading& mouse, WindowEvent& event);
