#include "shell/key_bindings.h"

#include <algorithm>
#include <optional>

namespace {

struct ActionInfo {
  const char* name;
  int key;                     // the snapshot entry the game reads
  const char* defaults;        // the keys bound when nothing else is
};

// In the order of Action.
constexpr ActionInfo kActions[kActionCount] = {
    {"walk_up", 0x11, "W"},
    {"walk_left", 0x1E, "A"},
    {"walk_down", 0x1F, "S"},
    {"walk_right", 0x20, "D"},
    {"reload", 0x13, "R"},
    {"use", 0x12, "E"},
    {"flashlight", 0x2F, "V"},
    {"slot_1", 0x02, "1"},
    {"slot_2", 0x03, "2"},
    {"overlay", 0x57, "F11"},
    {"lighting", 0x43, "F9"},
    {"filtering", 0x44, "F10"},
    {"mute", 0x32, "M"},
    {"volume_up", 0x0D, "EQUALS KP_PLUS"},
    {"volume_down", 0x0C, "MINUS KP_MINUS"},
    {"pause", 0x19, "P PAUSE"},
    {"restart", 0x3F, "F5"},
    {"quit", 0x01, "ESCAPE"},
};

std::vector<std::string_view> KeyWords(std::string_view text) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == ',')) ++i;
    const size_t start = i;
    while (i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != ',') ++i;
    if (i > start) words.push_back(text.substr(start, i - start));
  }
  return words;
}

// The keys an entry names, or the reason it names none usable.
std::vector<int> ParseKeys(std::string_view text, std::string& problem) {
  const std::vector<std::string_view> words = KeyWords(text);
  if (words.empty()) problem = "names no key";
  if (words.size() > kMaxKeysPerAction) problem = "names more than " + std::to_string(kMaxKeysPerAction) + " keys";
  std::vector<int> keys;
  for (std::string_view word : words) {
    const int code = ScanCodeByName(word);
    if (code < 0) {
      problem = "names no key: there is no key \"" + std::string(word) + "\"";
    } else if (std::find(keys.begin(), keys.end(), code) == keys.end()) {
      keys.push_back(code);
    }
  }
  if (!problem.empty()) keys.clear();
  return keys;
}

std::optional<size_t> ActionIndex(std::string_view name) {
  for (size_t i = 0; i < kActionCount; ++i) {
    if (name == kActions[i].name) return i;
  }
  return std::nullopt;
}

// The first action that shares a key with another, and the one it shares it with.
bool FindShared(const KeyBindings& bindings, size_t& first, size_t& second) {
  for (first = 0; first < kActionCount; ++first) {
    for (second = first + 1; second < kActionCount; ++second) {
      for (int key : bindings.keys[first]) {
        const std::vector<int>& other = bindings.keys[second];
        if (std::find(other.begin(), other.end(), key) != other.end()) return true;
      }
    }
  }
  return false;
}

std::string Warn(const std::string& source, const BindingEntry& entry, const std::string& problem) {
  const std::string action = ActionIndex(entry.action) ? entry.action : std::string();
  std::string text = source + " line " + std::to_string(entry.line) + ": \"" + entry.action + " = " + entry.keys +
                     "\" " + problem;
  if (!action.empty()) text += "; " + action + " keeps " + kActions[*ActionIndex(action)].defaults;
  return text;
}

}  // namespace

const char* ActionName(Action action) { return kActions[static_cast<size_t>(action)].name; }

int ActionKey(Action action) { return kActions[static_cast<size_t>(action)].key; }

KeyBindings DefaultBindings() {
  KeyBindings bindings;
  for (size_t i = 0; i < kActionCount; ++i) {
    std::string ignored;
    bindings.keys[i] = ParseKeys(kActions[i].defaults, ignored);
  }
  return bindings;
}

KeyBindings ResolveBindings(const std::vector<BindingEntry>& entries, std::vector<std::string>& warnings,
                            const std::string& source) {
  KeyBindings bindings = DefaultBindings();
  std::array<const BindingEntry*, kActionCount> from{};  // the entry each action's keys came from
  for (const BindingEntry& entry : entries) {
    const std::optional<size_t> action = ActionIndex(entry.action);
    if (!action) {
      warnings.push_back(Warn(source, entry, "binds no action: there is no action \"" + entry.action + "\""));
      continue;
    }
    std::string problem;
    std::vector<int> keys = ParseKeys(entry.keys, problem);
    if (!problem.empty()) {
      warnings.push_back(Warn(source, entry, problem));
      continue;
    }
    bindings.keys[*action] = std::move(keys);
    from[*action] = &entry;
  }
  // Each round hands one contested key back to its default owner; defaults never
  // share a key, so this ends within one round an action.
  size_t first = 0, second = 0;
  while (FindShared(bindings, first, second)) {
    size_t loser = second;
    if (from[first] == nullptr) {
      loser = second;
    } else if (from[second] == nullptr || from[second]->line < from[first]->line) {
      loser = first;
    }
    const BindingEntry& entry = *from[loser];
    const size_t keeper = loser == first ? second : first;
    warnings.push_back(Warn(source, entry, std::string("binds a key that ") + kActions[keeper].name + " has too"));
    std::string ignored;
    bindings.keys[loser] = ParseKeys(kActions[loser].defaults, ignored);
    from[loser] = nullptr;
  }
  return bindings;
}

KeyArray ApplyBindings(const KeyBindings& bindings, const KeyArray& keyboard) {
  KeyArray out = keyboard;
  for (const std::vector<int>& keys : bindings.keys) {
    for (int key : keys) out[static_cast<size_t>(key)] = 0;
  }
  for (size_t i = 0; i < kActionCount; ++i) {
    uint8_t down = 0;
    for (int key : bindings.keys[i]) down |= keyboard[static_cast<size_t>(key)] != 0 ? 1 : 0;
    out[static_cast<size_t>(kActions[i].key)] = down;
  }
  return out;
}

std::string BoundKeysText(const KeyBindings& bindings, Action action) {
  std::string text;
  for (int key : bindings.keys[static_cast<size_t>(action)]) {
    if (!text.empty()) text += ' ';
    const char* name = KeyNameOf(key);
    text += name != nullptr ? name : "?";
  }
  return text;
}

std::string BindingsText(const KeyBindings& bindings) {
  std::string text;
  for (size_t i = 0; i < kActionCount; ++i) {
    std::string name = kActions[i].name;
    name.resize(std::max<size_t>(name.size(), 11), ' ');
    text += name + " = " + BoundKeysText(bindings, static_cast<Action>(i)) + "\n";
  }
  return text;
}

int BoundKeyOf(const KeyBindings& bindings, int entry) {
  for (size_t a = 0; a < kActionCount; ++a) {
    if (ActionKey(static_cast<Action>(a)) == entry && !bindings.keys[a].empty()) return bindings.keys[a].front();
  }
  return entry;
}
