// Recordings: live sessions written with --record, replayed with --input to the
// same final state, damaged recordings refused, and the timedemo.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "e2e/program_runner.h"
#include "support/json_check.h"
#include "support/x11_helpers.h"
#include "support/xvfb_server.h"

namespace {

constexpr const char* kGameTitle = "Vexmoor V0.1 (Build 07 03 2009)";

void Pause(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

// A key held long enough for at least one frame to see it down: the game reads the
// keyboard as a snapshot per frame, so a press and release between two frames
// would go unseen.
void Tap(const std::string& display, const std::string& key) {
  KeyAction(display, "keydown", key);
  Pause(0.3);
  KeyAction(display, "keyup", key);
}

// Replays a recording headless with the given program and returns its state.
std::string Replay(const std::string& recording, bool software) {
  const ProcessResult run = RunGame({"--headless", "--input", recording, "--state"}, software);
  EXPECT_TRUE(run.Succeeded()) << run.err;
  return run.out;
}

// Frames after the first, and the seconds they spanned, by the recording's clock.
std::pair<int, double> FramesAndSeconds(const std::string& recording) {
  std::istringstream lines(recording);
  int frame = 0, first = -1, last = 0;
  double time = 0, start = 0, end = 0;
  for (std::string line; std::getline(lines, line);) {
    if (std::sscanf(line.c_str(), "%d time %lf", &frame, &time) != 2) continue;
    if (first < 0) first = frame, start = time;
    last = frame, end = time;
  }
  return {last - first, end - start};
}

}  // namespace

// A scripted Arena fight recorded by one program replays in the other to the
// state the recording ended with.
TEST(Recording, AHeadlessRecordingReplaysInEitherProgram) {
  TempDir dir;
  dir.Write("fight.txt",
            "1 mouse 512 100\n1 key W down\n25 key W up\n30 key E down\n31 key E up\n100 button left down\n"
            "200 key 2 down\n201 key 2 up\n260 key 1 down\n261 key 1 up\n300 key R down\n301 key R up\n");
  const std::string rec = dir.File("fight.rec");
  const ProcessResult live = RunGame({"--headless", "--map", "Arena", "--frames", "420", "--seed", "9", "--input",
                                      dir.File("fight.txt"), "--record", rec, "--state"});
  ASSERT_TRUE(live.Succeeded()) << live.err;
  EXPECT_EQ(ReadAll(rec + ".state.json"), live.out);
  EXPECT_EQ(Replay(rec, false), live.out);
  EXPECT_EQ(Replay(rec, true), live.out);
  EXPECT_EQ(JsonNumber(live.out, "frame"), 420);
}

// A live session in a real window under Xvfb, driven through XTEST, replays headless
// to the state the session ended with; for both programs.
TEST(Recording, ALiveSessionReplaysExactly) {
  for (bool software : {true, false}) {
    XvfbServer server;
    ASSERT_TRUE(server.ok()) << server.error();
    XConnection x(server.display());
    TempDir dir;
    const std::string rec = dir.File("live.rec");
    ChildProcess program;
    SpawnOptions options;
    options.env = {server.displayEnv()};
    options.captureOutput = true;
    ASSERT_TRUE(program.Start({BuildDir() + (software ? "/vexmoor-soft" : "/vexmoor"), "--map", "Test", "--record",
                               rec, "--state"},
                              options));
    // The software program replaces its first window when its renderer attaches:
    // let it settle, then take the window that stays, and give it the keyboard.
    ASSERT_NE(x.WaitForWindow(kGameTitle, 30.0), 0u);
    Pause(1.0);
    const unsigned long window = x.WaitForWindow(kGameTitle, 30.0);
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(FocusWindow(server.display(), window));
    WindowGeometry g;
    ASSERT_TRUE(x.Geometry(window, g));
    MovePointer(server.display(), g.x + 800, g.y + 350);
    KeyAction(server.display(), "keydown", "d");
    Pause(1.0);  // long enough to span a frame even on a loaded machine
    KeyAction(server.display(), "keyup", "d");
    ClickAt(server.display(), g.x + 820, g.y + 300);
    Tap(server.display(), "2");
    ClickAt(server.display(), g.x + 600, g.y + 600);
    Pause(0.3);
    // The close box ends the session: the recording takes it as that frame's window
    // event, so the replay ends the same way.
    x.SendClose(window);
    const ProcessResult live = program.Wait(60.0);
    ASSERT_TRUE(live.Succeeded()) << (software ? "software: " : "GL: ") << live.err << ReadAll(rec).substr(0, 600);
    EXPECT_EQ(JsonNumber(live.out, "quitRequested"), 1);
    const std::string recording = ReadAll(rec);
    EXPECT_NE(recording.find("key D down"), std::string::npos) << recording.substr(0, 400);
    EXPECT_NE(recording.find("button left down"), std::string::npos);
    EXPECT_NE(recording.find(" close\n"), std::string::npos);
    // Xvfb has no vertical sync: the game holds itself to 60 frames a second.
    const auto [frames, seconds] = FramesAndSeconds(recording);
    EXPECT_GT(seconds, 1.0);
    EXPECT_LE(frames, 60.0 * seconds + 1.0) << frames << " frames in " << seconds << " s";
    EXPECT_EQ(ReadAll(rec + ".state.json"), live.out);
    EXPECT_EQ(Replay(rec, true), live.out) << (software ? "software" : "GL");
  }
}

TEST(Recording, DamagedRecordingsAreRefusedWithTheirLine) {
  TempDir dir;
  const std::string rec = dir.File("r.rec");
  ASSERT_TRUE(RunGame({"--headless", "--map", "Test", "--frames", "30", "--record", rec}).Succeeded());
  const std::string good = ReadAll(rec);
  const size_t cut = good.find("20 time");
  ASSERT_NE(cut, std::string::npos);
  struct Case {
    std::string text;
    std::string problem;
  };
  const std::string head = good.substr(0, cut);
  const size_t lines = static_cast<size_t>(std::count(head.begin(), head.end(), '\n'));
  for (const Case& c : {Case{head + "20 tim", "truncated"},
                        Case{head + "20 time 1.3\n", "backwards"},
                        Case{head + "20 jump\n", "unknown event"},
                        Case{head + "22 time 9.5\n", "frame 20 was expected"}}) {
    dir.Write("bad.rec", c.text);
    const ProcessResult run = RunGame({"--headless", "--input", dir.File("bad.rec")}, true, 30.0);
    EXPECT_EQ(run.exitCode, 2) << c.problem;
    EXPECT_NE(run.err.find("line " + std::to_string(lines + 1) + ":"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(c.problem), std::string::npos) << run.err;
  }
  // A recording contradicted by the command line.
  const ProcessResult other = RunGame({"--headless", "--input", rec, "--map", "Arena"});
  EXPECT_EQ(other.exitCode, 2);
  EXPECT_NE(other.err.find("Test"), std::string::npos);
}

TEST(Recording, TimedemoReplaysAndReportsFrameTimes) {
  TempDir dir;
  const std::string rec = dir.File("r.rec");
  ASSERT_TRUE(RunGame({"--headless", "--map", "Arena", "--frames", "90", "--record", rec}).Succeeded());
  const ProcessResult demo = RunGame({"--headless", "--timedemo", rec});
  ASSERT_TRUE(demo.Succeeded()) << demo.err;
  EXPECT_NE(demo.out.find("timedemo (software, headless): 90 frames"), std::string::npos) << demo.out;
  for (const char* part : {"update", "draw", "present", "frame"}) {
    EXPECT_NE(demo.out.find(std::string("  ") + part), std::string::npos) << demo.out;
  }
}

// The shipped demos (recorded live with scripts/record-demo by vexmoor-soft) replay
// to the state their sessions ended with, one in each program.
TEST(Recording, ShippedDemosReplayToTheirRecordedState) {
  for (const auto& [demo, software] : {std::pair{"arena", false}, std::pair{"bunker", true}}) {
    const std::string rec = SourceDir() + "/data/demos/" + demo + ".rec";
    const std::string expected = ReadAll(rec + ".state.json");
    ASSERT_FALSE(expected.empty()) << rec;
    EXPECT_EQ(Replay(rec, software), expected) << demo;
  }
}
