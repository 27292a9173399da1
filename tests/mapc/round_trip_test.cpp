// compile -> dump -> compile gives the same NAME.map, for hand maps, the shipped
// maps and map files mapc did not write (odd flags, unnamed sprites, many cells).
#include <gtest/gtest.h>

#include <bit>

#include "content/map_format.h"
#include "map_binary.h"
#include "mapc_fixtures.h"
#include "base/files.h"

using namespace mapc_test;

namespace {

// Compiles a dump and expects the same map bytes back.
void ExpectRoundTrip(const std::string& name, const std::string& mapBytes, const std::optional<std::string>& tileSet,
                     const std::optional<std::string>& enemies) {
  mapc::DumpInput input{name, mapBytes, tileSet, enemies};
  std::string source;
  std::string error;
  ASSERT_TRUE(mapc::DumpMap(input, source, error)) << error;
  mapc::CompiledMap again = MustCompile(source, name + ".dump");
  EXPECT_EQ(again.name, name);
  EXPECT_TRUE(again.mapBytes == mapBytes) << "the dump compiles to other bytes:\n" << source;
  if (enemies) {
    EXPECT_EQ(again.enemyList, *enemies);
  }
}

TEST(RoundTrip, HandMap) {
  mapc::CompiledMap map = MustCompile(kTinySource);
  ExpectRoundTrip(map.name, map.mapBytes, map.tileSetXml, map.enemyList);
}

TEST(RoundTrip, HandMapWithoutItsTileSetUsesSpriteNumbers) {
  mapc::CompiledMap map = MustCompile(kTinySource);
  std::string source = Dump(map, false);
  EXPECT_NE(source.find("sprite 1001"), std::string::npos);
  EXPECT_EQ(source.find("Wall Metal.png"), std::string::npos);
  ExpectRoundTrip(map.name, map.mapBytes, std::nullopt, std::nullopt);
}

TEST(RoundTrip, DumpNamesTilesLightsDoorsAndEnemies) {
  std::string source = Dump(MustCompile(kTinySource));
  EXPECT_NE(source.find("\"Wall Metal.png\" id 1 material 1"), std::string::npos) << source;
  EXPECT_NE(source.find("light Red at 10 20 size 30 40 angle -5 off"), std::string::npos) << source;
  EXPECT_NE(source.find("door LabV cell 2 1"), std::string::npos) << source;
  EXPECT_NE(source.find("turret at 40 40"), std::string::npos) << source;
  EXPECT_NE(source.find("value 2.5"), std::string::npos) << source;
  EXPECT_NE(source.find("\nlayer 0\n####\n#..#\n####\n"), std::string::npos) << source;
}

TEST(RoundTrip, EveryShippedMap) {
  for (const std::string& name : ShippedMapNames()) {
    SCOPED_TRACE(name);
    mapc::CompiledMap map = MustCompile(ReadSource(ShippedSourcePath(name)), name + ".vxmap");
    ExpectRoundTrip(map.name, map.mapBytes, map.tileSetXml, map.enemyList);
    ExpectRoundTrip(map.name, map.mapBytes, std::nullopt, std::nullopt);
  }
}

// The game's own decoder reads every shipped map as mapc compiled it.
TEST(RoundTrip, TheGameReadsEveryShippedMapAsCompiled) {
  for (const std::string& name : ShippedMapNames()) {
    SCOPED_TRACE(name);
    mapc::CompiledMap map = MustCompile(ReadSource(ShippedSourcePath(name)), name + ".vxmap");
    FileReader file;
    file.OpenMemory(map.mapBytes);
    MapFileRecord record;
    std::string why;
    ASSERT_TRUE(DecodeMapFile(file, record, why)) << why;
    const mapc::MapBinary& b = map.binary;
    EXPECT_EQ(record.headerValueBits, b.valueBits);
    EXPECT_EQ(record.headerText, b.headerText);
    EXPECT_EQ(record.tileSize, b.tileSize);
    EXPECT_EQ(record.lastColumn, b.lastColumn);
    EXPECT_EQ(record.lastRow, b.lastRow);
    EXPECT_EQ(record.lastLayer, b.lastLayer);
    EXPECT_EQ(record.startX, b.startX);
    EXPECT_EQ(record.startY, b.startY);
    ASSERT_EQ(record.cells.size(), b.cells.size());
    for (int layer = 0; layer < b.Layers(); ++layer) {
      for (int32_t column = 0; column < b.Columns(); ++column) {
        for (int32_t row = 0; row < b.Rows(); ++row) {
          const MapCell& got = record.cells[(static_cast<size_t>(layer) * b.Columns() + column) * b.Rows() + row];
          const mapc::CellRecord& want = b.Cell(layer, column, row);
          ASSERT_EQ(mapc::CellRecord({got.sprite, got.walkFlag, got.shotFlag, got.material}), want)
              << layer << " " << column << " " << row;
        }
      }
    }
    ASSERT_EQ(record.lights.size(), b.lights.size());
    for (size_t i = 0; i < b.lights.size(); ++i) {
      const Light& l = record.lights[i];
      EXPECT_EQ(mapc::LightRecord({l.sprite, l.x, l.y, l.width, l.height, l.angle, l.on}), b.lights[i]);
    }
    ASSERT_EQ(record.doors.size(), b.doors.size());
    for (size_t i = 0; i < b.doors.size(); ++i) {
      EXPECT_EQ(mapc::DoorRecord({record.doors[i].animationId, record.doors[i].column, record.doors[i].row}),
                b.doors[i]);
    }
    EXPECT_FALSE(record.endedEarly);
    EXPECT_EQ(record.trailingBytes, 0u);
  }
}

// A map no source produced: flags other than 0 and 1, a NaN header value, a
// header ended by a zero byte, a tile ID outside the tile set, a door outside the
// grid, an open edge, a light switched on with 7.
mapc::MapBinary ForeignMap() {
  mapc::MapBinary m;
  m.valueBits = 0x7fc00123;
  m.headerText = "\x01odd \"text\"\\ \xe9";
  m.headerEnd = mapc::HeaderEnd::Nul;
  m.tileSize = 48;
  m.lastColumn = 2;
  m.lastRow = 1;
  m.lastLayer = 2;
  m.startX = -5;
  m.startY = 7;
  for (int i = 0; i < 18; ++i) {
    m.cells.push_back({i % 3 == 0 ? 0 : 1000 + i, static_cast<int8_t>(i % 4 - 1), static_cast<int8_t>(2 - i % 5),
                       static_cast<uint8_t>(i * 17)});
  }
  m.lights.push_back({2999, -100, 5, -3, 0, 720, 7});
  m.doors.push_back({77, 10, -2});
  return m;
}

TEST(RoundTrip, AMapMapcDidNotWrite) {
  mapc::MapBinary m = ForeignMap();
  std::string bytes = mapc::EncodeMap(m);
  mapc::DumpInput input{"Foreign", bytes, std::nullopt, std::nullopt};
  std::string source;
  std::string error;
  ASSERT_TRUE(mapc::DumpMap(input, source, error)) << error;
  EXPECT_NE(source.find("checks off"), std::string::npos);
  EXPECT_NE(source.find("value_bits 7fc00123"), std::string::npos);
  EXPECT_NE(source.find("header_end nul"), std::string::npos);
  ExpectRoundTrip("Foreign", bytes, std::nullopt, std::nullopt);
}

TEST(RoundTrip, EveryHeaderLineEnd) {
  for (mapc::HeaderEnd end : {mapc::HeaderEnd::CrLf, mapc::HeaderEnd::Lf, mapc::HeaderEnd::Cr, mapc::HeaderEnd::Nul}) {
    mapc::MapBinary m = ForeignMap();
    m.headerEnd = end;
    ExpectRoundTrip("Ends", mapc::EncodeMap(m), std::nullopt, std::nullopt);
  }
}

TEST(RoundTrip, ManyDistinctCellsUseLongerCodes) {
  mapc::MapBinary m;
  m.lastColumn = 29;
  m.lastRow = 9;
  for (int i = 0; i < 300; ++i) m.cells.push_back({2000 + i, 1, 1, 0});
  std::string bytes = mapc::EncodeMap(m);
  mapc::DumpInput input{"Many", bytes, std::nullopt, std::nullopt};
  std::string source;
  std::string error;
  ASSERT_TRUE(mapc::DumpMap(input, source, error)) << error;
  EXPECT_NE(source.find("cell_width 2"), std::string::npos);
  ExpectRoundTrip("Many", bytes, std::nullopt, std::nullopt);
}

TEST(RoundTrip, TileSetNamesTheLastImageOfAnId) {
  mapc::CompiledMap map = MustCompile(kTinySource);
  std::string tileSet =
      "<TileSet><Tile ID=\"1\"><Image File=\"A.png\"/><Image File=\"B.png\"/></Tile>"
      "<Tile ID=\"$2\"><Image File=\"C.png\"/></Tile></TileSet>";
  mapc::DumpInput input{map.name, map.mapBytes, tileSet, std::nullopt};
  std::string source;
  std::string error;
  ASSERT_TRUE(mapc::DumpMap(input, source, error)) << error;
  EXPECT_NE(source.find("\"B.png\" id 1"), std::string::npos) << source;
  EXPECT_NE(source.find("\"C.png\" id 2"), std::string::npos) << source;  // "$2" is hexadecimal 2
  EXPECT_EQ(source.find("A.png"), std::string::npos);
  EXPECT_NE(source.find("sprite 1003"), std::string::npos);  // not in this tile set
  ExpectRoundTrip(map.name, map.mapBytes, tileSet, std::nullopt);
}

TEST(RoundTrip, EnemyListIsReadAsTheGameReadsIt) {
  mapc::CompiledMap map = MustCompile(kTinySource);
  std::string enemies = "1|48|50\n\n2|40\r\n1|+48|$32|9";
  std::string source;
  std::string error;
  ASSERT_TRUE(mapc::DumpMap({map.name, map.mapBytes, map.tileSetXml, enemies}, source, error)) << error;
  EXPECT_NE(source.find("soldier at 48 50\nturret at 40 0\nsoldier at 48 50\n"), std::string::npos) << source;
}

TEST(RoundTrip, DumpRefusesWhatTheGameRefuses) {
  mapc::MapBinary m = ForeignMap();
  m.tileSize = 0;
  std::string source;
  std::string error;
  EXPECT_FALSE(mapc::DumpMap({"Zero", mapc::EncodeMap(m), std::nullopt, std::nullopt}, source, error));
  EXPECT_NE(error.find("tile size"), std::string::npos);
}

}  // namespace

