// The map file decoder on its own: the dimension bound, the header line ends, the
// cell order it hands on, and what it notes about short and long files.
#include "content/map_format.h"

#include <gtest/gtest.h>

#include <tuple>

#include "base/files.h"
#include "support/map_bytes.h"

namespace {

bool Decode(const std::string& bytes, MapFileRecord& record, std::string& why) {
  FileReader file;
  file.OpenMemory(bytes);
  return DecodeMapFile(file, record, why);
}

}  // namespace

TEST(CheckMapDimensions, BoundsEveryFactorBeforeTheProduct) {
  struct Case {
    int tile;
    int32_t lastColumn, lastRow;
    int lastLayer;
    bool accepted;
  };
  for (const Case& c : std::initializer_list<Case>{
           {64, 0, 0, 0, true},
           {64, 4095, 4095, 0, true},              // exactly 16,777,216 cells
           {64, 4095, 4095, 1, false},             // twice that
           {64, 16777215, 0, 0, true},             // one row of the most columns
           {64, 16777216, 0, 0, false},
           {64, 0, 16777216, 0, false},
           {64, INT32_MAX, INT32_MAX, 1, false},   // 2 x 2^31 x 2^31 wraps to 2^63
           {64, (1 << 28) - 1, (1 << 28) - 1, 255, false},  // 2^64 wraps to 0
           {64, INT32_MAX, 0, 0, false},           // 2^31 columns: the +1 must not wrap
           {0, 0, 0, 0, false},
           {64, -1, 0, 0, false},
           {64, 0, INT32_MIN, 0, false}}) {
    const std::string why = CheckMapDimensions(static_cast<uint8_t>(c.tile), c.lastColumn, c.lastRow,
                                               static_cast<uint8_t>(c.lastLayer));
    EXPECT_EQ(why.empty(), c.accepted) << c.tile << " " << c.lastColumn << " " << c.lastRow << " " << c.lastLayer;
  }
}

TEST(DecodeMapFile, RefusedHeaderReadsNothingMore) {
  MapBytes bytes;
  bytes.Header(64, INT32_MAX, INT32_MAX, 1).Cell(1001);
  MapFileRecord record;
  std::string why;
  EXPECT_FALSE(Decode(bytes.bytes(), record, why));
  EXPECT_NE(why.find("16777216"), std::string::npos) << why;
  EXPECT_TRUE(record.cells.empty());
}

TEST(DecodeMapFile, HeaderLineEnds) {
  // {line, end, text}; after a lone CR the byte that follows is already the tile size.
  for (const auto& [line, end, text] : std::initializer_list<std::tuple<std::string, HeaderLineEnd, std::string>>{
           {"ab\r\n", HeaderLineEnd::kCrLf, "ab"},
           {"ab\n", HeaderLineEnd::kLf, "ab"},
           {"ab\r", HeaderLineEnd::kCr, "ab"},
           {std::string("ab\0", 3), HeaderLineEnd::kZero, "ab"},
           {"\r\n", HeaderLineEnd::kCrLf, ""}}) {
    MapBytes bytes;
    bytes.Header(32, 0, 0, 0, 5, 6, line).Cell(1001, 1, 0, 2).I32(0).I32(0);
    MapFileRecord record;
    std::string why;
    ASSERT_TRUE(Decode(bytes.bytes(), record, why)) << why;
    EXPECT_EQ(record.headerEnd, end);
    EXPECT_EQ(record.headerText, text);
    EXPECT_EQ(record.tileSize, 32);
    EXPECT_EQ(record.startY, 6);
    EXPECT_EQ(record.cells[0].material, 2);
    EXPECT_FALSE(record.endedEarly);
    EXPECT_EQ(record.trailingBytes, 0u);
  }
}

TEST(DecodeMapFile, CellsAreHandedOnWithTheRowVaryingFastest) {
  MapBytes bytes;
  bytes.Header(64, 2, 1, 1);
  // Layers, rows, columns in file order; sprite = 100 layer + 10 row + column.
  for (int layer = 0; layer <= 1; ++layer) {
    for (int row = 0; row <= 1; ++row) {
      for (int column = 0; column <= 2; ++column) bytes.Cell(100 * layer + 10 * row + column);
    }
  }
  bytes.I32(0).I32(0).Text("xyz");
  MapFileRecord record;
  std::string why;
  ASSERT_TRUE(Decode(bytes.bytes(), record, why)) << why;
  ASSERT_EQ(record.cells.size(), 12u);
  for (int layer = 0; layer <= 1; ++layer) {
    for (int column = 0; column <= 2; ++column) {
      for (int row = 0; row <= 1; ++row) {
        EXPECT_EQ(record.cells[static_cast<size_t>((layer * 3 + column) * 2 + row)].sprite,
                  100 * layer + 10 * row + column);
      }
    }
  }
  EXPECT_EQ(record.trailingBytes, 3u);
  EXPECT_FALSE(record.endedEarly);
}

TEST(DecodeMapFile, ShortFileAndEndlessHeaderLine) {
  MapBytes shortFile;
  shortFile.Header(64, 1, 1, 0).Cell(1001, 1, 1, 1);
  MapFileRecord record;
  std::string why;
  ASSERT_TRUE(Decode(shortFile.bytes(), record, why));
  EXPECT_TRUE(record.endedEarly);
  EXPECT_EQ(record.cells.size(), 4u);
  EXPECT_EQ(record.cells[3].sprite, 0);
  // A file that is one header line without an end: kept up to its bound, and the
  // tile size then reads as 0, which is refused.
  MapBytes line;
  line.F32(1.0f).Text(std::string(kMaxHeaderLine + 5, 'h'));
  EXPECT_FALSE(Decode(line.bytes(), record, why));
  EXPECT_EQ(record.headerText.size(), kMaxHeaderLine);
  EXPECT_TRUE(record.headerTextCut);
  EXPECT_EQ(record.headerEnd, HeaderLineEnd::kEndOfFile);
}
