#include "replay/recorder.h"

#include <charconv>

Recorder::~Recorder() {
  if (file_ != nullptr) std::fclose(file_);
}

bool Recorder::Open(const std::string& path, uint64_t seed, const std::string& map, uint8_t displayMode,
                    std::string& error) {
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ == nullptr) {
    error = "cannot write the recording \"" + path + "\"";
    return false;
  }
  path_ = path;
  Line("# vexmoor recording: replay it with --input or --timedemo");
  Line("0 seed " + std::to_string(seed));
  Line("0 map " + map);
  Line(std::string("0 display ") + (displayMode == 1 ? "fullscreen" : "windowed"));
  std::fflush(file_);
  return !failed_;
}

void Recorder::HeaderLine(const std::string& text) {
  Line("0 " + text);
  if (file_ != nullptr && std::fflush(file_) != 0) failed_ = true;
}

void Recorder::Line(const std::string& text) {
  if (file_ == nullptr) return;
  if (std::fputs(text.c_str(), file_) < 0 || std::fputc('\n', file_) == EOF) failed_ = true;
}

void Recorder::Frame(uint64_t frame, float now, const KeyArray& keys, const MouseReading& reading,
                     WindowEvent event, uint8_t displayMode) {
  if (file_ == nullptr) return;
  const std::string at = std::to_string(frame) + " ";
  Line(at + "time " + TimeText(now));
  for (int code = 0; code < 256; ++code) {
    const size_t i = static_cast<size_t>(code);
    if ((keys[i] != 0) == (keys_[i] != 0)) continue;  // the name is looked up only for a change
    const char* name = KeyNameOf(code);
    if (name == nullptr) continue;
    Line(at + "key " + name + (keys[i] != 0 ? " down" : " up"));
    keys_[i] = keys[i];
  }
  const bool device = displayMode == 1;
  const int x = device ? reading.deviceX : reading.clientX;
  const int y = device ? reading.deviceY : reading.clientY;
  if (x != cursorX_ || y != cursorY_) {
    Line(at + "mouse " + std::to_string(x) + " " + std::to_string(y));
    cursorX_ = x;
    cursorY_ = y;
  }
  if (device) {
    if (reading.deviceLeft != left_) Line(at + "button left " + (reading.deviceLeft ? "down" : "up"));
    if (reading.deviceRight != right_) Line(at + "button right " + (reading.deviceRight ? "down" : "up"));
    left_ = reading.deviceLeft;
    right_ = reading.deviceRight;
  } else {
    switch (event) {
      case WindowEvent::kLeftDown: Line(at + "button left down"); break;
      case WindowEvent::kLeftUp: Line(at + "button left up"); break;
      case WindowEvent::kRightDown: Line(at + "button right down"); break;
      case WindowEvent::kRightUp: Line(at + "button right up"); break;
      case WindowEvent::kClose: Line(at + "close"); break;
      default: break;
    }
  }
  if (std::fflush(file_) != 0) failed_ = true;
}

void Recorder::Mark(uint64_t frame, const char* what) {
  if (file_ == nullptr) return;
  Line(std::to_string(frame) + " " + what);
}

bool Recorder::End(uint64_t frame) {
  if (file_ == nullptr) return !failed_;
  Line(std::to_string(frame) + " end");
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  return !failed_;
}

std::string TimeText(float seconds) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, seconds);
  return std::string(text, result.ptr);
}
