// Scripted input: key, mouse and button events by frame, read from a text file.
//
//   # comment; blank lines are ignored; frames count from 1; events act at the start of their frame
//   <frame> key <NAME> down|up        NAME: W A S D E R V 1 2 ESCAPE F9 F10 F11 (any case)
//   <frame> mouse <x> <y>             cursor at screen (x, y) from that frame on
//   <frame> button left|right down|up
//
// Keys feed the keyboard snapshot exactly as a keyboard would; the cursor and the
// buttons feed the mouse the way the game window does (one button event taken per
// frame, in script order), and the mouse device reading as well.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "player/mouse.h"
#include "services/input.h"
#include "services/window.h"

struct ScriptEvent {
  enum class Kind { kKey, kMouse, kButton };
  uint64_t frame = 0;
  Kind kind = Kind::kKey;
  int code = 0;         // key: scan code; button: 1 left, 2 right
  bool down = false;
  int x = 0;            // mouse
  int y = 0;
};

// Parses a script. On a malformed line returns false with "line N: what" in error.
bool ParseInputScript(std::string_view text, std::vector<ScriptEvent>& events, std::string& error);

// A headless run without --frames stops this many frames after its script's last
// event takes effect, or after this many frames without a script, so it always ends.
constexpr uint64_t kHeadlessTailFrames = 60;

class ScriptedInput;

// The frame count of a headless run without --frames (script may be null).
uint64_t HeadlessFrameLimit(const ScriptedInput* script);

class ScriptedInput {
 public:
  explicit ScriptedInput(std::vector<ScriptEvent> events);

  // Applies the events of `frame` and gives this frame's keys, mouse reading and
  // window event.
  void BeginFrame(uint64_t frame, KeyArray& keys, MouseReading& reading, WindowEvent& event);

  // The frame in which the last event takes effect (button events queued in one
  // frame are taken one per frame); 0 for an empty script.
  uint64_t LastEventFrame() const;

 private:
  std::vector<ScriptEvent> events_;  // sorted by frame, script order kept
  size_t next_ = 0;
  KeyArray keys_{};
  int cursorX_ = -1;
  int cursorY_ = -1;
  bool left_ = false;
  bool right_ = false;
  std::deque<WindowEvent> pending_;
};
