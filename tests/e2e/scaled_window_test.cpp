// Both programs in a scaled window on a 2560x1600 Xvfb: the real cursor, moved with
// XTEST, reads as the same frame point (and aims the same way) as at 1024x768, after
// an outside resize too, and reads -1 on a bar. The window pictures are left in the
// build folder (scaled_window_*.png) for a person to look at.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "e2e/program_runner.h"
#include "base/clock.h"
#include "support/json_check.h"
#include "support/x11_helpers.h"
#include "support/xvfb_server.h"

namespace {

constexpr const char* kGameTitle = "Vexmoor V0.1 (Build 07 03 2009)";

const char* Name(bool software) { return software ? "soft" : "gl"; }

bool Drawn(const Image& picture) { return MeanBrightness(picture, 0, 0, picture.width, picture.height) > 2.0; }

// 1536x1536 holds the frame at scale 1.5, 1152 high from y = 192, black above and below.
bool Letterboxed(const Image& picture) {
  return picture.width == 1536 && picture.height == 1536 && MeanBrightness(picture, 0, 0, 1536, 192) == 0.0 &&
         MeanBrightness(picture, 0, 1344, 1536, 1536) == 0.0 && MeanBrightness(picture, 0, 192, 1536, 1344) > 2.0;
}

// One live game on its own X server, played until its close box is used.
struct ScaledRun {
  XvfbServer server{2560, 1600};
  std::unique_ptr<XConnection> x;
  ChildProcess program;
  unsigned long window = 0;
  WindowGeometry geometry;

  // Starts the game and waits until its window shows a drawn frame.
  bool Start(bool software, const std::vector<std::string>& extra = {}) {
    if (!server.ok()) return false;
    x = std::make_unique<XConnection>(server.display());
    std::vector<std::string> args = {BuildDir() + (software ? "/vexmoor-soft" : "/vexmoor"), "--map", "Test",
                                     "--scale", "2", "--state"};
    args.insert(args.end(), extra.begin(), extra.end());
    SpawnOptions options;
    options.env = {server.displayEnv()};
    if (!program.Start(args, options) || x->WaitForWindow(kGameTitle, 30.0) == 0) return false;
    return Drawn(Picture("", false));
  }

  // `xdotool windowsize`, then waits until X has given the window its new size.
  bool Resize(int width, int height) {
    SpawnOptions options;
    options.env = {server.displayEnv()};
    if (!RunProcess({"xdotool", "windowsize", std::to_string(window), std::to_string(width), std::to_string(height)},
                    options, 10.0)
             .Succeeded()) {
      return false;
    }
    for (int i = 0; i < 500 && (geometry.width != width || geometry.height != height); ++i) {
      SleepMs(20);
      x->Geometry(window, geometry);
    }
    return geometry.width == width && geometry.height == height;
  }

  // The pointer on a pixel of the window's client area, held there for some frames.
  bool PointAt(int windowX, int windowY) {
    const bool moved = MovePointer(server.display(), geometry.x + windowX, geometry.y + windowY);
    SleepMs(500);
    return moved;
  }

  // The window's picture once it shows a drawn frame, letterboxed in 1536x1536 if
  // asked (the game draws its first frames after loading, and a resized window shows
  // its new frame a little later; a loaded machine is slow), written to the build
  // folder as well when it has a name. The window is looked up each time: the
  // software build's renderer may replace the first X window with another.
  Image Picture(const std::string& name, bool letterboxed) {
    Image picture;
    for (int i = 0; i < 120; ++i) {
      window = x->FindWindow(kGameTitle);
      if (window != 0 && x->Geometry(window, geometry) && x->Capture(window, picture) &&
          (letterboxed ? Letterboxed(picture) : Drawn(picture))) {
        break;
      }
      SleepMs(250);
    }
    if (!name.empty()) WritePngFile(BuildDir() + "/scaled_window_" + name + ".png", picture, false);
    return picture;
  }

  // Ends the game with its close box; its --state output.
  ProcessResult Close() {
    x->SendClose(window);
    return program.Wait(30.0);
  }
};

// Where the cursor on frame point (612, 384) aims at the start of Test, from a
// headless 1024x768 run with the mouse scripted there.
ProcessResult UnscaledAim() {
  TempDir dir;
  dir.Write("aim.txt", "1 mouse 612 384\n");
  return RunGame({"--headless", "--map", "Test", "--frames", "5", "--state", "--input", dir.File("aim.txt")});
}

}  // namespace

TEST(ScaledWindow, CursorAtScaleTwoReadsAndAimsAsTheUnscaledFramePoint) {
  const ProcessResult unscaled = UnscaledAim();
  ASSERT_TRUE(unscaled.Succeeded()) << unscaled.err;
  for (const bool software : {false, true}) {
    SCOPED_TRACE(Name(software));
    ScaledRun run;
    const std::string shot = BuildDir() + "/scaled_window_" + Name(software) + "_frame.png";
    ASSERT_TRUE(run.Start(software, {"--screenshot", shot})) << run.server.error();
    EXPECT_EQ(run.geometry.width, 2048);
    EXPECT_EQ(run.geometry.height, 1536);
    EXPECT_EQ(run.geometry.x, 256);  // centred on the 2560x1600 screen
    EXPECT_EQ(run.geometry.y, 32);
    ASSERT_TRUE(run.PointAt(1224, 768));  // frame point (612, 384) times 2
    EXPECT_TRUE(Drawn(run.Picture(std::string(Name(software)) + "_2x", false)));
    const ProcessResult result = run.Close();
    ASSERT_TRUE(result.Succeeded()) << result.err;
    EXPECT_EQ(JsonNumber(result.out, "mouse.screenX"), 612);
    EXPECT_EQ(JsonNumber(result.out, "mouse.screenY"), 384);
    for (const char* field : {"mouse.worldX", "mouse.worldY", "mouse.cellX", "mouse.cellY", "player.aim",
                              "player.frontX", "player.frontY"}) {
      EXPECT_EQ(JsonNumber(result.out, field), JsonNumber(unscaled.out, field)) << field;
    }
  }
}

TEST(ScaledWindow, AfterAResizeTheCursorStillMapsAndBarsReadAsOutside) {
  struct Point {
    int windowX, windowY;
    int frameX, frameY;
  };
  const Point points[] = {{150, 1242, 100, 700}, {918, 100, -1, -1}};
  for (const bool software : {false, true}) {
    for (const Point& point : points) {
      SCOPED_TRACE(std::string(Name(software)) + " at " + std::to_string(point.windowX) + ", " +
                   std::to_string(point.windowY));
      // The cursor is held in the frame while playing; let it reach the bars here.
      TempDir config;
      config.Write("settings.ini", "[window]\nconfine_cursor = false\n");
      ScaledRun run;
      ASSERT_TRUE(run.Start(software, {"--config", config.path()})) << run.server.error();
      ASSERT_TRUE(run.Resize(1536, 1536));
      EXPECT_TRUE(Letterboxed(run.Picture(std::string(Name(software)) + "_1536x1536", true)));
      ASSERT_TRUE(run.PointAt(point.windowX, point.windowY));
      const ProcessResult result = run.Close();
      ASSERT_TRUE(result.Succeeded()) << result.err;
      EXPECT_EQ(JsonNumber(result.out, "mouse.screenX"), point.frameX);
      EXPECT_EQ(JsonNumber(result.out, "mouse.screenY"), point.frameY);
    }
  }
}
