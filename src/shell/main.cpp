// vexmoor and vexmoor-soft: the same program on two renderer back-ends.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>

#include "base/files.h"
#include "platform/gamepad.h"
#include "platform/presenter.h"
#include "platform/renderer_probe.h"
#include "platform/sdl_renderer.h"
#include "platform/text_pen.h"
#include "render/software_renderer.h"
#include "render/tee_renderer.h"
#include "platform/window.h"
#include "shell/command_line.h"
#include "shell/data_directory.h"
#include "shell/draw_log.h"
#include "shell/edit_mode.h"
#include "shell/frame.h"
#include "shell/game.h"
#include "replay/input_script.h"
#include "shell/key_bindings.h"
#include "shell/launcher.h"
#include "player/pad_controls.h"
#include "shell/preferences.h"
#include "replay/recorder.h"
#include "shell/sound_stage.h"
#include "shell/startup.h"
#include "shell/state_json.h"
#include "replay/timedemo.h"
#include "replay/frame_plot.h"

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
  return std::filesystem::is_regular_file(HostPath(MapBasePath(name) + ".map"), ignored);
}

// The screen: the software renderer alone (headless), or a window with the chosen
// back-end. --renderer picks it: gl, the accelerated renderer; soft, ours; auto
// (the default), the accelerated one where a GPU stands behind it and ours where it would run
// OpenGL on the CPU (ours is several times faster there). vexmoor-soft draws with
// ours unless told gl. Either program falls back to ours when the display offers
// no accelerated OpenGL.
struct Screen {
  GameWindow window;
  FramePresenter presenter;
  std::unique_ptr<Renderer> renderer;
  bool windowOpen = false;
  const char* backend = "software";  // named in the timedemo report
};

void Say(const Options& options, const std::string& text) {
  if (options.verbose) std::fprintf(stderr, "%s: %s\n", kProgram, text.c_str());
}

// the accelerated renderer on an OpenGL window. False, the window left open, when
// our renderer is to draw instead (`emulated` when it would run on the CPU).
bool OpenAccelerated(Screen& screen, const Options& options, bool& emulated) {
  auto hardware = std::make_unique<SdlRenderer>(screen.window.handle(), screen.window.integerScale());
  if (!hardware->ok()) {
    std::fprintf(stderr, "%s: no accelerated renderer (%s); drawing in software\n", kProgram,
                 hardware->error().c_str());
    return false;
  }
  const RendererProbe probe = ProbeRenderer(hardware->handle());
  if (probe.emulated && options.renderer == "auto") {
    Say(options, "the accelerated renderer (" + probe.description +
                     ") runs OpenGL on the CPU: drawing with the software renderer instead");
    emulated = true;
    return false;
  }
  Say(options, "drawing with the accelerated renderer (" + probe.description + ")");
  screen.renderer = std::move(hardware);
  screen.windowOpen = true;
  screen.backend = SdlRenderer::kBackendName;
  return true;
}

bool OpenScreen(Screen& screen, const Options& options, int displayMode, std::string& error) {
  if (options.headless) {
    auto software = std::make_unique<SoftwareRenderer>(RenderThreads(options.threads));
    software->SetTextSource(RenderTextImage);
    screen.renderer = std::move(software);
    return true;
  }
  const bool fullscreen = displayMode == 1;
  const WindowScaling scaling{options.scale, options.integerScale};
  const bool wantAccelerated = options.renderer == "gl" || (!kSoftwareBuild && options.renderer == "auto");
  bool emulated = false;
  if (wantAccelerated && screen.window.Open(kGameTitle, fullscreen, true, scaling)) {
    if (OpenAccelerated(screen, options, emulated)) return true;
    if (!emulated) screen.window.Close();
  }
  // The presenter shows the finished frames through the platform's own renderer,
  // OpenGL where the machine has it: the window is made for OpenGL from the start, as
  // the platform would otherwise destroy and remake it (a new window, under another
  // id) when the presenter attaches. Where OpenGL is missing, or has just failed the accelerated
  // build, it is a plain window.
  const bool openglWindow =
      screen.window.handle() != nullptr || screen.window.Open(kGameTitle, fullscreen, true, scaling);
  if (!openglWindow && !screen.window.Open(kGameTitle, fullscreen, false, scaling)) {
    error = "cannot open the game window: " + screen.window.error();
    return false;
  }
  screen.windowOpen = true;
  const int threads = RenderThreads(options.threads);
  auto software = std::make_unique<SoftwareRenderer>(threads);
  software->SetTextSource(RenderTextImage);
  // Without a GPU the frames go through the window's own memory, drawn in place.
  const PresentPath path = emulated || !openglWindow ? PresentPath::kSurface : PresentPath::kAuto;
  FramePresenter* presenter = &screen.presenter;
  if (presenter->Attach(screen.window.handle(), screen.window.integerScale(), path, threads)) {
    software->SetFrameSink([presenter](const uint32_t* pixels, int pitch) { presenter->Show(pixels, pitch); });
    if (presenter->surfacePath()) {
      software->SetFramePlace([presenter](uint32_t*& pixels, int& pitch) { return presenter->FramePlace(pixels, pitch); });
      screen.backend = "software, window surface";
    } else {
      screen.backend = "software, texture";
    }
    Say(options, std::string("drawing with the software renderer on ") + std::to_string(threads) +
                     " thread(s), presenting through the " +
                     (presenter->surfacePath() ? "window surface" : "the accelerated renderer's texture") +
                     (presenter->reason().empty() ? "" : " (the accelerated renderer: " + presenter->reason() + ")"));
  }
  screen.renderer = std::move(software);
  return true;
}

