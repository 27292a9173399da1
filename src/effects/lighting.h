// Lights and darkness. The scene is drawn at full brightness first; then every
// visible light multiplies the screen beneath it by (1 + light colour) and a
// full-screen darkness quad squares what is there, so lit places stay bright and
// the rest sinks into darkness.
#pragma once

#include <cstdint>
#include <vector>

#include "world/map.h"

class SpriteStore;

// Sprite of the darkness layer, zoomed to the whole screen at start-up.
constexpr int kDarknessSprite = 2000;

// A placed light (the map stores it byte for byte) or the flashlight.
struct Light {
  int32_t sprite = 0;   // light image
  int32_t x = 0;        // world position of the unrotated image's top-left corner
  int32_t y = 0;
  int16_t width = 0;    // drawn size
  int16_t height = 0;
  int16_t angle = 0;    // degrees, about the image's centre
  uint8_t on = 0;       // 0 = off (not drawn)
};

// A flash with a lifetime.
struct TimedLight {
  int32_t sprite = 0;
  int32_t x = 0;        // world position of the centre
  int32_t y = 0;
  int16_t width = 0;
  int16_t height = 0;
  int16_t halfWidth = 0;   // width / 2, truncated
  int16_t halfHeight = 0;
  int16_t angle = 0;
  float expiresAt = 0.0f;  // removed after this game time
};

// Appends a light, switched on; returns its index in the list.
int AddLight(std::vector<Light>& lights, int32_t sprite, int32_t x, int32_t y, int16_t width, int16_t height,
             int16_t angle);

// Appends a flash centred on (x, y) that expires `duration` seconds after now.
void AddTimedLight(std::vector<TimedLight>& timedLights, float now, int32_t sprite, int32_t x, int32_t y,
                   int16_t width, int16_t height, int16_t angle, float duration);

// The lighting pass. With lighting on: timed lights whose centre lies on the screen
// side of its left and top edges (and within half their size of the right and
// bottom) are drawn with (destination colour, destination alpha), and every timed
// light past its time is removed after the draw; lights that are on and overlap the
// screen are drawn the same way; then the darkness quad with (source colour,
// destination colour). With lighting off nothing is drawn and the timed lights past
// their time are removed; those still running show once lighting returns. In every
// case it ends with normal alpha blending.
void DrawLighting(std::vector<TimedLight>& timedLights, const std::vector<Light>& lights, SpriteStore& sprites,
                  const Camera& camera, float now, bool lightingOn);
