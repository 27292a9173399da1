// Keyboard snapshot, indexed by PC set-1 scan codes. One snapshot per frame; a key
// reads as held while it is down in the snapshot and as released in exactly one
// snapshot: the first in which a key that was held is no longer held.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace scan {
constexpr int kEscape = 0x01;
constexpr int k1 = 0x02;
constexpr int k2 = 0x03;
constexpr int kW = 0x11;
constexpr int kE = 0x12;
constexpr int kR = 0x13;
constexpr int kA = 0x1E;
constexpr int kS = 0x1F;
constexpr int kD = 0x20;
constexpr int kV = 0x2F;
constexpr int kF9 = 0x43;
constexpr int kF10 = 0x44;
constexpr int kF11 = 0x57;
}  // namespace scan

using KeyArray = std::array<uint8_t, 256>;

struct Keyboard {
  KeyArray held{};
  KeyArray previous{};

  // Takes a new snapshot: `current` holds 1 for every key down now.
  void Snapshot(const KeyArray& current) {
    previous = held;
    held = current;
  }
  bool Pushed(int code) const { return code >= 0 && code < 256 && held[code] != 0; }
  bool Released(int code) const {
    return code >= 0 && code < 256 && held[code] == 0 && previous[code] != 0;
  }
};

// The scan code for a key name of the input script and the docs ("W", "ESCAPE",
// "F9", "1" ...), case-insensitive; -1 when unknown.
int ScanCodeByName(std::string_view name);
// The name of a scan code (upper case), or nullptr for a key without one.
const char* KeyNameOf(int code);
