// Enemy lists: "NAME_Enemys.txt" beside each map places its enemies, one per line
// as "type|x|y" (type row of the enemy type table, world pixels).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "combat/enemies.h"

// Reads the file at a game path: every line that is not empty becomes one enemy
// through AddEnemy, in line order. Fields follow the integer reading rule; a
// missing field reads as 0 and fields after the third are ignored. A line whose
// type names an empty row (0, 3-6) or a row outside the table adds nothing and is
// described in `refused` (when given) with its line number. A missing file places
// no enemies. Returns false only when the file cannot be opened.
bool LoadEnemyList(EnemyList& list, const EnemyTypeTable& types, std::string_view path,
                   std::vector<std::string>* refused = nullptr);
