// Bad map sources: each problem is reported on the line that holds it, and
// nothing is compiled.
#include <gtest/gtest.h>

#include "mapc_fixtures.h"

using namespace mapc_test;

namespace {

// A valid 5 x 4 map; the tests break one line of it at a time.
const char* const kRoom = R"(map Room
tile 64
start at 94 94

legend
#  wall  "Wall Concrete.png"
.  floor "Floor Concrete.png"

layer 0
#####
#...#
#...#
#####
)";
// Line numbers in kRoom.
constexpr int kStartLine = 3;
constexpr int kFirstRowLine = 10;

// The first error's line and text.
::testing::AssertionResult FailsOn(const std::string& text, int line, const std::string& words) {
  std::vector<mapc::Diagnostic> diags = MustFail(text);
  for (const mapc::Diagnostic& d : diags) {
    if (!d.error) continue;
    if (d.line != line) return ::testing::AssertionFailure() << "first error on line " << d.line << ": " << d.text;
    if (d.text.find(words) == std::string::npos) return ::testing::AssertionFailure() << "first error: " << d.text;
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "no error";
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

TEST(SourceErrors, TheRoomItselfCompiles) { MustCompile(kRoom); }

TEST(SourceErrors, UnknownCellCode) {
  EXPECT_TRUE(FailsOn(Replace(kRoom, "#...#\n#####", "#.Z.#\n#####"), kFirstRowLine + 2, "unknown cell code \"Z\" in column 2"));
}

TEST(SourceErrors, RaggedRow) {
  EXPECT_TRUE(FailsOn(Replace(kRoom, "#...#\n#...#", "#...#\n#....#"), kFirstRowLine + 2, "ragged row"));
}

TEST(SourceErrors, MissingHeaderLines) {
  EXPECT_TRUE(FailsOn(Replace(kRoom, "tile 64\n", "\n"), 1, "tile"));
  EXPECT_TRUE(FailsOn(Replace(kRoom, "start at 94 94\n", "\n"), 1, "start"));
}

TEST(SourceErrors, EnemyOnAWall) {
  EXPECT_TRUE(FailsOn(std::string(kRoom) + "\nsoldier cell 4 1\n", 15, "stands on a wall"));
}

TEST(SourceErrors, EnemyOutsideTheMap) {
  EXPECT_TRUE(FailsOn(std::string(kRoom) + "\nturret at -10 100\n", 15, "outside the map"));
}

TEST(SourceErrors, DoorOutsideTheGrid) {
  EXPECT_TRUE(FailsOn(std::string(kRoom) + "\n\ndoor MetalH cell 9 1\n", 16, "outside the grid"));
}

TEST(SourceErrors, DoorOnTheEdge) {
  EXPECT_TRUE(FailsOn(std::string(kRoom) + "\ndoor MetalV cell 4 1\n", 15, "edge"));
}

TEST(SourceErrors, OpenEdgeIsReportedOnItsRow) {
  EXPECT_TRUE(FailsOn(Replace(kRoom, "#...#\n#####", "#....\n#####"), kFirstRowLine + 2, "open at its edge"));
}

TEST(SourceErrors, AnEdgeThatOnlyBlocksWalkingIsOpen) {
  std::string text = Replace(kRoom, ".  floor", "o  low   \"Wall Hedge.png\"\n.  floor");
  text = text.substr(0, text.size() - 6) + "##o##\n";  // the last row, now on line 14
  EXPECT_TRUE(FailsOn(text, 14, "lets shots through"));
}

TEST(SourceErrors, StartOnAWall) {
  EXPECT_TRUE(FailsOn(Replace(kRoom, "start at 94 94", "start cell 0 0"), kStartLine, "blocked"));
}

TEST(SourceErrors, ChecksOffTurnsPlayabilityIntoWarnings) {
  std::string text = Replace(kRoom, "#...#\n#####", "#....\n#####") + "\ndoor 9 cell 20 20\n";
  text = "checks off\n" + text;
  mapc::CompiledMap map = MustCompile(text);
  EXPECT_EQ(map.binary.doors.size(), 1u);
}

TEST(SourceErrors, LegendMistakes) {
  EXPECT_TRUE(FailsOn(Replace(kRoom, ".  floor", "#  floor"), 7, "already given on line 6"));
  EXPECT_TRUE(FailsOn(Replace(kRoom, ".  floor", ".  flor "), 7, "unknown kind"));
  EXPECT_TRUE(FailsOn(Replace(kRoom, "\"Floor Concrete.png\"", "\"Floor Concrete.png\" material 300"), 7, "material"));
  EXPECT_TRUE(FailsOn(Replace(kRoom, "\"Floor Concrete.png\"", "\"Floor Concrete.png\" door Wooden"), 7, "door style"));
  EXPECT_TRUE(FailsOn(Replace(kRoom, "\"Floor Concrete.png\"", "\"Floor Concrete.png"), 7, "closing quote"));
  EXPECT_TRUE(FailsOn(Replace(kRoom, "#  wall", "## wall"), 6, "1-character code"));
}

TEST(SourceErrors, TwoTilesCannotShareAnId) {
  std::string text = Replace(kRoom, "\"Wall Concrete.png\"", "\"Wall Concrete.png\" id 4");
  EXPECT_TRUE(FailsOn(Replace(text, "\"Floor Concrete.png\"", "\"Floor Concrete.png\" id 4"), 7, "tile ID 4"));
}

TEST(SourceErrors, HeaderMistakes) {
  EXPECT_TRUE(FailsOn(Replace(kRoom, "tile 64", "tile 256"), 2, "tile size"));
  EXPECT_TRUE(FailsOn(Replace(kRoom, "tile 64", "tile 64\ntile 32"), 3, "already given on line 2"));
  EXPECT_TRUE(FailsOn(Replace(kRoom, "tile 64", "tile 64 px"), 2, "unexpected \"px\""));
  EXPECT_TRUE(FailsOn(Replace(kRoom, "map Room", "mape Room"), 1, "unknown line"));
  EXPECT_TRUE(FailsOn(Replace(kRoom, "map Room", "map Room\nvalue abc"), 2, "value"));
  EXPECT_TRUE(FailsOn(Replace(kRoom, "map Room", "map Room\nheader \"a\\x0ab\""), 2, "line end"));
}

TEST(SourceErrors, LayersMustAgreeAndHaveNoGaps) {
  EXPECT_TRUE(FailsOn(std::string(kRoom) + "\nlayer 2\n#####\n#####\n#####\n#####\n", 15, "layer 1 is missing"));
  EXPECT_TRUE(FailsOn(std::string(kRoom) + "\nlayer 1\n#####\n#####\n", 15, "has 2 rows"));
  EXPECT_TRUE(FailsOn(std::string(kRoom) + "\nlayer 0\n#####\n", 15, "already given on line 9"));
}

TEST(SourceErrors, PlacementMistakes) {
  EXPECT_TRUE(FailsOn(std::string(kRoom) + "\nlight Purple cell 1 1\n", 15, "unknown light"));
  EXPECT_TRUE(FailsOn(std::string(kRoom) + "\nlight Warm size 10 10\n", 15, "needs a position"));
  EXPECT_TRUE(FailsOn(std::string(kRoom) + "\nlight id 3 cell 1 1\n", 15, "needs a size"));
  EXPECT_TRUE(FailsOn(std::string(kRoom) + "\nsoldier 1 1\n", 15, "expected a position"));
  EXPECT_TRUE(FailsOn(std::string(kRoom) + "\nenemy two cell 1 1\n", 15, "enemy type"));
}

TEST(SourceErrors, WarningsDoNotStopTheCompile) {
  mapc::CompiledMap map;
  std::vector<mapc::Diagnostic> diags;
  EXPECT_TRUE(mapc::CompileText(std::string(kRoom) + "\nturret cell 2 2\n", "room.vxmap", map, diags));
  ASSERT_EQ(diags.size(), 1u);
  EXPECT_FALSE(diags[0].error);
  EXPECT_EQ(diags[0].line, 15);
  EXPECT_NE(diags[0].text.find("500 px sight"), std::string::npos);
}

TEST(SourceErrors, StartOnAMultipleOfFourWarnsWhenThereAreDoors) {
  const std::string text = R"(map Hall
tile 64
start cell 1 1
legend
#  wall  "Wall Concrete.png"
.  floor "Floor Concrete.png"
-  floor "Floor Concrete.png" door MetalH
layer 0
#####
#...#
#.-.#
#...#
#####
)";
  mapc::CompiledMap map;
  std::vector<mapc::Diagnostic> diags;
  ASSERT_TRUE(mapc::CompileText(text, "hall.vxmap", map, diags));
  ASSERT_EQ(diags.size(), 1u);
  EXPECT_EQ(diags[0].line, 3);
  EXPECT_NE(diags[0].text.find("multiple of 4"), std::string::npos);
  diags.clear();
  ASSERT_TRUE(mapc::CompileText(Replace(text, "start cell 1 1", "start at 94 94"), "hall.vxmap", map, diags));
  EXPECT_TRUE(diags.empty());
}

TEST(SourceErrors, DiagnosticsPrintFileAndLine) {
  EXPECT_EQ(mapc::FormatDiagnostic("maps/a.vxmap", {true, 12, "ragged row"}), "maps/a.vxmap:12: error: ragged row");
  EXPECT_EQ(mapc::FormatDiagnostic("a.vxmap", {false, 0, "note"}), "a.vxmap: warning: note");
}

}  // namespace