bool LoadScript(const std::string& path, std::unique_ptr<ScriptedInput>& script, ScriptHeader& header,
                std::string& error) {
  std::string text;
  if (!ReadWholeFile(path, text)) {
    error = "cannot read the input script \"" + path + "\"";
    return false;
  }
  std::vector<ScriptEvent> events;
  if (!ParseInputScript(text, events, error, &header)) {
    error = "input script \"" + path + "\", " + error;
    return false;
  }
  script = std::make_unique<ScriptedInput>(std::move(events));
  return true;
}

// A recording sets the seed, the map and the display mode of its replay; an
// option that says otherwise is a usage error.
bool ApplyRecordingHeader(const ScriptHeader& header, Options& options, std::string& error) {
  if (header.seed) {
    if (options.seed && *options.seed != *header.seed) {
      error = "the recording was made with seed " + std::to_string(*header.seed) + ", not --seed " +
              std::to_string(*options.seed);
      return false;
    }
    options.seed = header.seed;
  }
  if (!header.map.empty()) {
    if (!options.map.empty() && options.map != header.map) {
      error = "the recording plays the map \"" + header.map + "\", not \"" + options.map + "\"";
      return false;
    }
    options.map = header.map;
  }
  if (header.displayMode) {
    if (options.displayModeGiven && options.displayMode != *header.displayMode) {
      error = std::string("the recording was made ") + (*header.displayMode == 1 ? "full screen" : "windowed");
      return false;
    }
    options.displayMode = *header.displayMode;
  }
  return true;
}

