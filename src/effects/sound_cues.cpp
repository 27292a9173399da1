#include "effects/sound_cues.h"

#include <array>
#include <cstddef>

namespace {

struct SoundRow {
  const char* name;
  float gain;
};

// In SoundId order.
constexpr std::array<SoundRow, kSoundCount> kSounds{{
    {"pistol", 0.80f},
    {"pump_gun", 1.00f},
    {"automatic", 0.70f},
    {"grenade_launcher", 0.75f},
    {"soldier_shot", 0.70f},
    {"turret_shot", 0.55f},
    {"impact_dust", 0.45f},
    {"impact_metal", 0.50f},
    {"impact_electronics", 0.50f},
    {"impact_vegetation", 0.45f},
    {"body_hit", 0.65f},
    {"explosion", 1.00f},
    {"grenade_bounce", 0.55f},
    {"door_open", 0.60f},
    {"door_close", 0.60f},
    {"reload_start", 0.55f},
    {"reload_end", 0.55f},
    {"empty_click", 0.55f},
    {"footstep", 0.30f},
}};

}  // namespace

void CueSound(SoundCues* cues, SoundId id, float x, float y) {
  if (cues == nullptr || id == kNoSound) return;
  cues->list.push_back({id, x, y});
}

const char* SoundName(SoundId id) {
  const auto index = static_cast<std::size_t>(id);
  return index < kSounds.size() ? kSounds[index].name : "";
}

float SoundGain(SoundId id) {
  const auto index = static_cast<std::size_t>(id);
  return index < kSounds.size() ? kSounds[index].gain : 0.0f;
}

SoundId WeaponShotSound(int32_t weaponId) {
  switch (weaponId) {
    case 1:
      return SoundId::kPistol;
    case 2:
      return SoundId::kPumpGun;
    case 3:
      return SoundId::kAutomatic;
    case 4:
      return SoundId::kGrenadeLauncher;
    default:
      return kNoSound;
  }
}

SoundId EnemyShotSound(uint8_t kind) {
  switch (kind) {
    case 1:
      return SoundId::kSoldierShot;
    case 2:
      return SoundId::kTurretShot;
    default:
      return kNoSound;
  }
}

SoundId WallImpactSound(uint8_t material) {
  switch (material) {
    case 0:
      return SoundId::kImpactDust;
    case 1:
      return SoundId::kImpactMetal;
    case 2:
      return SoundId::kImpactElectronics;
    case 3:
      return SoundId::kImpactVegetation;
    default:
      return kNoSound;
  }
}
