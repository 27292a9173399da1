#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "content/enemy_list.h"
#include "support/data_dir.h"
#include "support/world_fixture.h"

namespace {

struct EnemyFiles : DataDir {
  RecordingWorld world;
  EnemyTypeTable types;
  EnemyList list;
  std::vector<std::string> refused;

  EnemyFiles() {
    PutSprite3D(world.sprites, kTurretSprite, 48, 48);
    PutSprite3D(world.sprites, kSoldierSprite, 64, 64);
    FillEnemyTypes(types, world.sprites);
  }
  bool Load(std::string_view bytes) {
    Put("Data\\Maps\\M_Enemys.txt", bytes);
    return LoadEnemyList(list, types, "Data\\Maps\\M_Enemys.txt", &refused);
  }
  std::vector<std::tuple<int, float, float>> Placed() const {
    std::vector<std::tuple<int, float, float>> placed;
    for (const Enemy& e : list.enemies) placed.emplace_back(e.sprite, e.x, e.y);
    return placed;
  }
};

}  // namespace

TEST(LoadEnemyList, OneEnemyPerLineWhateverTheLineEnds) {
  EnemyFiles f;
  using namespace std::string_literals;
  ASSERT_TRUE(
      f.Load("2|100\r"              // two fields: y reads 0
             "1|10|20|99|x\n"       // fields after the third are ignored
             "\r\n"                 // an empty line between CR LF pairs
             " 1 |\t$40| %101\r\n"  // blanks, hex and binary
             "+2|-7|12abc\0"s       // a zero byte ends a line
             "1|3"));               // the last line has no end
  EXPECT_EQ(f.Placed(), (std::vector<std::tuple<int, float, float>>{{kTurretSprite, 100.0f, 0.0f},
                                                                    {kSoldierSprite, 10.0f, 20.0f},
                                                                    {kSoldierSprite, 64.0f, 5.0f},
                                                                    {kTurretSprite, -7.0f, 12.0f},
                                                                    {kSoldierSprite, 3.0f, 0.0f}}));
  EXPECT_EQ(f.list.enemies[0].kind, kEnemyTurret);
  EXPECT_EQ(f.list.enemies[1].health, 100);
  EXPECT_TRUE(f.refused.empty());
}

TEST(LoadEnemyList, LinesNamingNoTypeAreRefusedWithTheirNumber) {
  EnemyFiles f;
  ASSERT_TRUE(f.Load("1|50|60\n\n   \n5|1|1\n-1\n7|2|2\n0|3|3\n2|70|80\n"));
  EXPECT_EQ(f.Placed(), (std::vector<std::tuple<int, float, float>>{{kSoldierSprite, 50.0f, 60.0f},
                                                                    {kTurretSprite, 70.0f, 80.0f}}));
  ASSERT_EQ(f.refused.size(), 5u);
  EXPECT_EQ(f.refused[0], "line 3: enemy type 0 is not a known type (1 soldier, 2 turret)");
  EXPECT_EQ(f.refused[1], "line 4: enemy type 5 is not a known type (1 soldier, 2 turret)");
  EXPECT_EQ(f.refused[4].substr(0, 21), "line 7: enemy type 0 ");
}

TEST(LoadEnemyList, MissingFilePlacesNothing) {
  EnemyFiles f;
  EXPECT_FALSE(LoadEnemyList(f.list, f.types, "Data\\Maps\\None_Enemys.txt", &f.refused));
  EXPECT_TRUE(f.list.enemies.empty());
  EXPECT_TRUE(f.refused.empty());
  EXPECT_TRUE(f.Load(""));  // an empty file opens and places nothing
  EXPECT_TRUE(f.list.enemies.empty());
}

TEST(LoadEnemyList, HostileFileStaysBounded) {
  EnemyFiles f;
  std::string lines;
  for (int i = 0; i < 70000; ++i) lines += "1|0|0\n";
  ASSERT_TRUE(f.Load(lines));
  EXPECT_EQ(f.list.enemies.size(), 65536u);
  ASSERT_EQ(f.refused.size(), 1u);
  EXPECT_EQ(f.refused[0], "line 65537: more than 65536 enemies; this line and the rest are left out");

  f.list.enemies.clear();
  f.refused.clear();
  lines.clear();
  for (int i = 0; i < 150; ++i) lines += "9\n";
  ASSERT_TRUE(f.Load(lines));
  ASSERT_EQ(f.refused.size(), 101u);
  EXPECT_EQ(f.refused.back(), "line 101: further refused lines are not listed");
}
