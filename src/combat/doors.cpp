#include "combat/doors.h"

#include "effects/sound_cues.h"
#include "base/input.h"
#include "render/sprites.h"

void PlaceDoor(std::vector<Door>& doors, Map& map, const Animations& animations, int32_t animationId,
               int32_t column, int32_t row) {
  if (!InGrid(map, column, row)) return;
  Door door;
  door.column = column;
  door.row = row;
  door.x = static_cast<int32_t>(static_cast<int64_t>(column) * map.tileSize);
  door.y = static_cast<int32_t>(static_cast<int64_t>(row) * map.tileSize);
  door.state = kDoorClosed;
  door.animationId = animationId;
  BindAnimation(door.animation, animations, animationId);
  doors.push_back(door);
  SetCellBlocked(map, column, row, 1);
}

namespace {

bool InVisibleWindow(const Map& map, const Door& door) {
  return door.column >= map.firstVisibleColumn && door.column <= map.lastVisibleColumn &&
         door.row >= map.firstVisibleRow && door.row <= map.lastVisibleRow;
}

void DrawAndStep(Door& door, Map& map, const Animations& animations, SpriteStore& sprites) {
  const int32_t sx = ScreenOffset(door.x, map.camera.x);
  const int32_t sy = ScreenOffset(door.y, map.camera.y);
  switch (door.state) {
    case kDoorClosed:
      sprites.Display(FrameSprite(door.animation, 0), sx, sy, 255);
      break;
    case kDoorOpen:
      sprites.Display(FrameSprite(door.animation, kDoorOpenFrame), sx, sy, 255);
      break;
    case kDoorOpening:
      PlayAnimation(door.animation, animations, sprites, sx, sy, 0, kDoorOpenFrame, kDoorFrameTime, 255);
      if (door.animation.frame == kDoorOpenFrame) {
        door.state = kDoorOpen;
        SetCellBlocked(map, door.column, door.row, 0);
      }
      break;
    case kDoorClosing:
      PlayAnimation(door.animation, animations, sprites, sx, sy, kDoorOpenFrame, kDoorClosedFrame,
                    kDoorFrameTime, 255);
      if (door.animation.frame == kDoorClosedFrame) {
        door.state = kDoorClosed;
        SetCellBlocked(map, door.column, door.row, 1);
        door.animation.frame = 0;
      }
      break;
    default:
      break;
  }
}

bool FrontPointInside(const Map& map, const Door& door) {
  if (map.frontX == nullptr || map.frontY == nullptr) return false;
  const float fx = *map.frontX;
  const float fy = *map.frontY;
  const float left = static_cast<float>(door.x);
  const float top = static_cast<float>(door.y);
  const float size = static_cast<float>(map.tileSize);
  return left < fx && fx < left + size && top < fy && fy < top + size;
}

// A door's sound, at the centre of its cell.
void CueDoor(SoundCues* cues, SoundId id, const Door& door, const Map& map) {
  const float half = static_cast<float>(map.tileSize) / 2.0f;
  CueSound(cues, id, static_cast<float>(door.x) + half, static_cast<float>(door.y) + half);
}

}  // namespace

void UpdateDoors(std::vector<Door>& doors, Map& map, const Animations& animations, SpriteStore& sprites,
                 const Keyboard& keyboard, SoundCues* cues) {
  for (Door& door : doors) {
    if (!InVisibleWindow(map, door)) continue;
    DrawAndStep(door, map, animations, sprites);
    if (!FrontPointInside(map, door)) continue;
    map.prompt = 1;
    if (!keyboard.Released(scan::kE)) continue;
    if (door.state == kDoorClosed) {
      door.state = kDoorOpening;
      CueDoor(cues, SoundId::kDoorOpen, door, map);
    } else if (door.state == kDoorOpen) {
      door.state = kDoorClosing;
      CueDoor(cues, SoundId::kDoorClose, door, map);
    }
  }
}
