// The real programs under a private Xvfb: the launcher window, its outcomes, and
// the game window it opens. Clicks go through XTEST, since a bare X server has no
// window manager.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/program_runner.h"
#include "base/clock.h"
#include "support/x11_helpers.h"
#include "support/xvfb_server.h"

namespace {

constexpr const char* kGameTitle = "Vexmoor V0.1 (Build 07 03 2009)";

struct LauncherRun {
  XvfbServer server;
  std::unique_ptr<XConnection> x;
  ChildProcess program;
  unsigned long launcher = 0;
  WindowGeometry geometry;

  // Starts a program and waits for its launcher window.
  bool Start(const std::string& title, bool software, std::vector<std::string> args = {}) {
    if (!server.ok()) return false;
    x = std::make_unique<XConnection>(server.display());
    args.insert(args.begin(), BuildDir() + (software ? "/vexmoor-soft" : "/vexmoor"));
    SpawnOptions options;
    options.env = {server.displayEnv()};
    if (!program.Start(args, options)) return false;
    launcher = x->WaitForWindow(title, 20.0);
    return launcher != 0 && x->Geometry(launcher, geometry);
  }
  // A click at a point of the launcher's client area.
  void Click(int clientX, int clientY) {
    ClickAt(server.display(), geometry.x + clientX, geometry.y + clientY);
  }
  void ClickLaunch() { Click(326 + 90, 350 + 12); }
  void ClickCancel() { Click(6 + 95, 350 + 12); }
};

}  // namespace

TEST(Launcher, LaunchOpensTheGameWindowWhichClosesWithItsCloseBox) {
  LauncherRun run;
  ASSERT_TRUE(run.Start(std::string(kGameTitle) + " SW", true)) << run.server.error();
  EXPECT_EQ(run.geometry.width, 512);
  EXPECT_EQ(run.geometry.height, 384);
  // The launcher is centred on the 1280x1024 screen.
  EXPECT_NEAR(run.geometry.x, (1280 - 512) / 2, 2);
  EXPECT_NEAR(run.geometry.y, (1024 - 384) / 2, 2);
  run.ClickLaunch();
  const unsigned long game = run.x->WaitForWindow(kGameTitle, 30.0);
  ASSERT_NE(game, 0u);
  EXPECT_TRUE(run.x->WaitForWindowGone(std::string(kGameTitle) + " SW", 10.0));
  WindowGeometry geometry;
  ASSERT_TRUE(run.x->Geometry(game, geometry));
  EXPECT_EQ(geometry.width, 1024);
  EXPECT_EQ(geometry.height, 768);
  // Let a few frames run, then look at the window: the map is drawn, not black.
  SleepMs(1500);
  Image picture;
  ASSERT_TRUE(run.x->Capture(game, picture));
  EXPECT_GT(MeanBrightness(picture, 0, 0, picture.width, picture.height), 2.0);
  ASSERT_TRUE(run.x->SendClose(game));
  const ProcessResult result = run.program.Wait(20.0);
  EXPECT_TRUE(result.Succeeded()) << result.err;
}

TEST(Launcher, CancelAndTheCloseBoxEndWithoutAGameWindow) {
  {
    LauncherRun run;
    ASSERT_TRUE(run.Start(std::string(kGameTitle) + " SW", true));
    run.ClickCancel();
    const ProcessResult result = run.program.Wait(20.0);
    EXPECT_TRUE(result.Succeeded()) << result.err;
    EXPECT_EQ(run.x->FindWindow(kGameTitle), 0u);
  }
  {
    LauncherRun run;
    ASSERT_TRUE(run.Start(std::string(kGameTitle) + " SW", true));
    ASSERT_TRUE(run.x->SendClose(run.launcher));
    const ProcessResult result = run.program.Wait(20.0);
    EXPECT_TRUE(result.Succeeded()) << result.err;
    EXPECT_EQ(run.x->FindWindow(kGameTitle), 0u);
  }
}

TEST(Launcher, LaunchWithNoMapsEndsWithoutAGameWindow) {
  TempDir data;
  std::filesystem::create_directories(data.File("Data/Maps"));
  LauncherRun run;
  ASSERT_TRUE(run.Start(std::string(kGameTitle) + " SW", true, {"--data", data.path()}));
  run.ClickLaunch();
  const ProcessResult result = run.program.Wait(20.0);
  EXPECT_TRUE(result.Succeeded()) << result.err;
  EXPECT_EQ(run.x->FindWindow(kGameTitle), 0u);
}

