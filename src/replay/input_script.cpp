#include "replay/input_script.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

template <typename T>
bool Number(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

bool Lower(std::string_view word, std::string_view expected) {
  if (word.size() != expected.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    char c = word[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != expected[i]) return false;
  }
  return true;
}

bool UpDown(std::string_view word, bool& down) {
  if (Lower(word, "down")) return down = true, true;
  if (Lower(word, "up")) return down = false, true;
  return false;
}

// Parses one non-empty line; returns the problem, or an empty string. Frame 0 is
// for the header lines of a recording only.
std::string ParseLine(const std::vector<std::string_view>& words, std::string_view line, ScriptEvent& event,
                      ScriptHeader& header, bool& isHeader) {
  isHeader = false;
  if (!Number(words[0], event.frame)) return "the frame must be a number from 1";
  if (words.size() < 2) return "missing event (key, mouse or button)";
  const std::string_view verb = words[1];
  if (event.frame == 0) {
    isHeader = true;
    if (Lower(verb, "seed")) {
      uint64_t seed = 0;
      if (words.size() != 3 || !Number(words[2], seed)) return "expected: 0 seed <N>";
      header.seed = seed;
    } else if (Lower(verb, "map")) {
      // The rest of the line, so that a map name may hold spaces.
      const size_t at = line.find(verb) + verb.size();
      std::string_view name = line.substr(at);
      while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
      while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
      if (name.empty()) return "expected: 0 map <NAME>";
      header.map = std::string(name);
    } else if (Lower(verb, "bind")) {
      if (words.size() < 4) return "expected: 0 bind <ACTION> <KEY> [<KEY> ...]";
      if (header.bindings.size() >= kMaxScriptBindings) {
        return "more than " + std::to_string(kMaxScriptBindings) + " bind lines";
      }
      const size_t at = static_cast<size_t>(words[3].data() - line.data());
      std::string keys(line.substr(at));
      while (!keys.empty() && (keys.back() == ' ' || keys.back() == '\t')) keys.pop_back();
      header.bindings.push_back({std::string(words[2]), keys, 0});
    } else if (Lower(verb, "display")) {
      if (words.size() == 3 && Lower(words[2], "windowed")) {
        header.displayMode = 0;
      } else if (words.size() == 3 && Lower(words[2], "fullscreen")) {
        header.displayMode = 1;
      } else {
        return "expected: 0 display windowed|fullscreen";
      }
    } else {
      return "the frame must be a number from 1";
    }
    return {};
  }
  if (Lower(verb, "key")) {
    if (words.size() != 4) return "expected: <frame> key <NAME> down|up";
    event.kind = ScriptEvent::Kind::kKey;
    event.code = ScanCodeByName(words[2]);
    if (event.code < 0) return "unknown key \"" + std::string(words[2]) + "\"";
    if (!UpDown(words[3], event.down)) return "expected down or up, not \"" + std::string(words[3]) + "\"";
  } else if (Lower(verb, "mouse")) {
    if (words.size() != 4) return "expected: <frame> mouse <x> <y>";
    event.kind = ScriptEvent::Kind::kMouse;
    if (!Number(words[2], event.x) || !Number(words[3], event.y)) return "mouse coordinates must be integers";
  } else if (Lower(verb, "button")) {
    if (words.size() != 4) return "expected: <frame> button left|right down|up";
    event.kind = ScriptEvent::Kind::kButton;
    if (Lower(words[2], "left")) {
      event.code = 1;
    } else if (Lower(words[2], "right")) {
      event.code = 2;
    } else {
      return "unknown button \"" + std::string(words[2]) + "\"";
    }
    if (!UpDown(words[3], event.down)) return "expected down or up, not \"" + std::string(words[3]) + "\"";
  } else if (Lower(verb, "time")) {
    event.kind = ScriptEvent::Kind::kTime;
    if (words.size() != 3 || !Number(words[2], event.time) || !std::isfinite(event.time)) {
      return "expected: <frame> time <SECONDS>";
    }
  } else if (Lower(verb, "pause") || Lower(verb, "resume") || Lower(verb, "restart")) {
    if (words.size() != 2) return "expected: <frame> " + std::string(verb);
    event.kind = Lower(verb, "pause")    ? ScriptEvent::Kind::kPause
                 : Lower(verb, "resume") ? ScriptEvent::Kind::kResume
                                         : ScriptEvent::Kind::kRestart;
  } else if (Lower(verb, "close") || Lower(verb, "end")) {
    if (words.size() != 2) return "expected: <frame> " + std::string(verb);
    event.kind = Lower(verb, "close") ? ScriptEvent::Kind::kClose : ScriptEvent::Kind::kEnd;
  } else {
    return "unknown event \"" + std::string(verb) + "\"";
  }
  return {};
}

// The clock of a recording: one time line a frame, from frame 1 on, never going
// back. Empty when `event` keeps to it.
std::string CheckTime(const ScriptEvent& event, const ScriptEvent* previous, uint64_t restartFrame) {
  const uint64_t expected = previous != nullptr ? previous->frame + 1 : 1;
  if (event.frame != expected) {
    return "time of frame " + std::to_string(event.frame) + " where frame " + std::to_string(expected) +
           " was expected (the recording's frames must follow one another)";
  }
  // A restart starts the clock again.
  if (previous != nullptr && event.time < previous->time && restartFrame != event.frame) {
    return "the time goes backwards";
  }
  return {};
}

}  // namespace

