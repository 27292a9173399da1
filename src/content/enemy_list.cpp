#include "content/enemy_list.h"

#include <array>
#include <cstdint>

#include "base/files.h"
#include "base/numbers.h"

namespace {

// No real map comes near these; they keep a huge or hostile file from filling
// memory with enemies or with notes about refused lines.
constexpr size_t kMaxListedEnemies = 65536;
constexpr size_t kMaxRefusedNotes = 100;

// The type, x and y fields of a line split at "|"; a missing field reads as 0 and
// fields after the third are ignored.
std::array<int32_t, 3> ReadFields(std::string_view line) {
  std::array<int32_t, 3> values{};
  for (size_t field = 0; field < values.size(); ++field) {
    const size_t bar = line.find('|');
    values[field] = ReadInt(line.substr(0, bar));
    if (bar == std::string_view::npos) break;
    line.remove_prefix(bar + 1);
  }
  return values;
}

// Adds a note about line `lineNumber`, up to kMaxRefusedNotes of them, then one
// saying that the rest go unlisted.
void Note(std::vector<std::string>* refused, int64_t lineNumber, const std::string& text) {
  if (refused == nullptr || refused->size() > kMaxRefusedNotes) return;
  const std::string where = "line " + std::to_string(lineNumber) + ": ";
  refused->push_back(where +
                     (refused->size() < kMaxRefusedNotes ? text : "further refused lines are not listed"));
}

}  // namespace

bool LoadEnemyList(EnemyList& list, const EnemyTypeTable& types, std::string_view path,
                   std::vector<std::string>* refused) {
  FileReader file;
  if (!file.Open(path)) return false;
  for (int64_t lineNumber = 1; !file.AtEnd(); ++lineNumber) {
    const std::string line = file.ReadLine();
    if (line.empty()) continue;
    if (list.enemies.size() >= kMaxListedEnemies) {
      Note(
          refused, lineNumber,
          "more than " + std::to_string(kMaxListedEnemies) + " enemies; this line and the rest are left out");
      break;
    }
    const auto [type, x, y] = ReadFields(line);
    if (!AddEnemy(list, types, type, x, y)) {
      Note(refused, lineNumber,
           "enemy type " + std::to_string(type) + " is not a known type (1 soldier, 2 turret)");
    }
  }
  return true;
}
