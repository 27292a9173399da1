// The shipped content: the XML files of data/ and the three maps. Every file name
// they give is an image the art generator draws, the maps compile cleanly, and
// each map has what it is for.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <set>

#include "companion_files.h"
#include "content_names.h"
#include "map_checks.h"
#include "mapc_fixtures.h"
#include "base/numbers.h"
#include "base/xml.h"

using namespace mapc_test;

namespace {

// The images of the art catalogue that content files may name.
const std::set<std::string> kTileImages = {
    "Floor Concrete.png", "Floor Metal.png",   "Floor Tiles.png",   "Floor Grass.png",  "Floor Dirt.png",
    "Floor Grate.png",    "Floor Carpet.png",  "Wall Concrete.png", "Wall Brick.png",   "Wall Metal.png",
    "Wall Crate.png",     "Wall Computer.png", "Wall Server.png",   "Wall Hedge.png",   "Wall Tree.png",
    "Deco Rubble.png",    "Deco Stripes.png",  "Deco Puddle.png",   "Deco Cables.png",  "Deco Leaves.png",
    "Deco Arrow.png"};
const std::set<std::string> kLightImages = {"Warm.png", "Cold.png", "Red.png",   "Green.png",
                                            "Blue.png", "Wide.png", "Strip.png", "Spot.png"};

std::set<std::string> AnimationImages() {
  std::set<std::string> names;
  for (int i = 0; i <= 8; ++i) names.insert("Legs 0" + std::to_string(i) + ".png");
  for (const char* style : {"Metal H", "Metal V", "Lab H", "Lab V"}) {
    for (int i = 0; i <= 9; ++i) names.insert(std::string(style) + " 0" + std::to_string(i) + ".png");
  }
  return names;
}

XmlNode LoadDataXml(const std::string& name) {
  std::string bytes = ReadSource(SourceDir() + "/data/" + name);
  XmlNode root;
  EXPECT_TRUE(ParseXml(bytes, root)) << name;
  return root;
}

const XmlNode* Child(const XmlNode& node, const std::string& name) {
  for (const XmlNode& c : node.children) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

TEST(ShippedXml, AnimationSetNamesTheFiveAnimations) {
  XmlNode root = LoadDataXml("AnimationSet.xml");
  ASSERT_EQ(root.name, "AnimationSet");
  const std::vector<std::pair<int, std::string>> expected = {
      {1, "Legs.xml"}, {2, "DoorMetalH.xml"}, {3, "DoorMetalV.xml"}, {4, "DoorLabH.xml"}, {5, "DoorLabV.xml"}};
  std::vector<std::pair<int, std::string>> found;
  for (const XmlNode& a : root.children) {
    ASSERT_EQ(a.name, "Animation");
    const XmlNode* file = Child(a, "File");
    ASSERT_NE(file, nullptr);
    int id = ReadInt(a.Attribute("ID"));
    found.emplace_back(id, file->Attribute("File"));
    const XmlNode* type = Child(a, "Type");
    EXPECT_EQ(type != nullptr && type->Attribute("T") == "Door", id >= 2) << id;
    // The door type must follow the file: it records the table loaded by then.
    if (type != nullptr) {
      EXPECT_LT(file - a.children.data(), type - a.children.data());
    }
    EXPECT_EQ(mapc::DoorStyleName(id) != nullptr, id >= 2);
  }
  EXPECT_EQ(found, expected);
}

TEST(ShippedXml, LegsPlayNineFramesFromTheLegsDirectory) {
  XmlNode root = LoadDataXml("Legs.xml");
  ASSERT_EQ(root.name, "Animation");
  ASSERT_GE(root.children.size(), 2u);
  EXPECT_EQ(root.children[0].name, "Frames");
  EXPECT_EQ(ReadInt(root.children[0].text), 8);
  EXPECT_EQ(root.children[1].name, "Path");
  EXPECT_EQ(root.children[1].text, "Data\\GFX\\Animation\\Legs");
  std::set<int> frames;
  for (const XmlNode& f : root.children) {
    if (f.name != "Frame") continue;
    frames.insert(ReadInt(f.Attribute("F")));
    EXPECT_EQ(AnimationImages().count(f.Attribute("File")), 1u) << f.Attribute("File");
  }
  EXPECT_EQ(frames, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(ShippedXml, DoorsOpenOnFramesOneToNineAndCloseBackwards) {
  const std::vector<std::pair<std::string, std::string>> doors = {
      {"DoorMetalH.xml", "Metal H"}, {"DoorMetalV.xml", "Metal V"}, {"DoorLabH.xml", "Lab H"}, {"DoorLabV.xml", "Lab V"}};
  for (const auto& [file, style] : doors) {
    SCOPED_TRACE(file);
    XmlNode root = LoadDataXml(file);
    ASSERT_EQ(root.name, "Animation");
    // Simulate the loader: the table's frame entries name images.
    int count = -1;
    std::string dir;
    std::vector<std::string> table;
    for (const XmlNode& e : root.children) {
      if (e.name == "Frames") {
        count = ReadInt(e.text);
        table.assign(static_cast<size_t>(count + 1), "");
      } else if (e.name == "Path") {
        dir = e.text + "\\";
      } else if (e.name == "Frame") {
        ASSERT_GE(count, 0) << "a frame before Frames";
        table.at(static_cast<size_t>(ReadInt(e.Attribute("F")))) = dir + e.Attribute("File");
      } else if (e.name == "FrameFromFrame") {
        table.at(static_cast<size_t>(ReadInt(e.Attribute("F")))) = table.at(static_cast<size_t>(ReadInt(e.Attribute("Frame"))));
      }
    }
    ASSERT_EQ(count, 18);
    for (int f = 0; f <= 18; ++f) {
      int image = f <= 9 ? f : 18 - f;
      EXPECT_EQ(table[static_cast<size_t>(f)], "Data\\GFX\\Animation\\Doors\\" + style + " 0" + std::to_string(image) + ".png")
          << "frame " << f;
    }
  }
}

TEST(ShippedXml, LightFileMatchesTheNamesMapSourcesUse) {
  XmlNode root = LoadDataXml("Light.xml");
  ASSERT_EQ(root.name, "Lights");
  size_t lights = 0;
  for (const XmlNode& l : root.children) {
    ASSERT_EQ(l.name, "Light");
    int id = ReadInt(l.Attribute("ID"));
    const XmlNode* image = Child(l, "Image");
    ASSERT_NE(image, nullptr);
    std::string file = image->Attribute("File");
    EXPECT_EQ(kLightImages.count(file), 1u) << file;
    const mapc::LightName* name = mapc::FindLightName(file.substr(0, file.size() - 4));
    ASSERT_NE(name, nullptr) << file;
    EXPECT_EQ(name->id, id) << file;
    ++lights;
  }
  EXPECT_EQ(lights, std::size(mapc::kLightNames));
}

// The three maps.
struct Shipped {
  mapc::CompiledMap map;
  std::vector<mapc::Diagnostic> diags;
};

Shipped CompileShipped(const std::string& name) {
  Shipped s;
  EXPECT_TRUE(mapc::CompileText(ReadSource(ShippedSourcePath(name)), name + ".vxmap", s.map, s.diags));
  return s;
}

TEST(ShippedMaps, CompileWithoutWarningsUnderTheirFileNames) {
  for (const std::string& name : ShippedMapNames()) {
    Shipped s = CompileShipped(name);
    for (const mapc::Diagnostic& d : s.diags) ADD_FAILURE() << mapc::FormatDiagnostic(name, d);
    EXPECT_EQ(s.map.name, name);
    EXPECT_EQ(s.map.binary.tileSize, 64);
    for (const mapc::TileEntry& t : s.map.tiles) EXPECT_EQ(kTileImages.count(t.image), 1u) << name << ": " << t.image;
    std::map<int32_t, std::string> images = mapc::ReadTileImages(s.map.tileSetXml);
    EXPECT_EQ(images.size(), s.map.tiles.size()) << name;
  }
}

// Cells the player can reach from the start with every door open.
std::set<std::pair<int32_t, int32_t>> Reachable(const mapc::MapBinary& m, int32_t column, int32_t row, bool throughDoors) {
  mapc::BlockGrid g = mapc::BuildBlockGrid(m);
  std::set<std::pair<int32_t, int32_t>> seen = {{column, row}};
  std::deque<std::pair<int32_t, int32_t>> todo = {{column, row}};
  while (!todo.empty()) {
    auto [c, r] = todo.front();
    todo.pop_front();
    for (auto [dc, dr] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
      int32_t nc = c + dc;
      int32_t nr = r + dr;
      if (g.WalkBlocked(nc, nr) || (!throughDoors && g.door[g.Index(nc, nr)] != 0)) continue;
      if (seen.insert({nc, nr}).second) todo.emplace_back(nc, nr);
    }
  }
  return seen;
}

std::pair<int32_t, int32_t> CellOf(const mapc::MapBinary& m, int32_t x, int32_t y) { return {x / m.tileSize, y / m.tileSize}; }

TEST(ShippedMaps, EveryEnemyAndDoorCanBeReachedFromTheStart) {
  for (const std::string& name : ShippedMapNames()) {
    SCOPED_TRACE(name);
    const mapc::CompiledMap map = CompileShipped(name).map;
    const mapc::MapBinary& m = map.binary;
    auto [sc, sr] = CellOf(m, m.startX, m.startY);
    auto reach = Reachable(m, sc, sr, true);
    for (const mapc::EnemyPlacement& e : map.enemies) EXPECT_EQ(reach.count(CellOf(m, e.x, e.y)), 1u) << e.line;
    for (const mapc::DoorRecord& d : m.doors) EXPECT_EQ(reach.count({d.column, d.row}), 1u) << d.column << "," << d.row;
    // Doors approached from the left or from above open only when the player's
    // coordinates are not multiples of 4 (it moves in 4 px steps).
    EXPECT_EQ(m.startX % 4, 2);
    EXPECT_EQ(m.startY % 4, 2);
  }
}

TEST(ShippedMaps, TestMapLeadsStraightRightThroughItsFirstDoor) {
  const mapc::CompiledMap map = CompileShipped("Test").map;
  const mapc::MapBinary& m = map.binary;
  auto [sc, sr] = CellOf(m, m.startX, m.startY);
  EXPECT_EQ(sc, 2);
  EXPECT_EQ(sr, 3);
  mapc::BlockGrid g = mapc::BuildBlockGrid(m);
  // The start room is open: its 3 x 3 cells round the start are free.
  for (int dr = -1; dr <= 1; ++dr) {
    for (int dc = -1; dc <= 1; ++dc) EXPECT_FALSE(g.WalkBlocked(sc + dc, sr + dr) || g.door[g.Index(sc + dc, sr + dr)]);
  }
  int32_t column = sc + 1;
  while (!g.WalkBlocked(column, sr) && g.door[g.Index(column, sr)] == 0) ++column;
  ASSERT_EQ(g.door[g.Index(column, sr)], 1) << "the first thing right of the start is a door";
  EXPECT_GE(column - sc, 3);
  EXPECT_LE(column - sc, 5);
  const int32_t doorColumn = column;
  for (int32_t c = doorColumn + 1; c <= doorColumn + 4; ++c) EXPECT_FALSE(g.WalkBlocked(c, sr)) << c;
  // No enemy can see any point of that walk, nor come within sight of it while
  // the other doors stay closed. A soldier is anywhere in its cells, hence the
  // half diagonal of a cell.
  const double slack = m.tileSize * std::sqrt(0.5);
  auto centre = [&](int32_t cell) { return cell * m.tileSize + m.tileSize / 2.0; };
  for (const mapc::EnemyPlacement& e : map.enemies) {
    auto [ec, er] = CellOf(m, e.x, e.y);
    auto region = e.type == mapc::kSoldierType ? Reachable(m, ec, er, false) : std::set<std::pair<int32_t, int32_t>>{{ec, er}};
    double sight = e.type == mapc::kSoldierType ? mapc::kSoldierSight : mapc::kTurretSight;
    for (auto [c, r] : region) {
      for (int32_t walk = sc; walk <= doorColumn + 4; ++walk) {
        double d = std::hypot(centre(c) - centre(walk), centre(r) - centre(sr));
        ASSERT_GT(d - slack, sight) << "enemy of line " << e.line << " from cell " << c << "," << r << " sees column " << walk;
      }
    }
  }
}

TEST(ShippedMaps, TestMapShowsEveryFeature) {
  const mapc::CompiledMap map = CompileShipped("Test").map;
  const mapc::MapBinary& m = map.binary;
  EXPECT_LE(m.Columns() * m.Rows(), 24 * 20);
  std::set<int32_t> types;
  for (const mapc::EnemyPlacement& e : map.enemies) types.insert(e.type);
  EXPECT_EQ(types, (std::set<int32_t>{1, 2}));
  EXPECT_GE(m.doors.size(), 2u);
  std::set<int32_t> lightSprites;
  for (const mapc::LightRecord& l : m.lights) lightSprites.insert(l.sprite);
  EXPECT_GE(lightSprites.size(), 4u);
  std::set<int> wallMaterials;
  for (const mapc::CellRecord& c : m.cells) {
    if (c.walk == 1 && c.shot == 1) wallMaterials.insert(c.material);
  }
  EXPECT_EQ(wallMaterials, (std::set<int>{0, 1, 2, 3}));
  ASSERT_EQ(m.lastLayer, 1);
  size_t overlays = 0;
  for (int32_t r = 0; r < m.Rows(); ++r) {
    for (int32_t c = 0; c < m.Columns(); ++c) overlays += m.Cell(1, c, r).sprite != 0;
  }
  EXPECT_GE(overlays, 5u);
}

TEST(ShippedMaps, BunkerAndArenaAreBigEnough) {
  const mapc::CompiledMap bunker = CompileShipped("Bunker").map;
  EXPECT_GE(bunker.binary.Columns(), 64);
  EXPECT_GE(bunker.binary.Rows(), 48);
  EXPECT_GE(bunker.binary.doors.size(), 6u);
  EXPECT_GE(bunker.enemies.size(), 20u);
  EXPECT_GE(bunker.binary.lights.size(), 36u);
  const mapc::CompiledMap arena = CompileShipped("Arena").map;
  EXPECT_GE(arena.enemies.size(), 60u);
  EXPECT_GE(arena.binary.lights.size(), 100u);
}

TEST(ShippedMaps, NoTurretSeesTheStart) {
  for (const std::string& name : ShippedMapNames()) {
    const mapc::CompiledMap map = CompileShipped(name).map;
    for (const mapc::EnemyPlacement& e : map.enemies) {
      double d = std::hypot(e.x - map.binary.startX, e.y - map.binary.startY);
      EXPECT_GT(d, e.type == mapc::kTurretType ? mapc::kTurretSight : mapc::kSoldierSight) << name << " line " << e.line;
    }
  }
}

}  // namespace

namespace {

// The example of docs/maps.md compiles to what the text around it says.
TEST(ShippedDocs, ExampleCompilesAsDescribed) {
  std::string doc = ReadSource(SourceDir() + "/docs/maps.md");
  size_t section = doc.find("## Example");
  ASSERT_NE(section, std::string::npos);
  size_t begin = doc.find("```\n", section);
  ASSERT_NE(begin, std::string::npos);
  begin += 4;
  size_t end = doc.find("```", begin);
  const mapc::CompiledMap map = MustCompile(doc.substr(begin, end - begin), "Closet.vxmap");
  EXPECT_EQ(map.name, "Closet");
  EXPECT_EQ(map.binary.lastColumn, 8);
  EXPECT_EQ(map.binary.lastRow, 4);
  EXPECT_EQ(map.binary.lastLayer, 1);
  EXPECT_EQ(map.binary.lights.size(), 2u);
  ASSERT_EQ(map.binary.doors.size(), 1u);
  EXPECT_EQ(map.binary.doors[0], (mapc::DoorRecord{3, 5, 2}));
  EXPECT_EQ(map.tiles.size(), 4u);
  EXPECT_EQ(map.enemyList, "1|480|224\r\n");
}

}  // namespace
