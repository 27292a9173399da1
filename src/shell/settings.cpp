#include "shell/settings.h"

#include <ini.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "render/frame_fit.h"

namespace {

constexpr size_t kMaxExtra = 256;
constexpr float kMaxDeadzone = 0.95f;
constexpr float kMaxAimRadius = 1000.0f;
const char* const kFileName = "settings.ini";

// The text handed to the INI reader a line at a time, counting the lines so that
// warnings can name them.
struct LineReader {
  const std::string* text = nullptr;
  size_t pos = 0;
  int line = 0;
};

char* ReadLine(char* out, int size, void* stream) {
  auto& reader = *static_cast<LineReader*>(stream);
  const std::string& text = *reader.text;
  if (reader.pos >= text.size() || size < 2) return nullptr;
  size_t end = text.find('\n', reader.pos);
  end = end == std::string::npos ? text.size() : end + 1;
  const size_t length = std::min(end - reader.pos, static_cast<size_t>(size - 1));
  std::memcpy(out, text.data() + reader.pos, length);
  out[length] = '\0';
  reader.pos += length;
  ++reader.line;
  return out;
}

bool ParseFlag(std::string_view text, bool& value) {
  for (const char* yes : {"true", "yes", "on", "1"}) {
    if (strcasecmp(std::string(text).c_str(), yes) == 0) return value = true, true;
  }
  for (const char* no : {"false", "no", "off", "0"}) {
    if (strcasecmp(std::string(text).c_str(), no) == 0) return value = false, true;
  }
  return false;
}

template <typename T>
bool ParseNumber(std::string_view text, T& value, T low, T high) {
  T parsed{};
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, parsed);
  if (text.empty() || result.ec != std::errc() || result.ptr != end) return false;
  if constexpr (std::is_floating_point_v<T>) {
    if (!std::isfinite(parsed)) return false;
  }
  if (parsed < low || parsed > high) return false;
  value = parsed;
  return true;
}

template <typename T>
std::string NumberText(T value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

struct ParseState {
  Settings* settings = nullptr;
  LineReader reader;
  std::vector<std::string>* warnings = nullptr;
};

void Warn(ParseState& state, const std::string& section, const std::string& name, const std::string& value,
          const std::string& problem) {
  state.warnings->push_back(std::string(kFileName) + " line " + std::to_string(state.reader.line) + ": \"" + name +
                            " = " + value + "\" in [" + section + "] " + problem);
}

// A known entry of [window], [sound] or [pad]: true when the name is known (a bad
// value is warned about and the default kept).
bool KnownValue(ParseState& state, const std::string& section, const std::string& name, const std::string& value) {
  Settings& s = *state.settings;
  bool ok = true;
  if (section == "window" && name == "scale") {
    ok = ParseNumber(value, s.scale, 0, kMaxWindowScale);
  } else if (section == "window" && name == "integer_scale") {
    ok = ParseFlag(value, s.integerScale);
  } else if (section == "window" && name == "confine_cursor") {
    ok = ParseFlag(value, s.confineCursor);
  } else if (section == "sound" && name == "mute") {
    ok = ParseFlag(value, s.mute);
  } else if (section == "sound" && name == "volume") {
    ok = ParseNumber(value, s.volume, 0, kMaxVolume);
  } else if (section == "pad" && name == "deadzone") {
    ok = ParseNumber(value, s.padDeadzone, 0.0f, kMaxDeadzone);
  } else if (section == "pad" && name == "aim_radius") {
    ok = ParseNumber(value, s.padAimRadius, 1.0f, kMaxAimRadius);
  } else {
    return false;
  }
  if (!ok) Warn(state, section, name, value, "is not a value it can take; the default stays");
  return true;
}

int OnEntry(void* user, const char* sectionText, const char* nameText, const char* valueText) {
  auto& state = *static_cast<ParseState*>(user);
  Settings& s = *state.settings;
  const std::string section = sectionText, name = nameText, value = valueText;
  if (section == "keys") {
    s.bindingEntries.push_back({name, value, state.reader.line});
    return 1;
  }
  if (section == "best_times") {
    float seconds = 0.0f;
    if (StorableMapName(name) && ParseNumber(value, seconds, 0.0f, 1e9f) && seconds > 0.0f) {
      s.bestTimes[name] = seconds;
    } else {
      Warn(state, section, name, value, "is not a map name and a time in seconds; it is left out");
    }
    return 1;
  }
  if (KnownValue(state, section, name, value)) return 1;
  if (section.empty()) {
    Warn(state, section, name, value, "comes before any [section]; it is left out");
    return 1;
  }
  if (s.extra.size() < kMaxExtra) s.extra.push_back({section, name, value});
  return 1;
}

}  // namespace

