#include "combat/weapons.h"

void FillWeaponTable(WeaponTable& weapons) {
  weapons = WeaponTable{};
  //                       id name hud body mAng mDist kind proj reserve mag size rps dmg  rate  reload range speed
  weapons[kPistolRow] = {1, "", 5, 33, 10, 45, 2, 38, 200, 15, 15, 1, 15, 2.0f, 2.0f, 750, 25};
  weapons[kPumpGunRow] = {2, "", 6, 34, 8, 50, 3, 38, 40, 7, 7, 1, 30, 1.0f, 4.0f, 350, 15};
  weapons[kAutomaticRow] = {3, "", 7, 34, 10, 50, 2, 38, 300, 30, 30, 1, 10, 10.0f, 2.5f, 600, 30};
  weapons[kGrenadeLauncherRow] = {4, "", 8, 35, 10, 50, 4, 39, 20, 5, 5, 1, 125, 0.5f, 3.5f, 5, 20};
}
