// vexmoor and vexmoor-soft: the same program on two renderer back-ends.
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>

#include "services/files.h"
#include "services/presenter.h"
#include "services/sdl_renderer.h"
#include "services/software_renderer.h"
#include "services/tee_renderer.h"
#include "services/window.h"
#include "shell/command_line.h"
#include "shell/data_directory.h"
#include "shell/draw_log.h"
#include "shell/frame.h"
#include "shell/game.h"
#include "shell/input_script.h"
#include "shell/launcher.h"
#include "shell/startup.h"
#include "shell/state_json.h"

namespace {

#ifdef VEXMOOR_SOFTWARE_BUILD
constexpr bool kSoftwareBuild = true;
#else
constexpr bool kSoftwareBuild = false;
#endif

const char* kProgram = kSoftwareBuild ? "vexmoor-soft" : "vexmoor";

int UsageError(const std::string& text) {
  std::fprintf(stderr, "%s: %s\n%s", kProgram, text.c_str(), UsageText(kProgram).c_str());
  return 2;
}

bool MapExists(const std::string& name) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(HostPath("Data\\Maps\\" + name + ".map"), ignored);
}

// The screen: the software renderer alone (headless), or a window with the chosen
// back-end. The accelerated build falls back to the software renderer when the
// display offers no accelerated OpenGL.
struct Screen {
  GameWindow window;
  FramePresenter presenter;
  std::unique_ptr<Renderer> renderer;
  bool windowOpen = false;
};

bool OpenScreen(Screen& screen, const Options& options, int displayMode, std::string& error) {
  if (options.headless) {
    screen.renderer = std::make_unique<SoftwareRenderer>();
    return true;
  }
  const bool fullscreen = displayMode == 1;
  if (!kSoftwareBuild) {
    if (screen.window.Open(kGameTitle, fullscreen, true)) {
      auto hardware = std::make_unique<SdlRenderer>(screen.window.handle());
      if (hardware->ok()) {
        screen.renderer = std::move(hardware);
        screen.windowOpen = true;
        return true;
      }
      std::fprintf(stderr, "%s: no accelerated renderer (%s); drawing in software\n", kProgram,
                   hardware->error().c_str());
      hardware.reset();
      screen.window.Close();
    }
  }
  if (!screen.window.Open(kGameTitle, fullscreen, false)) {
    error = "cannot open the game window: " + screen.window.error();
    return false;
  }
  screen.windowOpen = true;
  auto software = std::make_unique<SoftwareRenderer>();
  if (screen.presenter.Attach(screen.window.handle())) software->SetPresenter(&screen.presenter);
  screen.renderer = std::move(software);
  return true;
}

bool LoadScript(const std::string& path, std::unique_ptr<ScriptedInput>& script, std::string& error) {
  std::string text;
  if (!ReadWholeFile(path, text)) {
    error = "cannot read the input script \"" + path + "\"";
    return false;
  }
  std::vector<ScriptEvent> events;
  if (!ParseInputScript(text, events, error)) {
    error = "input script \"" + path + "\", " + error;
    return false;
  }
  script = std::make_unique<ScriptedInput>(std::move(events));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string error;
  switch (ParseCommandLine(argc, argv, options, error)) {
    case ParseResult::kHelp: std::cout << UsageText(kProgram); return 0;
    case ParseResult::kVersion: std::cout << kProgram << " 0.1\n"; return 0;
    case ParseResult::kError: return UsageError(error);
    case ParseResult::kRun: break;
  }
  // The script is read before the working directory changes, so relative paths
  // name files where the program was started.
  std::unique_ptr<ScriptedInput> script;
  if (!options.inputScript.empty() && !LoadScript(options.inputScript, script, error)) return UsageError(error);
  if (!options.screenshot.empty()) options.screenshot = std::filesystem::absolute(options.screenshot).string();
  if (!options.drawLog.empty()) options.drawLog = std::filesystem::absolute(options.drawLog).string();
  if (!ChooseDataDirectory(options.dataDir, error)) return UsageError(error);
  if (options.headless && options.map.empty()) return UsageError("--headless needs --map NAME");

  auto game = std::make_unique<Game>();
  if (options.map.empty()) {
    if (!RunLauncher(*game, kSoftwareBuild, error)) {
      if (error.empty()) return 0;
      std::fprintf(stderr, "%s: %s\n", kProgram, error.c_str());
      return 1;
    }
  } else {
    if (!MapExists(options.map)) {
      std::fprintf(stderr, "%s: there is no map \"%s\" (Data/Maps/%s.map does not exist)\n", kProgram,
                   options.map.c_str(), options.map.c_str());
      return 1;
    }
    game->mapName = options.map;
    game->displayMode = static_cast<uint8_t>(options.displayMode);
  }

  Screen screen;
  if (!OpenScreen(screen, options, game->displayMode, error)) {
    std::fprintf(stderr, "%s: %s\n", kProgram, error.c_str());
    return 1;
  }
  // The draw log records beside the real back-end, and only when it is asked for.
  std::unique_ptr<TeeRenderer> tee;
  if (!options.drawLog.empty()) tee = std::make_unique<TeeRenderer>(*screen.renderer);
  Renderer& renderer = tee ? static_cast<Renderer&>(*tee) : *screen.renderer;
  SpriteStore sprites(renderer);
  Clock clock = options.headless ? Clock::Fixed() : Clock::Real();
  Rng rng(options.seed.value_or(options.headless ? 1 : static_cast<uint64_t>(std::time(nullptr))));
  Runtime runtime{renderer, sprites, clock, rng};
  runtime.window = screen.windowOpen ? &screen.window : nullptr;
  runtime.script = script.get();
  runtime.headless = options.headless;
  runtime.verbose = options.verbose;
  runtime.programName = kProgram;
  runtime.frames = options.frames;
  if (options.headless && !runtime.frames) runtime.frames = HeadlessFrameLimit(script.get());
  runtime.screenshotPath = options.screenshot;

  if (!StartUp(*game, runtime)) {
    std::fprintf(stderr, "%s: cannot play the map \"%s\": %s\n", kProgram, game->mapName.c_str(),
                 game->mapError.c_str());
    return 1;
  }
  RunGame(*game, runtime);
  if (options.state) std::cout << StateJson(*game) << std::flush;
  int status = 0;
  if (!runtime.screenshotError.empty()) {
    std::fprintf(stderr, "%s: %s\n", kProgram, runtime.screenshotError.c_str());
    status = 1;
  }
  if (tee && !WriteDrawLog(options.drawLog, *tee)) {
    std::fprintf(stderr, "%s: cannot write the draw log \"%s\"\n", kProgram, options.drawLog.c_str());
    status = 1;
  }
  return status;
}
