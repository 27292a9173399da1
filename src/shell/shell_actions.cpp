#include "shell/shell_actions.h"

void ReadShellKeys(ShellActions& actions, ShellKeys& shellKeys, const KeyArray& keys, WindowEvent event,
                   uint8_t displayMode) {
  const KeyArray& before = shellKeys.previous;
  auto wentDown = [&](int code) { return keys[code] != 0 && before[code] == 0; };
  if (wentDown(shell_key::kP) || wentDown(shell_key::kPause)) actions.togglePause = true;
  if (wentDown(shell_key::kF5)) actions.restart = true;
  if (keys[scan::kEscape] == 0 && before[scan::kEscape] != 0) actions.quitIfPaused = true;
  if (event == WindowEvent::kFocusLost && displayMode == 0) actions.pause = true;
  shellKeys.previous = keys;
}
