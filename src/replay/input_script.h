// Scripted input: key, mouse and button events by frame, read from a text file.
//
//   # comment; blank lines are ignored; frames count from 1; events act at the start of their frame
//   <frame> key <NAME> down|up        NAME: W A S D E R V 1 2 ESCAPE F9 F10 F11 (any case)
//   <frame> mouse <x> <y>             cursor at screen (x, y) from that frame on
//   <frame> button left|right down|up
//
// Recordings (--record) use the same format and add what else can differ between
// two runs:
//   0 seed <N>                        the seed of the random numbers
//   0 map <NAME>                      the map played
//   0 display windowed|fullscreen     the display mode
//   0 bind <ACTION> <KEY> [<KEY> ...] a key binding of the session (a script may give them too)
//   <frame> time <SECONDS>            the clock of that frame (every frame from 1 on)
//   <frame> close                     the window's close box, taken as that frame's window event
//   <frame> end                       the session ended after this frame
//   <frame> pause | resume            the game was paused or resumed in that frame
//   <frame> restart                   the map was started again in that frame (its clock starts again)
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
#include "base/input.h"
#include "platform/window.h"

#include <optional>

struct ScriptEvent {
  enum class Kind { kKey, kMouse, kButton, kTime, kClose, kEnd, kPause, kResume, kRestart };
  uint64_t frame = 0;
  Kind kind = Kind::kKey;
  int code = 0;         // key: scan code; button: 1 left, 2 right
  bool down = false;
  int x = 0;            // mouse
  int y = 0;
  float time = 0.0f;    // time: the frame's clock, seconds
};

// A "0 bind" line: the action's name and its keys as written.
struct ScriptBinding {
  std::string action;
  std::string keys;
  int line = 0;
};
constexpr size_t kMaxScriptBindings = 64;

// What a recording says about the whole session.
struct ScriptHeader {
  std::optional<uint64_t> seed;
  std::string map;                   // empty when not given
  std::optional<uint8_t> displayMode;  // 0 windowed, 1 full screen
  std::vector<ScriptBinding> bindings;  // the key bindings it was played with, if it says
};

// Parses a script. On a malformed line returns false with "line N: what" in error.
// In a recording the time lines must run frame by frame from frame 1 without going
// back, and the text must end with a line end (a cut-off last line means the file
// was truncated). `header` (when given) receives the seed, map and display lines.
bool ParseInputScript(std::string_view text, std::vector<ScriptEvent>& events, std::string& error,
                      ScriptHeader* header = nullptr);

// A headless run without --frames stops this many frames after its script's last
// event takes effect, or after this many frames without a script, so it always ends.
constexpr uint64_t kHeadlessTailFrames = 60;

class ScriptedInput;

struct ShellMarks {
  bool pause = false;
  bool resume = false;
  bool restart = false;
};

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

  // The recorded clock of the frame last begun, if the script gives one.
  std::optional<float> Time() const { return time_; }
  // The pause, resume and restart marks of the frame last begun (a recording's).
  ShellMarks Marks() const { return marks_; }
  // Whether the script carries a clock (a recording): its marks, not its keys, then
  // pause, resume and restart the game.
  bool IsRecording() const;
  // The last frame of a recording: its end line, else its last time line; 0 for a
  // plain script.
  uint64_t EndFrame() const;

 private:
  std::vector<ScriptEvent> events_;  // sorted by frame, script order kept
  size_t next_ = 0;
  KeyArray keys_{};
  int cursorX_ = -1;
  int cursorY_ = -1;
  bool left_ = false;
  bool right_ = false;
  std::deque<WindowEvent> pending_;
  std::optional<float> time_;
  ShellMarks marks_;
};
