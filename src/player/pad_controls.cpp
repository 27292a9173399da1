#include "player/pad_controls.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/renderer.h"

namespace {

// The eight directions counter-clockwise from right (screen up is -y).
constexpr uint8_t kDirectionKeys[8] = {
    kPadWalkD, kPadWalkW | kPadWalkD, kPadWalkW, kPadWalkW | kPadWalkA,
    kPadWalkA, kPadWalkA | kPadWalkS, kPadWalkS, kPadWalkS | kPadWalkD,
};

// Buttons that hold a key while they are held.
constexpr struct {
  uint32_t button;
  int code;
} kButtonKeys[] = {
    {kPadX, scan::kR},
    {kPadA, scan::kE},
    {kPadY, scan::kV},
    {kPadLeftShoulder, scan::k1},
    {kPadRightShoulder, scan::k2},
    {kPadBack, scan::kF11},
};

bool PastDeadzone(float x, float y, float deadzone) { return std::hypot(x, y) > deadzone; }

void HoldWalkKeys(uint8_t walk, KeyArray& keys) {
  if ((walk & kPadWalkW) != 0) keys[scan::kW] = 1;
  if ((walk & kPadWalkA) != 0) keys[scan::kA] = 1;
  if ((walk & kPadWalkS) != 0) keys[scan::kS] = 1;
  if ((walk & kPadWalkD) != 0) keys[scan::kD] = 1;
}

uint8_t DpadWalkKeys(uint32_t buttons) {
  uint8_t walk = 0;
  if ((buttons & kPadUp) != 0) walk |= kPadWalkW;
  if ((buttons & kPadLeft) != 0) walk |= kPadWalkA;
  if ((buttons & kPadDown) != 0) walk |= kPadWalkS;
  if ((buttons & kPadRight) != 0) walk |= kPadWalkD;
  return walk;
}

// The cursor: the right stick past its dead zone places it on the aim circle; the
// mouse takes it back as soon as it moves.
bool PlaceCursor(PadControls& pad, const PadReading& reading, const PadFrame& frame, MouseReading& mouse) {
  const bool device = frame.displayMode == 1;
  const int mouseX = device ? mouse.deviceX : mouse.clientX;
  const int mouseY = device ? mouse.deviceY : mouse.clientY;
  const bool mouseMoved = !pad.rebase && (mouseX != pad.mouseX || mouseY != pad.mouseY);
  pad.mouseX = mouseX;
  pad.mouseY = mouseY;
  pad.rebase = false;
  const bool aiming = reading.connected && PastDeadzone(reading.rightX, reading.rightY, pad.settings.deadzone);
  if (aiming) {
    const float length = std::hypot(reading.rightX, reading.rightY);
    const float x = frame.soldierScreenX + reading.rightX / length * pad.settings.aimRadius;
    const float y = frame.soldierScreenY + reading.rightY / length * pad.settings.aimRadius;
    pad.cursorX = std::clamp(static_cast<int>(std::lround(x)), 0, kScreenWidth - 1);
    pad.cursorY = std::clamp(static_cast<int>(std::lround(y)), 0, kScreenHeight - 1);
    pad.padCursor = true;
    pad.rebase = true;
  } else if (mouseMoved) {
    pad.padCursor = false;
  }
  if (pad.padCursor) {
    (device ? mouse.deviceX : mouse.clientX) = pad.cursorX;
    (device ? mouse.deviceY : mouse.clientY) = pad.cursorY;
  }
  return aiming;
}

// The left button: full screen, the device reading; windowed, a button event in a
// frame whose window event is not a button of the mouse's own (it waits otherwise).
void HoldLeftButton(PadControls& pad, const PadReading& reading, const PadFrame& frame, MouseReading& mouse,
                    WindowEvent& event) {
  const bool held = reading.connected && reading.rightTrigger > kPadTriggerHalf;
  if (frame.displayMode == 1) {
    mouse.deviceLeft = mouse.deviceLeft || held;
    pad.leftSent = held;
    return;
  }
  if (held == pad.leftSent || (event != WindowEvent::kNone && event != WindowEvent::kOther)) return;
  event = held ? WindowEvent::kLeftDown : WindowEvent::kLeftUp;
  pad.leftSent = held;
}

}  // namespace

uint8_t StickWalkKeys(float x, float y, float deadzone) {
  if (!PastDeadzone(x, y, deadzone)) return 0;
  const float turn = std::atan2(-y, x) / (std::numbers::pi_v<float> / 4.0f);  // eighths of a circle
  const int sector = (static_cast<int>(std::lround(turn)) + 8) % 8;
  return kDirectionKeys[sector];
}

bool ApplyPad(PadControls& pad, const PadReading& reading, const PadFrame& frame, KeyArray& keys,
              MouseReading& mouse, WindowEvent& event) {
  const uint32_t buttons = reading.connected ? reading.buttons : 0;
  if (reading.connected) {
    HoldWalkKeys(StickWalkKeys(reading.leftX, reading.leftY, pad.settings.deadzone) | DpadWalkKeys(buttons), keys);
  }
  for (const auto& [button, code] : kButtonKeys) {
    if ((buttons & button) != 0) keys[static_cast<size_t>(code)] = 1;
  }
  pad.startPressed = (buttons & kPadStart) != 0 && (pad.lastButtons & kPadStart) == 0;
  if ((buttons & kPadBack) == 0) {
    pad.backHeldSeconds = 0.0f;
  } else {
    if ((pad.lastButtons & kPadBack) == 0) pad.backDownAt = frame.now;
    pad.backHeldSeconds = frame.now - pad.backDownAt;
  }
  pad.lastButtons = buttons;
  HoldLeftButton(pad, reading, frame, mouse, event);
  return PlaceCursor(pad, reading, frame, mouse);
}
