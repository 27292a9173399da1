// Bullets and grenades: the two records and the operations that create them. The
// player's weapons and the enemies append bullets, the grenade launcher appends
// grenades; the flight (flight.h) moves, tests and removes them.
#pragma once

#include <cstdint>
#include <vector>

constexpr float kBulletSubStep = 20.0f;  // pixels a bullet moves per sub-step

struct Bullet {
  int32_t sprite = 0;      // image drawn for the bullet
  float angle = 0.0f;      // degrees, 0 = +x, 90 = +y
  float speed = 0.0f;      // as given; only extraSteps is derived from it
  float x = 0.0f;          // world position
  float y = 0.0f;
  float stepX = 0.0f;      // one sub-step: cos(angle) x 20
  float stepY = 0.0f;      //               sin(angle) x 20
  int16_t damage = 0;
  int32_t extraSteps = 0;  // round(speed / 20): extraSteps + 1 sub-steps per frame
  int32_t rangeLeft = 0;   // pixels of flight left
};

struct Grenade {
  int32_t sprite = 0;
  float angle = 0.0f;         // throw direction, degrees
  float speed = 0.0f;         // current speed, pixels per frame
  float deceleration = 0.0f;  // speed lost per frame: throw speed x 0.01
  float x = 0.0f;
  float y = 0.0f;
  float dirX = 0.0f;          // unit direction; each flips sign on a bounce
  float dirY = 0.0f;
  int16_t damage = 0;         // at the blast centre
  float detonateAt = 0.0f;    // game time of the blast
};

// Lists in creation order; the flight removes in place and goes on with the next.
using BulletList = std::vector<Bullet>;
using GrenadeList = std::vector<Grenade>;

// Appends a bullet: sub-step (cos, sin)(angle) x 20, extraSteps = round(speed / 20)
// (halves to even: 30 gives 2), rangeLeft = range.
void AddBullet(BulletList& bullets, int32_t sprite, float x, float y, float angle, float speed, int16_t damage,
               int32_t range);

// Appends a grenade: deceleration = speed x 0.01, direction (cos, sin)(angle),
// detonateAt = now + fuse.
void AddGrenade(GrenadeList& grenades, float now, int32_t sprite, float x, float y, float angle, float speed,
                int16_t damage, float fuse);
