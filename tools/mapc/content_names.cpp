#include "content_names.h"

namespace mapc {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

const LightName* FindLightName(std::string_view name) {
  for (const LightName& l : kLightNames) {
    if (SameName(l.name, name)) return &l;
  }
  return nullptr;
}

const LightName* LightNameForSprite(int32_t sprite) {
  for (const LightName& l : kLightNames) {
    if (kLightSpriteBase + l.id == sprite) return &l;
  }
  return nullptr;
}

int32_t DoorAnimationForStyle(std::string_view name) {
  for (const DoorStyle& d : kDoorStyles) {
    if (SameName(d.name, name)) return d.animationId;
  }
  return -1;
}

const char* DoorStyleName(int32_t animationId) {
  for (const DoorStyle& d : kDoorStyles) {
    if (d.animationId == animationId) return d.name;
  }
  return nullptr;
}

}  // namespace mapc