TEST(Launcher, AcceleratedBuildOpensItsGameWindowAndQuitsOnEscape) {
  LauncherRun run;
  ASSERT_TRUE(run.Start(std::string(kGameTitle) + " GL", false)) << run.server.error();
  // Enter presses the default button (keys go to the window under the pointer).
  MovePointer(run.server.display(), run.geometry.x + 256, run.geometry.y + 64);
  KeyAction(run.server.display(), "key", "Return");
  const unsigned long game = run.x->WaitForWindow(kGameTitle, 30.0);
  ASSERT_NE(game, 0u);
  SleepMs(1500);
  Image picture;
  ASSERT_TRUE(run.x->Capture(game, picture));
  EXPECT_GT(MeanBrightness(picture, 0, 0, picture.width, picture.height), 2.0);
  WindowGeometry geometry;
  ASSERT_TRUE(run.x->Geometry(game, geometry));
  // Escape reaches the game once its window has the keyboard focus. The game reads
  // a keyboard snapshot per frame, so the key is held for several frames, as a
  // hand would; on a loaded machine the first press may land before the focus does.
  ClickAt(run.server.display(), geometry.x + 512, geometry.y + 384);
  for (int attempt = 0; attempt < 4; ++attempt) {
    KeyAction(run.server.display(), "keydown", "Escape");
    SleepMs(250);
    KeyAction(run.server.display(), "keyup", "Escape");
    if (run.x->WaitForWindowGone(kGameTitle, 3.0)) break;
  }
  const ProcessResult result = run.program.Wait(20.0);
  EXPECT_TRUE(result.Succeeded()) << result.err;
  EXPECT_FALSE(result.timedOut);
}

TEST(Launcher, WithoutADisplayTheProgramsSayWhyAndEndWithStatusOne) {
  const std::vector<std::string> noDisplay = {"DISPLAY=", "WAYLAND_DISPLAY="};
  for (const bool software : {true, false}) {
    const ProcessResult launcher = RunGame({}, software, 30.0, noDisplay);
    EXPECT_EQ(launcher.exitCode, 1) << launcher.err;
    EXPECT_NE(launcher.err.find("no display"), std::string::npos) << launcher.err;
    // With --map the game window is refused rather than run unseen.
    const ProcessResult game = RunGame({"--map", "Test"}, software, 30.0, noDisplay);
    EXPECT_FALSE(game.timedOut);
    EXPECT_EQ(game.exitCode, 1) << game.err;
    EXPECT_NE(game.err.find("no display"), std::string::npos) << game.err;
  }
}

// A map file named with a Latin-1 byte ("Caf\xe9.map") shows in the list as UTF-8
// (no Pango warning about invalid text), and launching it plays that very file.
TEST(Launcher, Latin1MapNameShowsAsUtf8AndLoadsItsOwnFile) {
  namespace fs = std::filesystem;
  TempDir data;
  ShareBuiltData(data);
  for (const char* suffix : {".map", "_TileSet.xml", "_Enemys.txt"}) {
    fs::copy_file(fs::path(BuildDir()) / "Data" / "Maps" / (std::string("Test") + suffix),
                  data.File(std::string("Data/Maps/Caf\xe9") + suffix));
  }
  LauncherRun run;
  ASSERT_TRUE(run.Start(std::string(kGameTitle) + " SW", true, {"--data", data.path()})) << run.server.error();
  SleepMs(500);  // the drop-down has drawn its text
  run.ClickLaunch();
  const unsigned long game = run.x->WaitForWindow(kGameTitle, 30.0);
  ASSERT_NE(game, 0u) << "the Latin-1 map did not open";
  // The close box is used once the launcher has gone and the game runs its frames.
  EXPECT_TRUE(run.x->WaitForWindowGone(std::string(kGameTitle) + " SW", 10.0));
  SleepMs(1500);
  ASSERT_TRUE(run.x->SendClose(game));
  // The sanitizer build's leak check at exit takes its time on a loaded machine.
  const ProcessResult result = run.program.Wait(90.0);
  EXPECT_FALSE(result.timedOut);
  EXPECT_TRUE(result.Succeeded()) << result.exitCode << ": " << result.err;  // 1: the map was not found
  EXPECT_EQ(result.err.find("Pango"), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find("UTF-8"), std::string::npos) << result.err;
}