// After the session: the recording's end line and the final state beside it.
int FinishRecording(Recorder& recorder, const Game& game) {
  const bool stateOk = WriteWholeFile(recorder.path() + ".state.json", StateJson(game));
  if (!recorder.End(game.frame) || !stateOk) {
    std::fprintf(stderr, "%s: cannot write the recording \"%s\" or its state\n", kProgram, recorder.path().c_str());
    return 1;
  }
  return 0;
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
  if (!options.timedemo.empty()) {
    if (!options.inputScript.empty()) return UsageError("--timedemo replays its own file; give no --input");
    options.inputScript = options.timedemo;
  }
  std::unique_ptr<ScriptedInput> script;
  ScriptHeader header;
  if (!options.inputScript.empty() && !LoadScript(options.inputScript, script, header, error)) return UsageError(error);
  if (!ApplyRecordingHeader(header, options, error)) return UsageError(error);
  // The settings, read before the working directory changes; the command line holds over them.
  if (!options.configDir.empty()) options.configDir = std::filesystem::absolute(options.configDir).string();
  Preferences prefs;
  StartPreferences(prefs, options, header, script && script->EndFrame() > 0, kProgram);
  if (options.keys) {
    std::cout << BindingsText(prefs.bindings);
    return 0;
  }
  if (!options.record.empty()) options.record = std::filesystem::absolute(options.record).string();
  // A timedemo runs as fast as it can: no pause for the display's refresh.
  if (!options.timedemo.empty()) PresentWithoutVsync();
  if (!options.screenshot.empty()) options.screenshot = std::filesystem::absolute(options.screenshot).string();
  if (!options.plot.empty() && options.timedemo.empty()) return UsageError("--plot draws the frame times of a --timedemo");
  if (!options.plot.empty()) options.plot = std::filesystem::absolute(options.plot).string();
  if (!options.edit.empty()) options.edit = std::filesystem::absolute(options.edit).string();
  if (!options.editCommands.empty()) options.editCommands = std::filesystem::absolute(options.editCommands).string();
  if (!options.drawLog.empty()) options.drawLog = std::filesystem::absolute(options.drawLog).string();
  if (!options.soundLog.empty()) options.soundLog = std::filesystem::absolute(options.soundLog).string();
  if (!ChooseDataDirectory(options.dataDir, error)) return UsageError(error);
  if (options.headless && options.map.empty() && options.edit.empty()) return UsageError("--headless needs --map NAME");

  auto game = std::make_unique<Game>();
  if (!options.edit.empty()) {
    // The editor: no launcher, no map to find.
  } else if (options.map.empty()) {
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
  Renderer& drawn = tee ? static_cast<Renderer&>(*tee) : *screen.renderer;
  // The timedemo times the calls into the back-end, and only when it is asked for.
  std::unique_ptr<TimingRenderer> timing;
  std::vector<FrameTiming> frameTimes;
  if (!options.timedemo.empty()) timing = std::make_unique<TimingRenderer>(drawn);
  Renderer& renderer = timing ? static_cast<Renderer&>(*timing) : drawn;
  SpriteStore sprites(renderer);
  Clock clock = options.headless ? Clock::Fixed() : Clock::Real();
  const uint64_t seed = options.seed.value_or(options.headless ? 1 : static_cast<uint64_t>(std::time(nullptr)));
  Rng rng(seed);
  Runtime runtime{renderer, sprites, clock, rng};
  runtime.window = screen.windowOpen ? &screen.window : nullptr;
  runtime.script = script.get();
  runtime.headless = options.headless;
  runtime.verbose = options.verbose;
  runtime.programName = kProgram;
  runtime.frames = options.frames;
  if (!runtime.frames && script && script->EndFrame() > 0) runtime.frames = script->EndFrame();
  if (options.headless && !runtime.frames) runtime.frames = HeadlessFrameLimit(script.get());
  runtime.timing = timing.get();
  runtime.frameTimes = &frameTimes;
  runtime.noSleep = timing != nullptr;
  // The game moves a fixed step each frame, so a window is held to 60 frames a
  // second on any display; headless runs step their clock, the timedemo runs free.
  FramePacer pacer;
  if (!options.headless && !timing) runtime.pacer = &pacer;
  runtime.screenshotPath = options.screenshot;
  runtime.seed = seed;
  runtime.showResults = !options.noResults;
  BestTimes bestTimes;  // the settings file's, kept there when one is beaten
  bestTimes.seconds = prefs.saved.bestTimes;
  runtime.bestTimes = &bestTimes;

  if (!options.edit.empty()) return RunEditMode(options, *game, runtime);
  if (!StartUp(*game, runtime)) {
    std::fprintf(stderr, "%s: cannot play the map \"%s\": %s\n", kProgram, game->mapName.c_str(),
                 game->mapError.c_str());
    return 1;
  }
  std::unique_ptr<Recorder> recorder;
  if (!options.record.empty()) {
    recorder = std::make_unique<Recorder>();
    if (!recorder->Open(options.record, seed, game->mapName, game->displayMode, error)) {
      std::fprintf(stderr, "%s: %s\n", kProgram, error.c_str());
      return 1;
    }
    runtime.recorder = recorder.get();
    RecordBindings(*recorder, prefs.bindings);
  }
  // Sound: the device (not when headless), the sounds and the sound log.
  SoundPlayer soundPlayer;
  SoundStage sound;
  if (!OpenSoundStage(sound, soundPlayer, options, kProgram, error)) {
    std::fprintf(stderr, "%s: %s\n", kProgram, error.c_str());
    return 1;
  }
  runtime.sound = &sound;
  // Controllers play beside the keyboard and mouse; a headless or scripted run reads none.
  GamePads pads;
  PadControls padControls;
  // The dead zone and the aim circle: the command line's, else the settings file's.
  padControls.settings = {options.padDeadzoneGiven ? options.padDeadzone : prefs.saved.padDeadzone,
                          options.padAimRadiusGiven ? options.padAimRadius : prefs.saved.padAimRadius};
  if (!options.headless && !script && !options.noGamepad) {
    if (pads.Open(PadMappingsPath(), error)) {
      runtime.pads = &pads;
      runtime.padControls = &padControls;
    }
    if (!error.empty()) std::fprintf(stderr, "%s: %s\n", kProgram, error.c_str());
    error.clear();
  }
  StartVolume(prefs, sound);
  runtime.prefs = &prefs;
  RunGame(*game, runtime);
  int status = recorder ? FinishRecording(*recorder, *game) : 0;
  if (timing) {
    const std::string report = TimedemoReport(frameTimes, options.headless ? "software, headless" : screen.backend);
    std::fputs(report.c_str(), options.state ? stderr : stdout);
    const std::string title = std::filesystem::path(options.timedemo).filename().string() + ", " +
                              (options.headless ? "software, headless" : screen.backend);
    if (!options.plot.empty() && !WriteFramePlot(options.plot, frameTimes, title, RenderTextImage)) {
      std::fprintf(stderr, "%s: cannot write the frame-time plot \"%s\"\n", kProgram, options.plot.c_str());
      status = 1;
    }
  }
  if (options.state) std::cout << StateJson(*game) << std::flush;
  if (!runtime.screenshotError.empty()) {
    std::fprintf(stderr, "%s: %s\n", kProgram, runtime.screenshotError.c_str());
    status = 1;
  }
  if (!CloseSoundStage(sound)) {
    std::fprintf(stderr, "%s: cannot write the sound log \"%s\"\n", kProgram, options.soundLog.c_str());
    status = 1;
  }
  ClosePreferences(prefs);
  if (tee && !WriteDrawLog(options.drawLog, *tee)) {
    std::fprintf(stderr, "%s: cannot write the draw log \"%s\"\n", kProgram, options.drawLog.c_str());
    status = 1;
  }
  return status;
}