namespace {

// Garbage in: neither reading nor compiling may crash, hang or run away.
TEST(Robustness, RandomBytesAndMangledSources) {
  uint32_t seed = 12345;
  auto next = [&seed]() {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  std::string valid = mapc::EncodeMap(ForeignMap());
  for (int round = 0; round < 120; ++round) {
    std::string text = kTinySource;
    for (int k = 0; k < 1 + round % 5; ++k) text[next() % text.size()] = static_cast<char>(next() % 128);
    mapc::CompiledMap map;
    std::vector<mapc::Diagnostic> diags;
    mapc::CompileText(text, "mangled.vxmap", map, diags);
    EXPECT_LE(diags.size(), 101u);
    std::string bytes = valid;
    for (int k = 0; k < 1 + round % 8; ++k) bytes[next() % bytes.size()] = static_cast<char>(next());
    if (round % 3 == 0) bytes.resize(next() % bytes.size());
    mapc::MapBinary decoded;
    mapc::DecodeReport report;
    std::string error;
    if (!mapc::DecodeMap(bytes, decoded, report, error)) continue;
    if (decoded.cells.size() > 100000) continue;  // large maps take long to print; reading them is the point
    std::string source;
    if (mapc::DumpMap({"R", bytes, std::nullopt, std::nullopt}, source, error)) {
      mapc::CompiledMap again;
      std::vector<mapc::Diagnostic> diags;
      // Whatever decodes must print as a source that compiles back (checks off).
      EXPECT_TRUE(mapc::CompileText(source, "R.dump", again, diags)) << source;
    }
  }
}

}  // namespace
