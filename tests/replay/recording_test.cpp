#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

#include "replay/input_script.h"
#include "replay/recorder.h"
#include "replay/timedemo.h"
#include "support/temp_dir.h"

namespace {

// One frame of live input as the platform gives it.
struct LiveFrame {
  float now;
  std::vector<int> keysDown;
  int x, y;
  WindowEvent event;
};

}  // namespace

// What the recorder writes, the script reader gives back frame by frame: keys,
// cursor, the one window event, and the exact clock.
TEST(Recording, ReplaysWhatWasRecorded) {
  for (uint8_t display : {0, 1}) {
    TempDir dir;
    const std::string path = dir.File("session.rec");
    const std::vector<LiveFrame> live = {
        {1.0169999f, {}, -1, -1, WindowEvent::kNone},
        {1.0339999f, {scan::kW}, 512, 300, WindowEvent::kLeftDown},
        {1.0511111f, {scan::kW, scan::kD}, 512, 300, WindowEvent::kNone},
        {1.0511111f, {scan::kD, 0x46 /* scroll lock: no name, not written */}, 1023, 0, WindowEvent::kLeftUp},
        {2.5f, {}, 40, 700, WindowEvent::kClose}};
    Recorder recorder;
    std::string error;
    ASSERT_TRUE(recorder.Open(path, 77, "My Map", display, error)) << error;
    std::vector<MouseReading> readings;
    for (size_t i = 0; i < live.size(); ++i) {
      KeyArray keys{};
      for (int code : live[i].keysDown) keys[static_cast<size_t>(code)] = 1;
      MouseReading reading;
      reading.clientX = live[i].x;
      reading.clientY = live[i].y;
      reading.deviceX = std::max(live[i].x, 0);
      reading.deviceY = std::max(live[i].y, 0);
      reading.deviceLeft = i == 1 || i == 2;
      readings.push_back(reading);
      recorder.Frame(i + 1, live[i].now, keys, reading, live[i].event, display);
    }
    ASSERT_TRUE(recorder.End(live.size()));

    std::vector<ScriptEvent> events;
    ScriptHeader header;
    ASSERT_TRUE(ParseInputScript(ReadAll(path), events, error, &header)) << error;
    EXPECT_EQ(header.seed, 77u);
    EXPECT_EQ(header.map, "My Map");
    EXPECT_EQ(header.displayMode, display);
    ScriptedInput replay(std::move(events));
    EXPECT_EQ(replay.EndFrame(), live.size());
    for (size_t i = 0; i < live.size(); ++i) {
      KeyArray keys{};
      MouseReading reading;
      WindowEvent event = WindowEvent::kNone;
      replay.BeginFrame(i + 1, keys, reading, event);
      SCOPED_TRACE(i + 1 + 100 * display);
      ASSERT_TRUE(replay.Time());
      EXPECT_EQ(*replay.Time(), live[i].now);  // bit for bit
      EXPECT_EQ(keys[scan::kW] != 0, i == 1 || i == 2);
      EXPECT_EQ(keys[scan::kD] != 0, i == 2 || i == 3);
      EXPECT_EQ(keys[0x46], 0);
      if (display == 0) {
        EXPECT_EQ(reading.clientX, live[i].x);
        EXPECT_EQ(reading.clientY, live[i].y);
        EXPECT_EQ(event, live[i].event);
      } else {
        EXPECT_EQ(reading.deviceX, readings[i].deviceX);
        EXPECT_EQ(reading.deviceLeft, readings[i].deviceLeft);
      }
    }
  }
}

TEST(Recording, TimeTextReadsBackAsTheSameFloat) {
  for (float t : {1.0f, 1.0169999f, 3.3333333f, 86400.016f, 123456.79f, 0.001f}) {
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseInputScript("1 time " + TimeText(t) + "\n", events, error)) << error;
    EXPECT_EQ(events[0].time, t) << TimeText(t);
  }
}

TEST(Recording, DamagedRecordingsNameTheirLine) {
  const std::string good = "0 seed 3\n0 map Test\n1 time 1.01\n1 key W down\n2 time 1.02\n";
  struct Case {
    std::string text;
    int line;
  };
  for (const Case& c : {Case{good + "3 time 1.0\n", 6},                   // the time goes backwards
                        Case{good + "4 time 1.04\n", 6},                  // frame 3 has no time
                        Case{good + "2 time 1.03\n", 6},                  // frame 2 twice
                        Case{good + "3 time 1.03\n3 key W u", 7},         // cut off mid-line
                        Case{good + "3 time 1.03\n3 mou\n", 7},           // a bad line
                        Case{good + "3 time nan\n", 6},                   // not a time
                        Case{"0 display sideways\n" + good, 1},
                        Case{"0 key W down\n", 1},
                        Case{good + "3 end now\n", 6}}) {
    std::vector<ScriptEvent> events;
    std::string error;
    EXPECT_FALSE(ParseInputScript(c.text, events, error)) << c.text;
    EXPECT_EQ(error.rfind("line " + std::to_string(c.line) + ":", 0), 0u) << error;
    EXPECT_TRUE(events.empty());
  }
  // A plain script may end without a line end; a recording that stops after a whole
  // line (a session that ended abnormally) replays up to its last time.
  std::vector<ScriptEvent> events;
  std::string error;
  EXPECT_TRUE(ParseInputScript("1 key W down", events, error)) << error;
  ASSERT_TRUE(ParseInputScript(good, events, error)) << error;
  EXPECT_EQ(ScriptedInput(events).EndFrame(), 2u);
}

TEST(Timedemo, ReportSplitsTheFrameIntoItsParts) {
  std::vector<FrameTiming> frames;
  for (int i = 1; i <= 100; ++i) frames.push_back({0.01 * i, 1.0 * i, 0.5});
  const std::string report = TimedemoReport(frames, "software");
  EXPECT_NE(report.find("100 frames"), std::string::npos) << report;
  EXPECT_NE(report.find("(software)"), std::string::npos);
  // Draw times 1..100: median 50, p90 90, p99 99, max 100.
  EXPECT_NE(report.find("draw     median  50.000  p90  90.000  p99  99.000  max 100.000"), std::string::npos)
      << report;
  EXPECT_NE(report.find("present  median   0.500"), std::string::npos) << report;
}
