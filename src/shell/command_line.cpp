#include "shell/command_line.h"

#include <charconv>
#include <string_view>

namespace {

bool ParseCount(std::string_view text, uint64_t& value) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

// Takes the value of an option given as "--name VALUE" or "--name=VALUE".
bool TakeValue(int argc, const char* const* argv, int& i, std::string_view inlineValue, bool hasInline,
               std::string& value) {
  if (hasInline) {
    value = std::string(inlineValue);
    return true;
  }
  if (i + 1 >= argc) return false;
  value = argv[++i];
  return true;
}

}  // namespace

ParseResult ParseCommandLine(int argc, const char* const* argv, Options& options, std::string& error) {
  bool sawWindowed = false;
  bool sawFullscreen = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::string_view name = arg;
    std::string_view inlineValue;
    const size_t eq = arg.find('=');
    const bool hasInline = arg.rfind("--", 0) == 0 && eq != std::string_view::npos;
    if (hasInline) {
      name = arg.substr(0, eq);
      inlineValue = arg.substr(eq + 1);
    }
    auto needValue = [&](std::string& out) {
      if (TakeValue(argc, argv, i, inlineValue, hasInline, out)) return true;
      error = std::string(name) + " needs a value";
      return false;
    };
    auto flagOnly = [&]() {
      if (!hasInline) return true;
      error = std::string(name) + " takes no value";
      return false;
    };
    std::string value;
    if (name == "--help" || name == "-h") return ParseResult::kHelp;
    if (name == "--version") return ParseResult::kVersion;
    if (name == "--map") {
      if (!needValue(options.map)) return ParseResult::kError;
      if (options.map.empty()) {
        error = "--map needs a map name";
        return ParseResult::kError;
      }
    } else if (name == "--windowed") {
      if (!flagOnly()) return ParseResult::kError;
      sawWindowed = true;
      options.displayMode = 0;
    } else if (name == "--fullscreen") {
      if (!flagOnly()) return ParseResult::kError;
      sawFullscreen = true;
      options.displayMode = 1;
    } else if (name == "--data") {
      if (!needValue(options.dataDir)) return ParseResult::kError;
    } else if (name == "--headless") {
      if (!flagOnly()) return ParseResult::kError;
      options.headless = true;
    } else if (name == "--frames" || name == "--seed") {
      uint64_t number = 0;
      if (!needValue(value)) return ParseResult::kError;
      if (!ParseCount(value, number)) {
        error = std::string(name) + " needs a whole number, not \"" + value + "\"";
        return ParseResult::kError;
      }
      (name == "--frames" ? options.frames : options.seed) = number;
    } else if (name == "--input") {
      if (!needValue(options.inputScript)) return ParseResult::kError;
    } else if (name == "--screenshot") {
      if (!needValue(options.screenshot)) return ParseResult::kError;
    } else if (name == "--draw-log") {
      if (!needValue(options.drawLog)) return ParseResult::kError;
    } else if (name == "--state") {
      if (!flagOnly()) return ParseResult::kError;
      options.state = true;
    } else if (name == "--verbose") {
      if (!flagOnly()) return ParseResult::kError;
      options.verbose = true;
    } else {
      error = "unknown option \"" + std::string(arg) + "\"";
      return ParseResult::kError;
    }
  }
  if (sawWindowed && sawFullscreen) {
    error = "--windowed and --fullscreen exclude each other";
    return ParseResult::kError;
  }
  options.displayModeGiven = sawWindowed || sawFullscreen;
  return ParseResult::kRun;
}

std::string UsageText(const std::string& program) {
  return "Usage: " + program + R"( [options]
Plays vexmoor. Without --map the launcher window picks the display mode and the map.

  --map NAME          play Data/Maps/NAME.map without the launcher
  --windowed          a 1024x768 window (the default with --map)
  --fullscreen        full screen at 1024x768
  --data DIR          run from DIR (the folder that holds Data/) instead of the
                      working directory
  --headless          no window: software renderer, fixed 1/60 s clock steps
  --frames N          stop after N frames; without it a headless run stops 60
                      frames after its input script's last event (after 60
                      frames when there is no script)
  --seed N            seed of the random numbers
  --input FILE        scripted input (key, mouse and button events per frame)
  --screenshot FILE   write the last frame as a PNG image
  --draw-log FILE     write the last frame's draw calls, one JSON object a line
  --state             print the final game state as JSON on standard output
  --verbose           report content and image load failures on standard error
  --help              show this text
  --version           show the version
)";
}