bool ParseInputScript(std::string_view text, std::vector<ScriptEvent>& events, std::string& error,
                      ScriptHeader* header) {
  events.clear();
  ScriptHeader ignored;
  ScriptHeader& head = header != nullptr ? *header : ignored;
  head = ScriptHeader{};
  std::optional<ScriptEvent> lastTime;
  uint64_t restartFrame = 0;
  size_t lineNumber = 0;
  size_t pos = 0;
  auto fail = [&](const std::string& problem) {
    error = "line " + std::to_string(lineNumber) + ": " + problem;
    events.clear();
    return false;
  };
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::vector<std::string_view> words = Words(line);
    if (words.empty() || words[0][0] == '#') continue;
    ScriptEvent event;
    bool isHeader = false;
    const std::string problem = ParseLine(words, line, event, head, isHeader);
    // A recording is written a whole line at a time: a last line without its line
    // end was cut off, whatever it reads like.
    const bool cutOff = lastTime && end == text.size();
    if (cutOff) return fail("the line is cut off: the recording is truncated");
    if (!problem.empty()) return fail(problem);
    if (!head.bindings.empty() && head.bindings.back().line == 0) {
      head.bindings.back().line = static_cast<int>(lineNumber);  // warnings name it
    }
    if (isHeader) continue;
    if (event.kind == ScriptEvent::Kind::kTime) {
      const std::string clock = CheckTime(event, lastTime ? &*lastTime : nullptr, restartFrame);
      if (!clock.empty()) return fail(clock);
      lastTime = event;
    }
    if (event.kind == ScriptEvent::Kind::kRestart) restartFrame = event.frame;
    events.push_back(event);
  }
  return true;
}

ScriptedInput::ScriptedInput(std::vector<ScriptEvent> events) : events_(std::move(events)) {
  std::stable_sort(events_.begin(), events_.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
}

void ScriptedInput::BeginFrame(uint64_t frame, KeyArray& keys, MouseReading& reading, WindowEvent& event) {
  time_.reset();
  marks_ = ShellMarks{};
  for (; next_ < events_.size() && events_[next_].frame <= frame; ++next_) {
    const ScriptEvent& e = events_[next_];
    switch (e.kind) {
      case ScriptEvent::Kind::kKey:
        keys_[static_cast<size_t>(e.code)] = e.down ? 1 : 0;
        break;
      case ScriptEvent::Kind::kMouse:
        cursorX_ = e.x;
        cursorY_ = e.y;
        break;
      case ScriptEvent::Kind::kButton:
        (e.code == 1 ? left_ : right_) = e.down;
        pending_.push_back(e.code == 1 ? (e.down ? WindowEvent::kLeftDown : WindowEvent::kLeftUp)
                                       : (e.down ? WindowEvent::kRightDown : WindowEvent::kRightUp));
        break;
      case ScriptEvent::Kind::kTime:
        if (e.frame == frame) time_ = e.time;
        break;
      case ScriptEvent::Kind::kClose:
        pending_.push_back(WindowEvent::kClose);
        break;
      case ScriptEvent::Kind::kEnd:
        break;
      case ScriptEvent::Kind::kPause:
        marks_.pause = e.frame == frame;
        break;
      case ScriptEvent::Kind::kResume:
        marks_.resume = e.frame == frame;
        break;
      case ScriptEvent::Kind::kRestart:
        marks_.restart = e.frame == frame;
        break;
    }
  }
  keys = keys_;
  // The window reports -1, -1 while the cursor is outside its client area.
  const bool inside = cursorX_ >= 0 && cursorX_ < 1024 && cursorY_ >= 0 && cursorY_ < 768;
  reading.clientX = inside ? cursorX_ : -1;
  reading.clientY = inside ? cursorY_ : -1;
  reading.deviceX = std::clamp(cursorX_, 0, 1023);
  reading.deviceY = std::clamp(cursorY_, 0, 767);
  reading.deviceLeft = left_;
  reading.deviceRight = right_;
  event = WindowEvent::kNone;
  if (!pending_.empty()) {
    event = pending_.front();
    pending_.pop_front();
  }
}

uint64_t ScriptedInput::LastEventFrame() const {
  uint64_t last = 0;
  uint64_t buttonTaken = 0;  // the frame the previous button event was taken in
  for (const ScriptEvent& e : events_) {
    uint64_t effect = e.frame;
    if (e.kind == ScriptEvent::Kind::kButton) {
      effect = std::max(e.frame, buttonTaken + 1);
      buttonTaken = effect;
    }
    last = std::max(last, effect);
  }
  return last;
}

bool ScriptedInput::IsRecording() const {
  return std::any_of(events_.begin(), events_.end(),
                     [](const ScriptEvent& e) { return e.kind == ScriptEvent::Kind::kTime; });
}

uint64_t ScriptedInput::EndFrame() const {
  uint64_t lastTime = 0;
  for (const ScriptEvent& e : events_) {
    if (e.kind == ScriptEvent::Kind::kEnd) return e.frame;
    if (e.kind == ScriptEvent::Kind::kTime) lastTime = std::max(lastTime, e.frame);
  }
  return lastTime;
}

uint64_t HeadlessFrameLimit(const ScriptedInput* script) {
  const uint64_t last = script != nullptr ? script->LastEventFrame() : 0;
  return last > UINT64_MAX - kHeadlessTailFrames ? UINT64_MAX : last + kHeadlessTailFrames;
}
