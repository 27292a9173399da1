// Key bindings: which keys of the keyboard drive each action. Every action has one
// entry of the keyboard snapshot that the game reads for it (W for walking up, R
// for reloading ...); its bound keys feed that entry, so the game itself never
// learns of the bindings. The keys are named as in input scripts ("W", "UP",
// "KP_PLUS" ...); an action may have up to kMaxKeysPerAction keys.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/input.h"

enum class Action : uint8_t {
  kWalkUp,
  kWalkLeft,
  kWalkDown,
  kWalkRight,
  kReload,
  kUse,
  kFlashlight,
  kSlot1,
  kSlot2,
  kOverlay,
  kLighting,
  kFiltering,
  kMute,
  kVolumeUp,
  kVolumeDown,
  kPause,    // P and the Pause key feed the snapshot's P
  kRestart,  // F5
  kQuit,     // Escape
};
constexpr size_t kActionCount = static_cast<size_t>(Action::kQuit) + 1;
constexpr size_t kMaxKeysPerAction = 4;

// The settings file's name of an action ("walk_up", "slot_1" ...).
const char* ActionName(Action action);
// The snapshot entry (set-1 scan code) the game reads for an action.
int ActionKey(Action action);

struct KeyBindings {
  // The keys bound to each action, in the order given; never empty.
  std::array<std::vector<int>, kActionCount> keys;
};

KeyBindings DefaultBindings();

// One "action = KEY [KEY ...]" entry as the settings file (or a recording) gives
// it, with the line it came from for warnings.
struct BindingEntry {
  std::string action;
  std::string keys;
  int line = 0;
};

// The bindings from the default ones and `entries` in order (a later entry for the
// same action wins). An entry whose action is unknown, that names no key, names a
// key that does not exist, or binds a key another action has too, gets a warning
// naming its line in `warnings`, and the action keeps its default keys. Where two
// actions want one key, a default binding keeps it, else the earlier line.
KeyBindings ResolveBindings(const std::vector<BindingEntry>& entries, std::vector<std::string>& warnings,
                            const std::string& source);

// The keyboard as the game reads it: each action's snapshot entry holds whether any
// of its bound keys is down, and a key bound to an action reads nowhere else.
KeyArray ApplyBindings(const KeyBindings& bindings, const KeyArray& keyboard);

// The key that reaches the snapshot entry `entry`: the first key bound to the action
// that reads it (`entry` itself when no action reads it).
int BoundKeyOf(const KeyBindings& bindings, int entry);

// "W" or "P PAUSE": the key names of an action, separated by spaces.
std::string BoundKeysText(const KeyBindings& bindings, Action action);

// Every binding as settings file lines ("walk_up     = W"), one an action.
std::string BindingsText(const KeyBindings& bindings);
