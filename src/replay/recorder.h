// Recordings (--record): a live session written frame by frame in the input-script
// format, with everything that can differ between two runs: the seed, the map, the
// display mode, each frame's clock, the keys that changed, the cursor when it
// moved, the buttons and the window's close box. Each frame's lines are flushed as
// the game runs, so a session that ends abnormally keeps what it had.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "player/mouse.h"
#include "base/input.h"
#include "platform/window.h"

class Recorder {
 public:
  Recorder() = default;
  ~Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  // Creates the file and writes the session's header. False with a message on failure.
  bool Open(const std::string& path, uint64_t seed, const std::string& map, uint8_t displayMode,
            std::string& error);
  // A further header line ("bind walk_up W"), written as "0 <text>" before the first frame.
  void HeaderLine(const std::string& text);
  // One frame, after its input and clock were read: the time, then whatever changed.
  // In windowed mode the cursor is the window's and the buttons are the frame's one
  // window event; in full screen both come from the mouse device.
  void Frame(uint64_t frame, float now, const KeyArray& keys, const MouseReading& reading, WindowEvent event,
             uint8_t displayMode);
  // A line of its own for frame `frame`, written before the frame's clock: "pause",
  // "resume" or "restart".
  void Mark(uint64_t frame, const char* what);
  // The session ended after `frame`; closes the file. False when something could not
  // be written.
  bool End(uint64_t frame);
  const std::string& path() const { return path_; }

 private:
  void Line(const std::string& text);

  std::FILE* file_ = nullptr;
  std::string path_;
  bool failed_ = false;
  KeyArray keys_{};
  int cursorX_ = -1;
  int cursorY_ = -1;
  bool left_ = false;
  bool right_ = false;
};

// The text of a recording's time: the shortest decimal that reads back as the same
// single-precision value.
std::string TimeText(float seconds);
