#include "base/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

std::string GamePath(const TempDir& dir, const std::string& rest) { return dir.path() + "\\" + rest; }

}  // namespace

TEST(HostPathTest, MixedCaseComponentsFindTheRealNames) {
  TempDir dir;
  dir.Write("Data/Maps/Test.map", "x");
  EXPECT_EQ(HostPath(GamePath(dir, "data\\maps\\TEST.MAP")), dir.File("Data/Maps/Test.map"));
  EXPECT_EQ(HostPath(GamePath(dir, "DATA\\Maps\\test.map")), dir.File("Data/Maps/Test.map"));
  EXPECT_EQ(HostPath(GamePath(dir, "Data/Maps/Test.map")), dir.File("Data/Maps/Test.map"));
  EXPECT_EQ(HostPath(GamePath(dir, "data\\maps\\")), dir.File("Data/Maps/"));
}

TEST(HostPathTest, RelativePathsStartAtTheWorkingDirectory) {
  TempDir dir;
  dir.Write("Data/Maps/Test.map", "x");
  dir.Write("Data/Maps/Other.MAP", "x");
  std::string previous(4096, '\0');
  ASSERT_NE(getcwd(previous.data(), previous.size()), nullptr);
  previous.resize(previous.find('\0'));
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  const std::string resolved = HostPath("data\\maps\\TEST.MAP");
  const std::string missing = HostPath("Nothing\\Here.map");
  std::vector<std::string> names;
  const bool listed = ListDirectory("DATA\\MAPS\\", "*.map", names);
  ASSERT_EQ(chdir(previous.c_str()), 0);
  EXPECT_EQ(resolved, "Data/Maps/Test.map");
  EXPECT_EQ(missing, "Nothing/Here.map");
  EXPECT_TRUE(listed);
  EXPECT_EQ(names, (std::vector<std::string>{"Other.MAP", "Test.map"}));
}

TEST(HostPathTest, DotComponentsPassThrough) {
  TempDir dir;
  dir.Write("Data/Maps/Test.map", "x");
  EXPECT_EQ(HostPath(GamePath(dir, "data\\..\\DATA\\.\\maps\\test.MAP")), dir.File("Data/../Data/./Maps/Test.map"));
}

TEST(HostPathTest, MissingComponentsAreKeptAsWritten) {
  TempDir dir;
  dir.Write("Data/Maps/Test.map", "x");
  EXPECT_EQ(HostPath(GamePath(dir, "data\\Nope\\GFX\\a.png")), dir.File("Data/Nope/GFX/a.png"));
  EXPECT_EQ(HostPath(GamePath(dir, "data\\maps\\Test.map\\deeper")), dir.File("Data/Maps/Test.map/deeper"));
  EXPECT_EQ(HostPath(""), "");
}

TEST(HostPathTest, ExactNameWinsOverOtherCases) {
  TempDir dir;
  dir.Write("d/test.map", "lower");
  dir.Write("d/TEST.MAP", "upper");
  EXPECT_EQ(HostPath(GamePath(dir, "d\\test.map")), dir.File("d/test.map"));
  EXPECT_EQ(HostPath(GamePath(dir, "d\\TEST.MAP")), dir.File("d/TEST.MAP"));
  // No exact match: the first in listing order.
  EXPECT_EQ(HostPath(GamePath(dir, "d\\Test.Map")), dir.File("d/TEST.MAP"));
}

TEST(MatchesPatternTest, Wildcards) {
  EXPECT_TRUE(MatchesPattern("Level1.map", "*.map"));
  EXPECT_TRUE(MatchesPattern("LEVEL1.MAP", "*.map"));
  EXPECT_FALSE(MatchesPattern("a.map.bak", "*.map"));
  EXPECT_FALSE(MatchesPattern("amap", "*.map"));
  EXPECT_TRUE(MatchesPattern(".map", "*.map"));
  EXPECT_TRUE(MatchesPattern("abc", "a?c"));
  EXPECT_FALSE(MatchesPattern("ac", "a?c"));
  EXPECT_TRUE(MatchesPattern("mississippi", "*sip*"));
  EXPECT_TRUE(MatchesPattern("aXbXc", "*x*C"));
  EXPECT_FALSE(MatchesPattern("abc", "a*b"));
  EXPECT_TRUE(MatchesPattern("", "*"));
  EXPECT_TRUE(MatchesPattern("", "**"));
  EXPECT_FALSE(MatchesPattern("x", ""));
  EXPECT_TRUE(MatchesPattern("", ""));
}

TEST(ListDirectoryTest, MatchingNamesInCaseInsensitiveOrder) {
  TempDir dir;
  for (const char* name : {"b.map", "A.map", "c.MAP", "_x.map", "a2.map", "notes.txt", "map"}) {
    dir.Write(std::string("Maps/") + name, "x");
  }
  ASSERT_EQ(mkdir(dir.File("Maps/Sub.map").c_str(), 0700), 0);
  std::vector<std::string> names;
  ASSERT_TRUE(ListDirectory(GamePath(dir, "MAPS\\"), "*.map", names));
  // Upper-cased comparison: "_" (0x5F) comes after the letters.
  const std::vector<std::string> expected = {"A.map", "a2.map", "b.map", "c.MAP", "Sub.map", "_x.map"};
  EXPECT_EQ(names, expected);
  ASSERT_TRUE(ListDirectory(GamePath(dir, "maps"), "?.MAP", names));
  EXPECT_EQ(names, (std::vector<std::string>{"A.map", "b.map", "c.MAP"}));
}

TEST(ListDirectoryTest, NamesDifferingOnlyInCaseHaveAStableOrder) {
  TempDir dir;
  for (const char* name : {"abc.map", "ABC.map", "Abc.map", "abd.map"}) dir.Write(std::string("m/") + name, "x");
  std::vector<std::string> names;
  ASSERT_TRUE(ListDirectory(dir.File("m"), "*", names));
  EXPECT_EQ(names, (std::vector<std::string>{"ABC.map", "Abc.map", "abc.map", "abd.map"}));
}

TEST(ListDirectoryTest, MissingDirectoryFails) {
  TempDir dir;
  std::vector<std::string> names = {"stale"};
  EXPECT_FALSE(ListDirectory(GamePath(dir, "nothing"), "*.map", names));
  EXPECT_TRUE(names.empty());
  ASSERT_TRUE(ListDirectory(dir.path(), "*.map", names));
  EXPECT_TRUE(names.empty());
}

TEST(ReadWholeFileTest, ReadsLimitsAndRefuses) {
  TempDir dir;
  dir.Write("Data/file.bin", std::string("ab\0cd", 5));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(GamePath(dir, "DATA\\FILE.BIN"), bytes));
  EXPECT_EQ(bytes, std::string("ab\0cd", 5));
  ASSERT_TRUE(ReadWholeFile(GamePath(dir, "data\\file.bin"), bytes, 3));
  EXPECT_EQ(bytes, std::string("ab\0", 3));
  EXPECT_FALSE(ReadWholeFile(GamePath(dir, "data\\missing.bin"), bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_FALSE(ReadWholeFile(GamePath(dir, "data"), bytes));
  std::string big(200000, 'z');
  dir.Write("big", big);
  ASSERT_TRUE(ReadWholeFile(dir.File("big"), bytes));
  EXPECT_EQ(bytes, big);
}
