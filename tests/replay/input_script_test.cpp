#include <gtest/gtest.h>

#include "replay/input_script.h"

TEST(InputScript, ParsesEventsCommentsAndAnyCase) {
  std::vector<ScriptEvent> events;
  std::string error;
  ASSERT_TRUE(ParseInputScript("# walk right\n\n1 key D down\r\n  3\tKEY escape Up\n2 mouse 600 -5\n"
                               "2 button LEFT down\n4 key f11 up",
                               events, error))
      << error;
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0].code, scan::kD);
  EXPECT_TRUE(events[0].down);
  EXPECT_EQ(events[1].frame, 3u);
  EXPECT_EQ(events[1].code, scan::kEscape);
  EXPECT_FALSE(events[1].down);
  EXPECT_EQ(events[2].kind, ScriptEvent::Kind::kMouse);
  EXPECT_EQ(events[2].y, -5);
  EXPECT_EQ(events[3].code, 1);
  EXPECT_EQ(events[4].code, scan::kF11);
}

TEST(InputScript, MalformedLinesNameTheirLine) {
  const char* bad[] = {"0 key W down",   "x key W down",      "1 key Q2 down",   "1 key W sideways",
                       "1 mouse 5",      "1 mouse 5 y",       "1 button middle down", "1 jump",
                       "1",              "1 key W down extra"};
  for (const char* line : bad) {
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_FALSE(ParseInputScript(std::string("# ok\n1 key W down\n") + line, events, error)) << line;
    EXPECT_EQ(error.rfind("line 3:", 0), 0u) << error;
  }
}

TEST(ScriptedInput, KeysHoldUntilReleasedAndButtonsComeOnePerFrame) {
  std::vector<ScriptEvent> events;
  std::string error;
  ASSERT_TRUE(ParseInputScript("2 key W down\n4 key W up\n3 mouse 100 200\n3 button left down\n"
                               "3 button left up\n5 mouse 2000 10\n",
                               events, error));
  ScriptedInput input(std::move(events));
  KeyArray keys{};
  MouseReading reading;
  WindowEvent event = WindowEvent::kNone;
  std::vector<WindowEvent> seen;
  std::vector<bool> w;
  for (uint64_t frame = 1; frame <= 5; ++frame) {
    input.BeginFrame(frame, keys, reading, event);
    seen.push_back(event);
    w.push_back(keys[scan::kW] != 0);
    if (frame == 3) {
      EXPECT_EQ(reading.clientX, 100);
      EXPECT_EQ(reading.deviceY, 200);
    }
  }
  EXPECT_EQ(w, (std::vector<bool>{false, true, true, false, false}));
  EXPECT_EQ(seen, (std::vector<WindowEvent>{WindowEvent::kNone, WindowEvent::kNone, WindowEvent::kLeftDown,
                                            WindowEvent::kLeftUp, WindowEvent::kNone}));
  EXPECT_EQ(reading.clientX, -1);  // outside the window
  EXPECT_EQ(reading.clientY, -1);
  EXPECT_EQ(reading.deviceX, 1023);  // the device clamps
}

TEST(ScriptedInput, HeadlessRunsEndSixtyFramesAfterTheLastEvent) {
  // {script, frame of the last event's effect}: three buttons in frame 5 are taken in
  // frames 5, 6 and 7; a key in frame 3 after a button in frame 9 does not lower it.
  for (const auto& [text, last] : std::initializer_list<std::pair<const char*, uint64_t>>{
           {"", 0},
           {"# only a comment\n", 0},
           {"7 key W down\n2 key W up\n", 7},
           {"5 button left down\n5 button left up\n5 button right down\n", 7},
           {"9 button left down\n3 key F9 down\n10 button left up\n", 10},
           {"4 mouse 10 10\n40 mouse 1 1\n", 40}}) {
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseInputScript(text, events, error)) << error;
    ScriptedInput script(std::move(events));
    EXPECT_EQ(script.LastEventFrame(), last) << text;
    EXPECT_EQ(HeadlessFrameLimit(&script), last + 60) << text;
  }
  EXPECT_EQ(HeadlessFrameLimit(nullptr), 60u);
  std::vector<ScriptEvent> far;
  std::string error;
  ASSERT_TRUE(ParseInputScript("18446744073709551600 key W down\n", far, error)) << error;
  ScriptedInput farScript(std::move(far));
  EXPECT_EQ(HeadlessFrameLimit(&farScript), UINT64_MAX);  // held, not wrapped
}
