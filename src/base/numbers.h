// Number conventions shared by every subsystem: the integer reading rule of the
// content files and the two real-to-integer conversions the game uses.
#pragma once

#include <cmath>
#include <cstdint>
#include <string_view>

// Reads an integer the way every content file writes one: leading blanks and tabs
// are skipped, one optional "-" or "+" is accepted, then decimal digits, or
// hexadecimal digits after "$", or binary digits after "%". Reading stops at the
// first character that does not fit; no digits gives 0. The value wraps to a
// signed 32-bit integer.
int32_t ReadInt(std::string_view text);

// The low 8 bits of ReadInt, for byte-wide fields ("300" gives 44).
inline uint8_t ReadByte(std::string_view text) { return static_cast<uint8_t>(ReadInt(text)); }

// Degrees to radians: pi / 180 in single precision.
constexpr float kPiOver180 = 0.017453292f;

// Nearest integer, halves to even (the default rounding mode). Values outside the
// 32-bit range give an unspecified result but never trap.
inline int32_t RoundInt(float v) { return static_cast<int32_t>(std::lrintf(v)); }

// Truncation toward zero, saturating at the 32-bit range (NaN gives 0).
inline int32_t TruncInt(float v) {
  if (!(v == v)) return 0;
  if (v >= 2147483647.0f) return INT32_MAX;
  if (v <= -2147483648.0f) return INT32_MIN;
  return static_cast<int32_t>(v);
}
