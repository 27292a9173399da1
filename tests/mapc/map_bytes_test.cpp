// The bytes mapc writes, checked field by field against offsets worked out by
// hand, and the reading of map files that are short or refused.
#include <gtest/gtest.h>

#include "map_binary.h"
#include "mapc_fixtures.h"

using namespace mapc_test;

namespace {

// Tiny: header text "Hi" (2 bytes) ended by CR LF, so the tile size sits at
// 4 + 2 + 2 = 8 and cell k at 4 + 2 + 2 + 1 + 4 + 4 + 1 + 4 + 4 = 26, plus 7 k.
constexpr size_t kTileSizeAt = 8;
constexpr size_t kCellsAt = 26;
constexpr size_t kCellCount = 2 * 3 * 4;
constexpr size_t kLightCountAt = kCellsAt + 7 * kCellCount;  // 194
constexpr size_t kDoorCountAt = kLightCountAt + 4 + 19;      // 217

size_t CellAt(int layer, int row, int column) { return kCellsAt + 7 * static_cast<size_t>((layer * 3 + row) * 4 + column); }

TEST(MapBytes, HeaderFieldsSitAtTheirOffsets) {
  std::string b = MustCompile(kTinySource).mapBytes;
  ASSERT_EQ(b.size(), kDoorCountAt + 4 + 12);
  EXPECT_EQ(I32At(b, 0), 0x40200000);  // 2.5f
  EXPECT_EQ(b.substr(4, 4), "Hi\r\n");
  EXPECT_EQ(U8At(b, kTileSizeAt), 32);
  EXPECT_EQ(I32At(b, 9), 3);   // last column
  EXPECT_EQ(I32At(b, 13), 2);  // last row
  EXPECT_EQ(U8At(b, 17), 1);   // last layer
  EXPECT_EQ(I32At(b, 18), 48);
  EXPECT_EQ(I32At(b, 22), 50);
}

TEST(MapBytes, CellsRunLayerByLayerRowByRowColumnByColumn) {
  std::string b = MustCompile(kTinySource).mapBytes;
  // Tile IDs follow the legend: wall 1, floor 2, rubble 3 (sprites 1001-1003).
  auto expectCell = [&](int layer, int row, int column, int32_t sprite, int walk, int shot, int material) {
    size_t at = CellAt(layer, row, column);
    SCOPED_TRACE("layer " + std::to_string(layer) + " row " + std::to_string(row) + " column " + std::to_string(column));
    EXPECT_EQ(I32At(b, at), sprite);
    EXPECT_EQ(static_cast<int8_t>(U8At(b, at + 4)), walk);
    EXPECT_EQ(static_cast<int8_t>(U8At(b, at + 5)), shot);
    EXPECT_EQ(U8At(b, at + 6), material);
  };
  expectCell(0, 0, 0, 1001, 1, 1, 1);
  expectCell(0, 1, 0, 1001, 1, 1, 1);
  expectCell(0, 1, 1, 1002, 0, 0, 0);
  expectCell(0, 1, 2, 1002, 0, 0, 0);  // the door's cell keeps its floor
  expectCell(0, 2, 3, 1001, 1, 1, 1);
  expectCell(1, 0, 0, 0, 0, 0, 0);
  expectCell(1, 1, 1, 1003, 0, 0, 0);
  expectCell(1, 1, 2, 0, 0, 0, 0);
}

TEST(MapBytes, LightAndDoorRecordsFollowTheCells) {
  std::string b = MustCompile(kTinySource).mapBytes;
  EXPECT_EQ(I32At(b, kLightCountAt), 1);
  size_t l = kLightCountAt + 4;
  EXPECT_EQ(I32At(b, l), 2003);  // Red is light 3
  EXPECT_EQ(I32At(b, l + 4), 10);
  EXPECT_EQ(I32At(b, l + 8), 20);
  EXPECT_EQ(I16At(b, l + 12), 30);
  EXPECT_EQ(I16At(b, l + 14), 40);
  EXPECT_EQ(I16At(b, l + 16), -5);
  EXPECT_EQ(U8At(b, l + 18), 0);  // off
  EXPECT_EQ(I32At(b, kDoorCountAt), 1);
  EXPECT_EQ(I32At(b, kDoorCountAt + 4), 5);  // LabV
  EXPECT_EQ(I32At(b, kDoorCountAt + 8), 2);
  EXPECT_EQ(I32At(b, kDoorCountAt + 12), 1);
}

TEST(MapBytes, CompanionFilesNameTheTilesAndTheEnemies) {
  mapc::CompiledMap map = MustCompile(kTinySource);
  EXPECT_EQ(map.enemyList, "2|40|40\r\n");
  EXPECT_NE(map.tileSetXml.find("<Tile ID=\"1\">\n    <Image File=\"Wall Metal.png\"/>\n    <Layer L=\"0\"/>\n"
                                "    <PCollision PColl=\"True\"/>\n    <SCollision SColl=\"True\"/>\n"
                                "    <Material M=\"1\"/>"),
            std::string::npos);
  EXPECT_NE(map.tileSetXml.find("<Tile ID=\"3\">\n    <Image File=\"Deco Rubble.png\"/>\n    <Layer L=\"1\"/>"),
            std::string::npos);
  EXPECT_EQ(map.tileSetXml.find("Tile ID=\"4\""), std::string::npos);
}

TEST(MapBytes, PositionsInCellsMeanCellCentres) {
  std::string text = kTinySource;
  text.replace(text.find("start at 48 50"), 14, "start cell 1 1");
  text.replace(text.find("light Red at 10 20 size 30 40"), 29, "light Red cell 2 1 size 30 40");
  mapc::CompiledMap map = MustCompile(text);
  EXPECT_EQ(map.binary.startX, 48);
  EXPECT_EQ(map.binary.startY, 48);
  ASSERT_EQ(map.binary.lights.size(), 1u);
  EXPECT_EQ(map.binary.lights[0].x, 2 * 32 + 16 - 15);  // centre minus half the width
  EXPECT_EQ(map.binary.lights[0].y, 1 * 32 + 16 - 20);
}

TEST(MapBytes, HeaderLineEndsAreWrittenAsAsked) {
  struct Case {
    const char* directive;
    const char* bytes;
    size_t length;
  };
  for (Case c : {Case{"header_end lf\n", "Hi\n", 3}, Case{"header_end cr\n", "Hi\r", 3},
                 Case{"header_end nul\n", "Hi\0", 3}}) {
    std::string text = std::string(c.directive) + kTinySource;
    std::string b = MustCompile(text).mapBytes;
    EXPECT_EQ(b.substr(4, c.length), std::string(c.bytes, c.length)) << c.directive;
    EXPECT_EQ(U8At(b, 4 + c.length), 32) << c.directive;  // the tile size follows at once
  }
}

TEST(MapBytes, SameSourceGivesTheSameBytesEveryTime) {
  mapc::CompiledMap a = MustCompile(kTinySource);
  mapc::CompiledMap b = MustCompile(kTinySource);
  EXPECT_EQ(a.mapBytes, b.mapBytes);
  EXPECT_EQ(a.tileSetXml, b.tileSetXml);
  EXPECT_EQ(a.enemyList, b.enemyList);
}

// Decoding: what the game reads, and what it refuses.
mapc::MapBinary SmallMap() {
  mapc::MapBinary m;
  m.headerText = "x";
  m.lastColumn = 1;
  m.lastRow = 1;
  m.cells.assign(4, mapc::CellRecord{1001, 1, 1, 0});
  m.lights.push_back({2001, 1, 2, 3, 4, 5, 1});
  m.doors.push_back({2, 0, 1});
  return m;
}

TEST(MapDecode, ReadsBackWhatWasEncoded) {
  mapc::MapBinary in = SmallMap();
  mapc::MapBinary out;
  mapc::DecodeReport report;
  std::string error;
  ASSERT_TRUE(mapc::DecodeMap(mapc::EncodeMap(in), out, report, error)) << error;
  EXPECT_EQ(out.cells, in.cells);
  EXPECT_EQ(out.lights, in.lights);
  EXPECT_EQ(out.doors, in.doors);
  EXPECT_FALSE(report.endedEarly);
  EXPECT_EQ(report.trailingBytes, 0u);
}

TEST(MapDecode, AShortFileReadsAsZerosAndClipsItsCounts) {
  std::string bytes = mapc::EncodeMap(SmallMap());
  bytes.resize(bytes.size() - 39 - 3);  // the last cell loses its flags and material
  mapc::MapBinary out;
  mapc::DecodeReport report;
  std::string error;
  ASSERT_TRUE(mapc::DecodeMap(bytes, out, report, error));
  EXPECT_EQ(out.cells[3].sprite, 1001);
  EXPECT_EQ(out.cells[3].walk, 0);  // the missing bytes read as zeros
  EXPECT_TRUE(out.lights.empty());
  EXPECT_TRUE(out.doors.empty());
  EXPECT_TRUE(report.endedEarly);
}

TEST(MapDecode, RefusesDimensionsTheGameRefuses) {
  auto refused = [](mapc::MapBinary m) {
    std::string bytes = mapc::EncodeMap(m);
    mapc::MapBinary out;
    mapc::DecodeReport report;
    std::string error;
    bool ok = mapc::DecodeMap(bytes, out, report, error);
    return !ok && !error.empty();
  };
  mapc::MapBinary m = SmallMap();
  m.tileSize = 0;
  EXPECT_TRUE(refused(m));
  m = SmallMap();
  m.lastColumn = -1;
  m.cells.clear();
  EXPECT_TRUE(refused(m));
  m = SmallMap();
  m.lastColumn = 5000;
  m.lastRow = 5000;
  m.cells.clear();
  EXPECT_TRUE(refused(m));  // 25 million cells, and no bytes for them
  m.lastColumn = INT32_MAX;
  m.lastRow = INT32_MAX;
  m.lastLayer = 255;
  EXPECT_TRUE(refused(m));  // a product that would overflow 64 bits
  m.lastColumn = (1 << 28) - 1;
  m.lastRow = (1 << 28) - 1;
  EXPECT_TRUE(refused(m));  // 256 x 2^28 x 2^28 = 2^64, which wraps to 0
}

TEST(MapDecode, AHugeLightCountDoesNotAllocateBeyondTheFile) {
  std::string bytes = mapc::EncodeMap(SmallMap());
  size_t countAt = bytes.size() - 4 - 12 - 19 - 4;
  bytes[countAt + 3] = 0x7f;  // light count 0x7f000001
  mapc::MapBinary out;
  mapc::DecodeReport report;
  std::string error;
  ASSERT_TRUE(mapc::DecodeMap(bytes, out, report, error));
  EXPECT_EQ(out.lights.size(), 1u);  // only one whole record follows
}

}  // namespace
