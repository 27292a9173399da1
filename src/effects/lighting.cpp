#include "effects/lighting.h"

#include "render/renderer.h"
#include "render/sprites.h"

int AddLight(std::vector<Light>& lights, int32_t sprite, int32_t x, int32_t y, int16_t width, int16_t height,
             int16_t angle) {
  lights.push_back(Light{sprite, x, y, width, height, angle, 1});
  return static_cast<int>(lights.size()) - 1;
}

void AddTimedLight(std::vector<TimedLight>& timedLights, float now, int32_t sprite, int32_t x, int32_t y,
                   int16_t width, int16_t height, int16_t angle, float duration) {
  TimedLight light;
  light.sprite = sprite;
  light.x = x;
  light.y = y;
  light.width = width;
  light.height = height;
  light.halfWidth = static_cast<int16_t>(width / 2);
  light.halfHeight = static_cast<int16_t>(height / 2);
  light.angle = angle;
  light.expiresAt = now + duration;
  timedLights.push_back(light);
}

namespace {

void DrawLightQuad(SpriteStore& sprites, int32_t sprite, int32_t sx, int32_t sy, int16_t width, int16_t height,
                   int16_t angle) {
  sprites.Zoom(sprite, width, height);
  sprites.Rotate(sprite, angle, 0);
  sprites.Display(sprite, sx, sy, 255);
}

void DrawTimedLights(std::vector<TimedLight>& timedLights, SpriteStore& sprites, const Camera& camera,
                     float now) {
  size_t kept = 0;
  for (size_t i = 0; i < timedLights.size(); ++i) {
    const TimedLight& light = timedLights[i];
    // 64-bit so that far-away lights cannot overflow the comparisons.
    const int64_t sx = static_cast<int64_t>(light.x) - camera.x - light.halfWidth;
    const int64_t sy = static_cast<int64_t>(light.y) - camera.y - light.halfHeight;
    if (sx + light.halfWidth > 0 && sx - light.halfWidth < kScreenWidth && sy + light.halfHeight > 0 &&
        sy - light.halfHeight < kScreenHeight) {
      DrawLightQuad(sprites, light.sprite, static_cast<int32_t>(sx), static_cast<int32_t>(sy), light.width,
                    light.height, light.angle);
    }
    if (now > light.expiresAt) continue;  // expired: removed, the walk goes on
    if (kept != i) timedLights[kept] = light;
    ++kept;
  }
  timedLights.resize(kept);
}

void DrawLights(const std::vector<Light>& lights, SpriteStore& sprites, const Camera& camera) {
  for (const Light& light : lights) {
    if (light.on == 0) continue;
    const int64_t sx = static_cast<int64_t>(light.x) - camera.x;
    const int64_t sy = static_cast<int64_t>(light.y) - camera.y;
    if (sx + light.width > 0 && sx < kScreenWidth && sy + light.height > 0 && sy < kScreenHeight) {
      DrawLightQuad(sprites, light.sprite, static_cast<int32_t>(sx), static_cast<int32_t>(sy), light.width,
                    light.height, light.angle);
    }
  }
}

}  // namespace

void DrawLighting(std::vector<TimedLight>& timedLights, const std::vector<Light>& lights, SpriteStore& sprites,
                  const Camera& camera, float now, bool lightingOn) {
  if (lightingOn) {
    sprites.SetBlendMode(kBlendDstColour, kBlendDstAlpha);
    DrawTimedLights(timedLights, sprites, camera, now);
    DrawLights(lights, sprites, camera);
    sprites.SetBlendMode(kBlendSrcColour, kBlendDstColour);
    sprites.Display(kDarknessSprite, 0, 0, 255);
  } else {
    // In the dark no flash is drawn, but those whose time has run out still go, so
    // the list stays as long as the flashes still running.
    std::erase_if(timedLights, [now](const TimedLight& light) { return now > light.expiresAt; });
  }
  sprites.SetBlendMode(kBlendSrcAlpha, kBlendInvSrcAlpha);
}
