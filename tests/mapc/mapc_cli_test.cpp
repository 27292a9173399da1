// The mapc command line: files written, messages, exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "mapc_fixtures.h"

using namespace mapc_test;

namespace {

struct MapcRun {
  int status = 0;
  std::string out;
  std::string err;
};

MapcRun Mapc(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  MapcRun r;
  r.status = mapc::RunMapc(args, out, err);
  r.out = out.str();
  r.err = err.str();
  return r;
}

std::string ReadFile(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(mapc::ReadHostFile(path, 1u << 20, bytes)) << path;
  return bytes;
}

TEST(MapcCli, CompilesIntoTheOutputDirectory) {
  TempDir dir;
  dir.Write("Tiny.vxmap", kTinySource);
  MapcRun r = Mapc({"-o", dir.File("out/Maps"), dir.File("Tiny.vxmap")});
  EXPECT_EQ(r.status, 0) << r.err;
  mapc::CompiledMap expected = MustCompile(kTinySource);
  EXPECT_EQ(ReadFile(dir.File("out/Maps/Tiny.map")), expected.mapBytes);
  EXPECT_EQ(ReadFile(dir.File("out/Maps/Tiny_TileSet.xml")), expected.tileSetXml);
  EXPECT_EQ(ReadFile(dir.File("out/Maps/Tiny_Enemys.txt")), expected.enemyList);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out/Maps/Tiny.map.tmp")));
}

TEST(MapcCli, ABadSourceWritesNothingAndNamesFileAndLine) {
  TempDir dir;
  std::string text = kTinySource;
  text.replace(text.find("#..#"), 4, "#.?#");
  dir.Write("Tiny.vxmap", text);
  MapcRun r = Mapc({"-o", dir.File("out"), dir.File("Tiny.vxmap")});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(dir.File("Tiny.vxmap") + ":16: error: unknown cell code \"?\""), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("out/Tiny.map")));
}

TEST(MapcCli, WarningsArePrintedUnlessQuiet) {
  TempDir dir;
  dir.Write("Tiny.vxmap", kTinySource);
  MapcRun loud = Mapc({"--check", dir.File("Tiny.vxmap")});
  EXPECT_EQ(loud.status, 0);
  EXPECT_NE(loud.err.find("warning:"), std::string::npos);
  MapcRun quiet = Mapc({"--check", "--quiet", dir.File("Tiny.vxmap")});
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.err, "");
  EXPECT_FALSE(std::filesystem::exists(dir.File("Tiny.map")));
}

TEST(MapcCli, DumpReadsTheCompanionFilesBesideTheMap) {
  TempDir dir;
  dir.Write("Tiny.vxmap", kTinySource);
  ASSERT_EQ(Mapc({"-o", dir.path(), dir.File("Tiny.vxmap")}).status, 0);
  MapcRun r = Mapc({"--dump", dir.File("Tiny.map")});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\"Deco Rubble.png\" id 3"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("turret at 40 40"), std::string::npos) << r.out;
  ASSERT_EQ(Mapc({"--dump", dir.File("Tiny.map"), "-o", dir.File("again/Tiny.vxmap")}).status, 1);  // no such folder
  ASSERT_EQ(Mapc({"--dump", dir.File("Tiny.map"), "-o", dir.File("Tiny2.vxmap")}).status, 0);
  EXPECT_EQ(ReadFile(dir.File("Tiny2.vxmap")), r.out);
}

TEST(MapcCli, UsageMistakesAndMissingFiles) {
  EXPECT_EQ(Mapc({}).status, 2);
  EXPECT_EQ(Mapc({"--frobnicate", "a.vxmap"}).status, 2);
  EXPECT_EQ(Mapc({"--dump", "a.map", "b.map"}).status, 2);
  MapcRun help = Mapc({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: mapc"), std::string::npos);
  MapcRun missing = Mapc({"--check", "/nonexistent/none.vxmap"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos);
  EXPECT_EQ(Mapc({"--dump", "/nonexistent/none.map"}).status, 1);
}

}  // namespace
