// The names a map source may use for content that the game numbers: the light
// images of Data/Light.xml, the door animations of Data/AnimationSet.xml and the
// two enemy types.
#pragma once

#include <cstdint>
#include <string_view>

namespace mapc {

// A light image of Data/Light.xml: used as sprite 2000 + id, and its image size,
// which a placed light gets unless the source gives another.
struct LightName {
  const char* name;  // also the image's file name without ".png"
  int32_t id;
  int16_t width;
  int16_t height;
};

inline constexpr LightName kLightNames[] = {
    {"Warm", 1, 256, 256}, {"Cold", 2, 256, 256}, {"Red", 3, 256, 256},  {"Green", 4, 256, 256},
    {"Blue", 5, 256, 256}, {"Wide", 6, 512, 512}, {"Strip", 7, 256, 64}, {"Spot", 8, 256, 256},
};
inline constexpr int32_t kLightSpriteBase = 2000;

// Case-insensitive; nullptr when the name is not a light.
const LightName* FindLightName(std::string_view name);
// The named light drawn with this sprite number, or nullptr.
const LightName* LightNameForSprite(int32_t sprite);

// Door styles and their animation IDs in Data/AnimationSet.xml.
struct DoorStyle {
  const char* name;
  int32_t animationId;
};
inline constexpr DoorStyle kDoorStyles[] = {
    {"MetalH", 2}, {"MetalV", 3}, {"LabH", 4}, {"LabV", 5}};

// Case-insensitive; -1 when the name is not a style.
int32_t DoorAnimationForStyle(std::string_view name);
// The style's name for an animation ID, or nullptr.
const char* DoorStyleName(int32_t animationId);

// The enemy types of the enemy list.
inline constexpr int32_t kSoldierType = 1;  // walks, sees 300 px
inline constexpr int32_t kTurretType = 2;   // stands, fires 10 shots/s, sees 500 px
inline constexpr int32_t kSoldierSight = 300;
inline constexpr int32_t kTurretSight = 500;

// ASCII case-insensitive equality.
bool SameName(std::string_view a, std::string_view b);

}  // namespace mapc