std::string SettingsFolder(const std::string& configDir) {
  if (!configDir.empty()) return configDir;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') return std::string(xdg) + "/vexmoor";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') return std::string(home) + "/.config/vexmoor";
  return {};
}

bool ParseSettings(const std::string& text, Settings& settings, std::string& problem,
                   std::vector<std::string>& warnings) {
  settings = Settings{};
  if (text.size() > kMaxSettingsFileSize) {
    problem = "it is larger than " + std::to_string(kMaxSettingsFileSize / 1024) + " KiB";
    return false;
  }
  if (text.find('\0') != std::string::npos) {
    problem = "it is not text";
    return false;
  }
  int line = 1;
  size_t start = 0;
  for (size_t end = text.find('\n'); start < text.size(); end = text.find('\n', start), ++line) {
    if (end == std::string::npos) end = text.size();
    if (end - start >= INI_MAX_LINE - 1) {
      problem = "line " + std::to_string(line) + " is longer than " + std::to_string(INI_MAX_LINE - 2) + " characters";
      return false;
    }
    start = end + 1;
  }
  ParseState state;
  state.settings = &settings;
  state.reader.text = &text;
  std::vector<std::string> entryWarnings;
  state.warnings = &entryWarnings;
  // The handler reads the line count of the reader it shares the state with.
  const int bad = ini_parse_stream(ReadLine, &state.reader, OnEntry, &state);
  if (bad != 0) {
    settings = Settings{};
    problem = bad < 0 ? std::string("it cannot be read")
                      : "line " + std::to_string(bad) + " is neither a [section] nor a name = value";
    return false;
  }
  settings.bindings = ResolveBindings(settings.bindingEntries, entryWarnings, kFileName);
  warnings.insert(warnings.end(), entryWarnings.begin(), entryWarnings.end());
  return true;
}

std::string SettingsText(const Settings& s) {
  auto flag = [](bool on) { return std::string(on ? "true" : "false"); };
  auto extras = [&s](const std::string& section) {
    std::string text;
    for (const ExtraSetting& e : s.extra) {
      if (e.section == section) text += e.name + " = " + e.value + "\n";
    }
    return text;
  };
  std::string text = "# vexmoor settings, written by the game when a setting changes and at exit.\n";
  text += "\n[window]\nscale = " + std::to_string(s.scale) + "\ninteger_scale = " + flag(s.integerScale) +
          "\nconfine_cursor = " + flag(s.confineCursor) + "\n" + extras("window");
  text += "\n[sound]\nmute = " + flag(s.mute) + "\nvolume = " + std::to_string(s.volume) + "\n" + extras("sound");
  text += "\n[pad]\ndeadzone = " + NumberText(s.padDeadzone) + "\naim_radius = " + NumberText(s.padAimRadius) +
          "\n" + extras("pad");
  text += "\n[keys]\n" + BindingsText(s.bindings) + extras("keys");
  text += "\n[best_times]\n";
  for (const auto& [map, seconds] : s.bestTimes) text += map + " = " + NumberText(seconds) + "\n";
  text += extras("best_times");
  std::string section;
  for (const ExtraSetting& e : s.extra) {
    if (e.section == "window" || e.section == "sound" || e.section == "pad" || e.section == "keys" ||
        e.section == "best_times") {
      continue;
    }
    if (e.section != section) text += "\n[" + e.section + "]\n";
    section = e.section;
    text += e.name + " = " + e.value + "\n";
  }
  return text;
}

bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& error) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) {
    error = "cannot write \"" + path + "\": " + std::strerror(errno);
    return false;
  }
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t n = write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<size_t>(n);
  }
  const bool ok = written == text.size() && fsync(fd) == 0;
  const int savedErrno = errno;
  if (close(fd) != 0 || !ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
    error = "cannot write \"" + path + "\": " + std::strerror(ok ? errno : savedErrno);
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

bool StorableMapName(const std::string& name) {
  if (name.empty() || name.size() > 100 || name.front() == ' ' || name.back() == ' ') return false;
  for (char c : name) {
    if (c == '=' || c == ':' || c == ';' || c == '#' || c == '[' || c == ']' || c == '\n' || c == '\r' ||
        c == '\t') {
      return false;
    }
  }
  return true;
}
