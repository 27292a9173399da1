#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/files.h"
#include "support/temp_dir.h"

namespace {

using Lines = std::vector<std::string>;

// Every case runs twice: from bytes in memory and from a file on disk.
class FileReaderTest : public ::testing::TestWithParam<bool> {
 protected:
  void OpenWith(FileReader& reader, const std::string& bytes) {
    if (GetParam()) {
      dir_.Write("Input.TXT", bytes);
      ASSERT_TRUE(reader.Open(dir_.path() + "\\input.txt"));
    } else {
      reader.OpenMemory(bytes);
    }
    ASSERT_TRUE(reader.IsOpen());
  }

  // The lines a reader gives until it reports the end, the way the enemy list is read.
  Lines ReadAllLines(const std::string& bytes, size_t maxLength = 1u << 20) {
    FileReader reader;
    OpenWith(reader, bytes);
    Lines lines;
    while (!reader.AtEnd() && lines.size() < 1000) lines.push_back(reader.ReadLine(maxLength));
    return lines;
  }

  TempDir dir_;
};

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

}  // namespace

TEST_P(FileReaderTest, EachLineEndAlone) {
  EXPECT_EQ(ReadAllLines("ab\ncd"), (Lines{"ab", "cd"}));
  EXPECT_EQ(ReadAllLines("ab\rcd"), (Lines{"ab", "cd"}));
  EXPECT_EQ(ReadAllLines("ab\r\ncd"), (Lines{"ab", "cd"}));
  EXPECT_EQ(ReadAllLines(std::string("ab\0cd", 5)), (Lines{"ab", "cd"}));
}

TEST_P(FileReaderTest, LineEndCombinations) {
  EXPECT_EQ(ReadAllLines("ab\n\rcd"), (Lines{"ab", "", "cd"}));  // LF CR is two ends
  EXPECT_EQ(ReadAllLines("ab\r\rcd"), (Lines{"ab", "", "cd"}));
  EXPECT_EQ(ReadAllLines("ab\r\r\ncd"), (Lines{"ab", "", "cd"}));
  EXPECT_EQ(ReadAllLines("ab\n\ncd"), (Lines{"ab", "", "cd"}));
  EXPECT_EQ(ReadAllLines("ab\r\n\r\ncd"), (Lines{"ab", "", "cd"}));
  EXPECT_EQ(ReadAllLines(std::string("ab\r\0cd", 6)), (Lines{"ab", "", "cd"}));
  EXPECT_EQ(ReadAllLines(std::string("\0\0", 2)), (Lines{"", ""}));
}

TEST_P(FileReaderTest, FirstAndLastLines) {
  EXPECT_EQ(ReadAllLines(""), Lines{});
  EXPECT_EQ(ReadAllLines("last"), (Lines{"last"}));
  EXPECT_EQ(ReadAllLines("last\n"), (Lines{"last"}));
  EXPECT_EQ(ReadAllLines("last\r"), (Lines{"last"}));
  EXPECT_EQ(ReadAllLines("last\r\n"), (Lines{"last"}));
  EXPECT_EQ(ReadAllLines("\n"), (Lines{""}));
  EXPECT_EQ(ReadAllLines("\nx"), (Lines{"", "x"}));
  EXPECT_EQ(ReadAllLines("a\n\n"), (Lines{"a", ""}));
}

TEST_P(FileReaderTest, LongLineKeepsItsStartAndConsumesTheRest) {
  EXPECT_EQ(ReadAllLines("abcdef\r\nxy\nlonger", 3), (Lines{"abc", "xy", "lon"}));
  EXPECT_EQ(ReadAllLines("abc\nd", 3), (Lines{"abc", "d"}));
  EXPECT_EQ(ReadAllLines("a\nb", 0), (Lines{"", ""}));
}

TEST_P(FileReaderTest, HighBytesStayInTheLine) {
  EXPECT_EQ(ReadAllLines(Bytes({0xE9, 0xFF, '|', 0x80, '\n'})), (Lines{Bytes({0xE9, 0xFF, '|', 0x80})}));
}

