#include "player/mouse.h"

#include <algorithm>

namespace {

void ReleaseLatch(uint8_t& latch, uint8_t down, uint8_t& click) {
  if (latch != 0 && down == 0) {
    latch = 0;
    click = 0;
  }
}

void UpdateLatch(uint8_t& latch, uint8_t down, uint8_t& click) {
  if (down != 0) latch = 1;
  if (down == 0 && latch != 0) click = 1;
}

// screen + camera in 64 bits, held to the 32-bit range (a camera near its ends
// would otherwise overflow).
int32_t WorldOf(int16_t screen, int32_t camera) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{screen} + camera, INT32_MIN, INT32_MAX));
}

}  // namespace

void UpdateMouse(MouseState& mouse, const MouseReading& reading, WindowEvent event) {
  ReleaseLatch(mouse.leftLatch, mouse.leftDown, mouse.leftClick);
  ReleaseLatch(mouse.rightLatch, mouse.rightDown, mouse.rightClick);
  if (mouse.source == 1) {
    mouse.screenX = static_cast<int16_t>(reading.deviceX);
    mouse.screenY = static_cast<int16_t>(reading.deviceY);
    mouse.leftDown = reading.deviceLeft ? 1 : 0;
    mouse.rightDown = reading.deviceRight ? 1 : 0;
  } else {
    mouse.screenX = static_cast<int16_t>(reading.clientX);
    mouse.screenY = static_cast<int16_t>(reading.clientY);
    FollowMouseButtons(mouse, event);
  }
  if (mouse.camera != nullptr) {
    mouse.worldX = WorldOf(mouse.screenX, mouse.camera->x);
    mouse.worldY = WorldOf(mouse.screenY, mouse.camera->y);
    // No tile size (no map): the cell stays where it was.
    if (mouse.tileSize != 0) {
      mouse.cellX = mouse.worldX / mouse.tileSize;
      mouse.cellY = mouse.worldY / mouse.tileSize;
    }
  }
  UpdateLatch(mouse.leftLatch, mouse.leftDown, mouse.leftClick);
  UpdateLatch(mouse.rightLatch, mouse.rightDown, mouse.rightClick);
}

void FollowMouseButtons(MouseState& mouse, WindowEvent event) {
  if (mouse.source == 1) return;  // the device's buttons are read afresh each frame
  switch (event) {
    case WindowEvent::kLeftDown: mouse.leftDown = 1; break;
    case WindowEvent::kLeftUp: mouse.leftDown = 0; break;
    case WindowEvent::kRightDown: mouse.rightDown = 1; break;
    case WindowEvent::kRightUp: mouse.rightDown = 0; break;
    default: break;
  }
}

int MouseInRect(const MouseState& mouse, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  return (x1 <= mouse.worldX && mouse.worldX < x2 && y1 <= mouse.worldY && mouse.worldY < y2) ? 1 : 0;
}
