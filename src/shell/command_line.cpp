#include "shell/command_line.h"

#include <CLI/App.hpp>
#include <CLI/Config.hpp>
#include <CLI/Formatter.hpp>
#include <charconv>
#include <memory>
#include <sstream>

#include "render/frame_fit.h"
#include "render/software_renderer.h"

namespace {

constexpr size_t kHelpColumn = 22;  // descriptions start here
constexpr size_t kHelpWidth = 80;

bool ParseWhole(const std::string& text, uint64_t& value) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end;
}

// A whole number 0 .. 2^64 - 1 written in plain decimal digits (no sign, no
// spaces), stored into an optional.
CLI::Option* AddCount(CLI::App& app, const std::string& name, std::optional<uint64_t>& target,
                      const std::string& description) {
  return app
      .add_option_function<std::string>(
          name,
          [&target, name](const std::string& text) {
            uint64_t value = 0;
            if (!ParseWhole(text, value)) {
              throw CLI::ValidationError(name, "needs a whole number, not \"" + text + "\"");
            }
            target = value;
          },
          description)
      ->option_text("N");
}

CLI::Option* AddText(CLI::App& app, const std::string& name, std::string& target, const std::string& placeholder,
                     const std::string& description) {
  return app
      .add_option_function<std::string>(
          name,
          [&target, name](const std::string& text) {
            if (text.empty()) throw CLI::ValidationError(name, "needs a value that is not empty");
            target = text;
          },
          description)
      ->option_text(placeholder);
}

// Every option of both programs, bound to `options`. The version flag only changes
// what main prints.
void Describe(CLI::App& app, Options& options, bool& version) {
  app.option_defaults()->disable_flag_override();
  app.set_help_flag("-h,--help", "show this text");
  app.add_flag("--version", version, "show the version");
  AddText(app, "--map", options.map, "NAME", "play Data/Maps/NAME.map without the launcher");
  auto* windowed = app.add_flag("--windowed")->description("a 1024x768 window (the default with --map)");
  auto* fullscreen = app.add_flag("--fullscreen")->description("full screen at 1024x768");
  windowed->excludes(fullscreen);
  AddText(app, "--data", options.dataDir, "DIR",
          "run from DIR (the folder that holds Data/) instead of the working directory");
  app.add_flag("--headless", options.headless, "no window: software renderer, fixed 1/60 s clock steps");
  AddCount(app, "--frames", options.frames,
           "stop after N frames; without it a headless run stops 60 frames after its input script's last "
           "event (after 60 frames when there is no script)");
  AddCount(app, "--seed", options.seed, "seed of the random numbers");
  AddText(app, "--input", options.inputScript, "FILE", "scripted input (key, mouse and button events per frame)");
  AddText(app, "--screenshot", options.screenshot, "FILE", "write the last frame as a PNG image");
  AddText(app, "--draw-log", options.drawLog, "FILE", "write the last frame's draw calls, one JSON object a line");
  AddText(app, "--sound-log", options.soundLog, "FILE",
          "write every sound started in the run (frame, name, pan, volume), one JSON object a line");
  app.add_flag("--mute", options.mute, "start with the sound off (M turns it on and off)");
  app.add_flag("--no-results", options.noResults, "no results panel when a map is cleared or the player is down");
  AddText(app, "--record", options.record, "FILE",
          "write this session (input, clock, seed) as a recording that --input replays exactly, and its final "
          "state as FILE.state.json");
  AddText(app, "--timedemo", options.timedemo, "FILE",
          "replay a recording as fast as possible and print frame-time percentiles");
  app.add_flag("--state", options.state, "print the final game state as JSON on standard output");
  app.add_flag("--verbose", options.verbose, "report content and image load failures on standard error");
  app.add_option("--scale", options.scale, "open the window at N times 1024x768 (default: the largest that fits)")
      ->option_text("N")->check(CLI::Range(1, kMaxWindowScale));
  app.add_flag("--integer-scale", options.integerScale, "scale the frame in the window by whole multiples only");
  app.add_option("--threads", options.threads, "draw with N threads in the software renderer (default: the "
                 "number of cores; 1 draws on the game's own thread)")
      ->option_text("N")->check(CLI::Range(1, kMaxRenderThreads));
  app.add_flag("--no-gamepad", options.noGamepad, "ignore game controllers");
  app.add_option("--pad-deadzone", options.padDeadzone,
                 "a controller stick acts beyond F of its full travel (default 0.25)")
      ->option_text("F")->check(CLI::Range(0.0f, 0.95f));
  app.add_option("--pad-aim-radius", options.padAimRadius,
                 "the right stick puts the cursor PX pixels from the soldier's centre (default 200)")
      ->option_text("PX")->check(CLI::Range(16.0f, 1000.0f));
  AddText(app, "--config", options.configDir, "DIR",
          "read and write the settings (settings.ini) in DIR instead of $XDG_CONFIG_HOME/vexmoor");
  app.add_flag("--keys", options.keys, "print the key bindings in the settings file's form and stop");
  app.add_option("--renderer", options.renderer, "draw with the accelerated OpenGL renderer (gl), our software "
                 "renderer (soft), or (auto, the default) ours where OpenGL runs on the CPU")
      ->option_text("gl|soft|auto")->check(CLI::IsMember({"gl", "soft", "auto"}));
  AddText(app, "--plot", options.plot, "OUT.png", "with --timedemo: draw the frame times as a PNG picture");
  AddText(app, "--edit", options.edit, "FILE", "edit the map source FILE.vxmap (made when missing) in the map editor");
  AddText(app, "--size", options.editSize, "CxR", "a new map's columns and rows (default 40x30)");
  AddText(app, "--edit-commands", options.editCommands, "FILE",
          "run the editor commands of FILE on the map before the editor starts");
}