TEST_P(FileReaderTest, ReadsPastTheEndYieldZeros) {
  FileReader reader;
  OpenWith(reader, Bytes({0x34, 0x12}));
  EXPECT_FALSE(reader.AtEnd());
  EXPECT_EQ(reader.ReadInt32(), 0x1234);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.ReadUint8(), 0);
  EXPECT_EQ(reader.ReadInt32(), 0);
  EXPECT_EQ(reader.ReadFloat(), 0.0f);
  EXPECT_EQ(reader.ReadLine(), "");
  char block[4] = {'x', 'x', 'x', 'x'};
  EXPECT_EQ(reader.ReadBytes(block, sizeof block), 0u);
  EXPECT_EQ(std::string(block, 4), std::string(4, '\0'));
}

TEST_P(FileReaderTest, LittleEndianValues) {
  FileReader reader;
  // -2 as int32, 1.5f, 0xFF, 0xFE as int8, -2 as int16, then a block cut short.
  OpenWith(reader, Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xC0, 0x3F, 0xFF, 0xFE, 0xFE, 0xFF, 'a', 'b', 'c'}));
  EXPECT_EQ(reader.ReadInt32(), -2);
  EXPECT_EQ(reader.ReadFloat(), 1.5f);
  EXPECT_EQ(reader.ReadUint8(), 255);
  EXPECT_EQ(reader.ReadInt8(), -2);
  EXPECT_EQ(reader.ReadInt16(), -2);
  char block[5];
  std::memset(block, 'x', sizeof block);
  EXPECT_EQ(reader.ReadBytes(block, sizeof block), 3u);
  EXPECT_EQ(std::string(block, 5), std::string("abc\0\0", 5));
  EXPECT_TRUE(reader.AtEnd());
}

TEST_P(FileReaderTest, SkipMovesOnAndStopsAtTheEnd) {
  FileReader reader;
  OpenWith(reader, "0123456789");
  reader.Skip(4);
  EXPECT_EQ(reader.ReadUint8(), '4');
  reader.Skip(UINT64_MAX);
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.ReadUint8(), 0);
}

TEST_P(FileReaderTest, LinesAndValuesAcrossBufferRefills) {
  // A CR LF split over the 64 KiB read buffer of the file reader, then a long line.
  std::string text(65535, 'a');
  text += "\r\nz\n";
  text += std::string(200000, 'b');
  text += "\nend";
  const Lines lines = ReadAllLines(text);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], std::string(65535, 'a'));
  EXPECT_EQ(lines[1], "z");
  EXPECT_EQ(lines[2], std::string(200000, 'b'));
  EXPECT_EQ(lines[3], "end");

  std::string bytes(65534, '\0');
  bytes += Bytes({0x78, 0x56, 0x34, 0x12});
  FileReader reader;
  OpenWith(reader, bytes);
  reader.Skip(65534);
  EXPECT_EQ(reader.ReadInt32(), 0x12345678);
  EXPECT_TRUE(reader.AtEnd());
}

TEST_P(FileReaderTest, RemainingCountsUnreadBytes) {
  FileReader reader;
  OpenWith(reader, std::string(100000, 'r'));
  EXPECT_EQ(reader.Remaining(), 100000u);
  reader.Skip(10);
  EXPECT_EQ(reader.Remaining(), 99990u);
  reader.Skip(70000);  // beyond the first buffer load of a file
  EXPECT_EQ(reader.Remaining(), 29990u);
  reader.ReadLine();
  EXPECT_EQ(reader.Remaining(), 0u);
  EXPECT_EQ(reader.ReadInt32(), 0);
  EXPECT_EQ(reader.Remaining(), 0u);
}

INSTANTIATE_TEST_SUITE_P(MemoryAndFile, FileReaderTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "File" : "Memory"; });

TEST(FileReaderOpenTest, MissingFilesAndDirectoriesDoNotOpen) {
  TempDir dir;
  dir.Write("Sub/file", "x");
  FileReader reader;
  EXPECT_FALSE(reader.Open(dir.path() + "\\missing"));
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_FALSE(reader.Open(dir.path() + "\\sub"));
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.ReadInt32(), 0);
  ASSERT_TRUE(reader.Open(dir.path() + "\\SUB\\FILE"));
  EXPECT_EQ(reader.ReadUint8(), 'x');
  reader.Close();
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_TRUE(reader.AtEnd());
}

TEST(FileReaderOpenTest, ReopeningStartsAfresh) {
  FileReader reader;
  reader.OpenMemory("first");
  EXPECT_EQ(reader.ReadLine(), "first");
  reader.OpenMemory("second\nthird");
  EXPECT_EQ(reader.ReadLine(), "second");
  EXPECT_EQ(reader.ReadLine(), "third");
  EXPECT_TRUE(reader.AtEnd());
}
