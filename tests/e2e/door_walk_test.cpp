// The player walks from the start of Test to its first door (column 6, row 3),
// opens it with E and walks through, all in one headless run.
#include <gtest/gtest.h>

#include "e2e/program_runner.h"
#include "support/json_check.h"

namespace {

// Test starts at (158, 222) in row 3; the door is four cells to the right.
constexpr const char* kWalkScript = R"(# aim right of the player, walk to the door, open it, walk through
1 mouse 700 384
1 key D down
55 key D up
56 key E down
57 key E up
130 key D down
175 key D up
)";

ProcessResult Walk(int frames) {
  TempDir dir;
  dir.Write("walk.txt", kWalkScript);
  return RunGame({"--headless", "--map", "Test", "--frames", std::to_string(frames), "--state", "--input",
                  dir.File("walk.txt")});
}

}  // namespace

TEST(DoorWalk, StopsAtTheDoorOpensItAndWalksThrough) {
  const ProcessResult atDoor = Walk(56);
  ASSERT_TRUE(atDoor.Succeeded()) << atDoor.err;
  const double stopX = JsonNumber(atDoor.out, "player.x");
  EXPECT_EQ(stopX, 354.0);                       // refused whole 30 px before the door
  EXPECT_EQ(JsonNumber(atDoor.out, "map.prompt"), 1);  // the front point is inside the door's cell
  EXPECT_EQ(JsonNumber(atDoor.out, "doors.state"), 2);

  const ProcessResult opening = Walk(70);
  ASSERT_TRUE(opening.Succeeded()) << opening.err;
  EXPECT_EQ(JsonNumber(opening.out, "doors.state"), 3);
  EXPECT_EQ(JsonNumber(opening.out, "player.x"), 354.0);  // still blocked while it opens

  const ProcessResult through = Walk(175);
  ASSERT_TRUE(through.Succeeded()) << through.err;
  EXPECT_EQ(JsonNumber(through.out, "doors.state"), 1);
  EXPECT_NE(through.out.find("\"column\":6,\"row\":3,\"x\":384,\"y\":192,\"state\":1,\"animationId\":3,"
                            "\"frame\":9,\"walkBlocked\":false"),
            std::string::npos)
      << through.out;
  EXPECT_GT(JsonNumber(through.out, "player.x"), 7 * 64.0);  // past the door's column
  EXPECT_EQ(JsonNumber(through.out, "player.y"), 222.0);
  EXPECT_EQ(JsonNumber(through.out, "player.health"), 100);
}
