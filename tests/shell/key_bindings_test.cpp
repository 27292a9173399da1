// Key bindings: bad entries are warned about by line and keep their defaults, and a
// bound key feeds the snapshot entry the game reads.
#include <gtest/gtest.h>

#include "shell/key_bindings.h"

namespace {

struct BindingCase {
  const char* what;
  std::vector<BindingEntry> entries;
  std::vector<int> warnedLines;  // the lines named by warnings, in order
  Action action;                 // an action to look at afterwards ...
  const char* keys;              // ... and its keys
};

}  // namespace

TEST(KeyBindings, BadEntriesAreWarnedAboutByLineAndKeepTheirDefaults) {
  const BindingCase cases[] = {
      {"a new key", {{"walk_up", "UP", 3}}, {}, Action::kWalkUp, "UP"},
      {"two keys, any case", {{"pause", "p, pause", 2}}, {}, Action::kPause, "P PAUSE"},
      {"a swap", {{"reload", "V", 1}, {"flashlight", "R", 2}}, {}, Action::kFlashlight, "R"},
      {"no key at all", {{"reload", "", 5}}, {5}, Action::kReload, "R"},
      {"a key that does not exist", {{"use", "HYPER", 4}}, {4}, Action::kUse, "E"},
      {"too many keys", {{"use", "A B C D E", 2}}, {2}, Action::kUse, "E"},
      {"an unknown action", {{"jump", "SPACE", 7}}, {7}, Action::kQuit, "ESCAPE"},
      {"a key a default holds", {{"reload", "W", 6}}, {6}, Action::kReload, "R"},
      {"one key twice: the later line", {{"use", "F", 2}, {"reload", "F", 3}}, {3}, Action::kUse, "F"},
      {"a chain of conflicts", {{"reload", "V", 1}, {"use", "R", 2}}, {1, 2}, Action::kUse, "E"},
      {"the later entry for an action wins", {{"quit", "Q", 1}, {"quit", "F12", 2}}, {}, Action::kQuit, "F12"},
  };
  for (const BindingCase& c : cases) {
    std::vector<std::string> warnings;
    const KeyBindings bindings = ResolveBindings(c.entries, warnings, "settings.ini");
    ASSERT_EQ(warnings.size(), c.warnedLines.size()) << c.what;
    for (size_t i = 0; i < warnings.size(); ++i) {
      EXPECT_NE(warnings[i].find("settings.ini line " + std::to_string(c.warnedLines[i]) + ":"), std::string::npos)
          << c.what << ": " << warnings[i];
    }
    EXPECT_EQ(BoundKeysText(bindings, c.action), c.keys) << c.what;
  }
}

TEST(KeyBindings, ABoundKeyFeedsTheEntryTheGameReads) {
  std::vector<std::string> warnings;
  const KeyBindings bindings =
      ResolveBindings({{"walk_up", "UP", 1}, {"reload", "W", 2}, {"mute", "MINUS", 3}, {"volume_down", "KP_MINUS", 4}},
                      warnings, "test");
  ASSERT_TRUE(warnings.empty()) << warnings.front();
  const int w = ActionKey(Action::kWalkUp), r = ActionKey(Action::kReload), minus = ScanCodeByName("MINUS");
  KeyArray keyboard{};
  keyboard[static_cast<size_t>(ScanCodeByName("UP"))] = 1;
  KeyArray read = ApplyBindings(bindings, keyboard);
  EXPECT_EQ(read[static_cast<size_t>(w)], 1);  // UP walks
  EXPECT_EQ(read[static_cast<size_t>(r)], 0);
  keyboard = {};
  keyboard[static_cast<size_t>(w)] = 1;
  keyboard[static_cast<size_t>(minus)] = 1;
  read = ApplyBindings(bindings, keyboard);
  EXPECT_EQ(read[static_cast<size_t>(w)], 0);  // W reloads now, and walks no more
  EXPECT_EQ(read[static_cast<size_t>(r)], 1);
  EXPECT_EQ(read[static_cast<size_t>(ActionKey(Action::kMute))], 1);
  EXPECT_EQ(read[static_cast<size_t>(ActionKey(Action::kVolumeDown))], 0);  // MINUS mutes instead
  // The keypad's plus is a default key of volume_up.
  keyboard = {};
  keyboard[static_cast<size_t>(ScanCodeByName("KP_PLUS"))] = 1;
  EXPECT_EQ(ApplyBindings(DefaultBindings(), keyboard)[static_cast<size_t>(ActionKey(Action::kVolumeUp))], 1);
}
