// Requests to the shell rather than to the game: pause and restart. Each frame the
// keyboard and the window raise them here; other input sources (a game controller's
// Start and Back buttons) raise the same requests in the same record, before
// ApplyShellActions acts on them.
#pragma once

#include <cstdint>

#include "base/input.h"
#include "platform/window.h"

namespace shell_key {
constexpr int kP = 0x19;
constexpr int kF5 = 0x3F;
constexpr int kPause = 0xC5;
}  // namespace shell_key

struct ShellActions {
  bool togglePause = false;  // P, Pause (a controller's Start)
  bool pause = false;        // pause unless paused already: the window lost the focus
  bool restart = false;      // F5 (a controller's Back held one second)
  bool quitIfPaused = false; // Escape released
};

// The keys of the previous frame, so a shell key acts once, in the frame it goes
// down. Kept across a restart, so a held F5 restarts only once.
struct ShellKeys {
  KeyArray previous{};
};

// Raises this frame's requests from the keyboard and the window event (focus loss
// pauses in windowed mode only).
void ReadShellKeys(ShellActions& actions, ShellKeys& shellKeys, const KeyArray& keys, WindowEvent event,
                   uint8_t displayMode);