std::unique_ptr<CLI::App> MakeApp(const std::string& program, Options& options, bool& version) {
  auto app = std::make_unique<CLI::App>(
      "Plays vexmoor. Without --map the launcher window picks the display mode and the map.", program);
  Describe(*app, options, version);
  return app;
}

// "  --name TEXT" and the description wrapped at 80 columns from column 22.
std::string HelpLine(const CLI::Option& option) {
  std::string out = "  " + option.get_name(false, true);
  if (!option.get_option_text().empty()) out += " " + option.get_option_text();
  size_t column = out.size();
  if (column + 1 >= kHelpColumn) {  // no room: the description starts on the next line
    out += "\n";
    column = 0;
  }
  out.append(kHelpColumn - column, ' ');
  column = kHelpColumn;
  bool lineStart = true;
  std::istringstream words(option.get_description());
  for (std::string word; words >> word;) {
    if (!lineStart && column + 1 + word.size() > kHelpWidth) {
      out += "\n" + std::string(kHelpColumn, ' ');
      column = kHelpColumn;
      lineStart = true;
    }
    if (!lineStart) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    lineStart = false;
  }
  return out + "\n";
}

}  // namespace

ParseResult ParseCommandLine(int argc, const char* const* argv, Options& options, std::string& error) {
  bool version = false;
  auto app = MakeApp(argc > 0 ? argv[0] : "vexmoor", options, version);
  try {
    app->parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return ParseResult::kHelp;
  } catch (const CLI::ParseError& e) {
    error = e.what();
    return ParseResult::kError;
  }
  if (version) return ParseResult::kVersion;
  const size_t full = app->count("--fullscreen");
  options.displayMode = full != 0 ? 1 : 0;
  options.displayModeGiven = full != 0 || app->count("--windowed") != 0;
  options.padDeadzoneGiven = app->count("--pad-deadzone") != 0;
  options.padAimRadiusGiven = app->count("--pad-aim-radius") != 0;
  return ParseResult::kRun;
}

std::string UsageText(const std::string& program) {
  Options options;
  bool version = false;
  auto app = MakeApp(program, options, version);
  std::string text = "Usage: " + program + " [options]\n" + app->get_description() + "\n\n";
  for (const CLI::Option* option : app->get_options()) {
    if (option->get_name() != "--help") text += HelpLine(*option);
  }
  return text + HelpLine(*app->get_help_ptr());
}
