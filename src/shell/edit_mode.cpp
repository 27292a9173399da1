#include "shell/edit_mode.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "base/files.h"
#include "editor/editor_commands.h"
#include "editor/editor_loop.h"
#include "shell/data_directory.h"
#include "shell/frame.h"
#include "shell/startup.h"

namespace {

bool ParseSize(const std::string& text, int& columns, int& rows) {
  if (text.empty()) return true;
  return std::sscanf(text.c_str(), "%dx%d", &columns, &rows) == 2 && columns >= 3 && rows >= 3 &&
         columns <= 1000 && rows <= 1000;
}

bool OpenDocument(const Options& options, editor::MapDocument& doc, std::string& error) {
  std::error_code ignored;
  if (std::filesystem::exists(options.edit, ignored)) return doc.Open(options.edit, error);
  int columns = 40, rows = 30;
  if (!ParseSize(options.editSize, columns, rows)) {
    error = "--size needs COLUMNSxROWS, 3x3 to 1000x1000, not \"" + options.editSize + "\"";
    return false;
  }
  doc.New(options.edit, columns, rows);
  return true;
}

// Plays the edited map until Escape; false when the window was closed.
bool PlayTest(const editor::PlayRequest& play, editor::EditorHost& host, Runtime& runtime, const char* program) {
  auto game = std::make_unique<Game>();
  game->mapName = play.mapName;
  game->frame = host.frame;  // a script goes on counting its frames
  if (!StartUp(*game, runtime)) {
    std::fprintf(stderr, "%s: cannot play the map \"%s\": %s\n", program, game->mapName.c_str(),
                 game->mapError.c_str());
    return true;
  }
  if (play.x && play.y) {
    game->player.x = static_cast<float>(*play.x);
    game->player.y = static_cast<float>(*play.y);
    CenterCamera(game->map, game->player.x, game->player.y);
  }
  RunGame(*game, runtime);
  host.frame = game->frame;
  return game->frameEvent != WindowEvent::kClose;
}

}  // namespace

int RunEditMode(const Options& options, Game& game, Runtime& runtime) {
  const char* program = runtime.programName.c_str();
  StartUpContent(game, runtime);
  editor::EditorSession session;
  std::string error;
  if (!OpenDocument(options, session.doc, error)) {
    std::fprintf(stderr, "%s: %s\n", program, error.c_str());
    return 1;
  }
  if (!options.editCommands.empty()) {
    std::string text;
    if (!ReadWholeFile(options.editCommands, text) || !editor::RunCommands(session.doc, text, error)) {
      std::fprintf(stderr, "%s: editor commands \"%s\": %s\n", program, options.editCommands.c_str(),
                   error.empty() ? "cannot read the file" : error.c_str());
      return 1;
    }
  }
  editor::EditorHost host{runtime.renderer, runtime.sprites, game.animations, runtime.clock, game.now};
  host.window = runtime.window;
  host.script = runtime.script;
  host.headless = runtime.headless;
  host.frames = runtime.frames;
  host.screenshotPath = runtime.screenshotPath;
  host.outputDir = editor::CompiledMapFolder(UserMapFolder());
  while (true) {
    editor::PlayRequest play;
    if (host.window != nullptr) host.window->EnableWheel(true);
    const editor::EditorExit exit = editor::RunEditor(session, host, play);
    if (host.window != nullptr) host.window->EnableWheel(false);
    if (exit != editor::EditorExit::kPlayTest) break;
    if (!PlayTest(play, host, runtime, program)) break;
    if (host.frames && host.frame >= *host.frames) break;
    SetAnimationClock(game.animations, &game.now);
  }
  if (!session.state.message.empty()) std::fprintf(stderr, "%s: %s\n", program, session.state.message.c_str());
  if (!host.screenshotError.empty() || !runtime.screenshotError.empty()) {
    std::fprintf(stderr, "%s: cannot write the screenshot\n", program);
    return 1;
  }
  return 0;
}
