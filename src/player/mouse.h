// The mouse as the game sees it in one frame: cursor on the screen and in the
// world, buttons held, and one-frame clicks.
#pragma once

#include <cstdint>

#include "platform/window.h"
#include "world/map.h"

// What the platform reported this frame: the mouse device (full screen) or the
// cursor in the game window's client area (windowed; -1 outside).
struct MouseReading {
  int deviceX = 0;
  int deviceY = 0;
  bool deviceLeft = false;
  bool deviceRight = false;
  int clientX = -1;
  int clientY = -1;
};

struct MouseState {
  uint8_t source = 1;              // 1 = mouse device (full screen), 0 = game window
  int32_t tileSize = 64;           // the map's tile size once the map is loaded
  int16_t screenX = 0;             // cursor in screen pixels (-1 outside the window)
  int16_t screenY = 0;
  const Camera* camera = nullptr;  // the map's camera, once the map is loaded
  int32_t worldX = 0;              // screen + camera
  int32_t worldY = 0;
  int32_t cellX = 0;               // world / tile size, truncating
  int32_t cellY = 0;
  uint8_t leftDown = 0;
  uint8_t rightDown = 0;
  uint8_t leftClick = 0;           // 1 only in the frame the button is first seen up
  uint8_t rightClick = 0;
  uint8_t leftLatch = 0;           // seen held, release not yet consumed
  uint8_t rightLatch = 0;
};

// Once per frame at the top of the frame: the device or window position, buttons
// (windowed mode: only from this frame's window event), world and cell position,
// latches and clicks.
void UpdateMouse(MouseState& mouse, const MouseReading& reading, WindowEvent event);
// In a paused frame, instead of UpdateMouse: only the window's button events
// (windowed mode), so that a button let go during the pause is not still held
// when play resumes; clicks, latches and positions wait for the next UpdateMouse.
void FollowMouseButtons(MouseState& mouse, WindowEvent event);

// 1 when x1 <= worldX < x2 and y1 <= worldY < y2.
int MouseInRect(const MouseState& mouse, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
