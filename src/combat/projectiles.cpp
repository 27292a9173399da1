#include "combat/projectiles.h"

#include <cmath>

#include "base/numbers.h"

void AddBullet(BulletList& bullets, int32_t sprite, float x, float y, float angle, float speed, int16_t damage,
               int32_t range) {
  Bullet b;
  b.sprite = sprite;
  b.angle = angle;
  b.speed = speed;
  b.x = x;
  b.y = y;
  b.stepX = std::cos(angle * kPiOver180) * kBulletSubStep;
  b.stepY = std::sin(angle * kPiOver180) * kBulletSubStep;
  b.damage = damage;
  b.extraSteps = RoundInt(speed / kBulletSubStep);
  b.rangeLeft = range;
  bullets.push_back(b);
}

void AddGrenade(GrenadeList& grenades, float now, int32_t sprite, float x, float y, float angle, float speed,
                int16_t damage, float fuse) {
  Grenade g;
  g.sprite = sprite;
  g.angle = angle;
  g.speed = speed;
  g.deceleration = speed * 0.01f;
  g.x = x;
  g.y = y;
  g.dirX = std::cos(angle * kPiOver180);
  g.dirY = std::sin(angle * kPiOver180);
  g.damage = damage;
  g.detonateAt = now + fuse;
  grenades.push_back(g);
}
