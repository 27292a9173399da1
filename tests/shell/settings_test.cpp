// The settings file: what is saved reads back the same, and a broken file is kept
// aside while the game goes on with the defaults.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/preferences.h"
#include "support/temp_dir.h"

namespace {

std::string Text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(Settings, WhatIsSavedReadsBackTheSame) {
  TempDir dir;
  Preferences prefs;
  std::vector<std::string> warnings;
  OpenPreferences(prefs, dir.File("vexmoor"), true, warnings);  // no file yet: the defaults
  ASSERT_TRUE(warnings.empty());
  Settings& s = prefs.saved;
  s.scale = 2;
  s.integerScale = true;
  s.confineCursor = false;
  s.mute = true;
  s.volume = 3;
  s.padDeadzone = 0.15f;
  s.padAimRadius = 240.0f;
  s.bindings = ResolveBindings({{"walk_up", "UP", 1}, {"pause", "P PAUSE SPACE", 2}}, warnings, "test");
  s.bestTimes = {{"Arena", 83.25f}, {"Bunker two", 120.5f}};
  s.extra = {{"sound", "later_option", "7"}, {"future", "thing", "a b c"}};
  std::string error;
  ASSERT_TRUE(SavePreferences(prefs, error)) << error;

  Preferences again;
  OpenPreferences(again, dir.File("vexmoor"), false, warnings);
  EXPECT_TRUE(warnings.empty()) << warnings.front();
  const Settings& r = again.saved;
  EXPECT_EQ(r.scale, 2);
  EXPECT_TRUE(r.integerScale);
  EXPECT_FALSE(r.confineCursor);
  EXPECT_TRUE(r.mute);
  EXPECT_EQ(r.volume, 3);
  EXPECT_EQ(again.volume, 3);
  EXPECT_EQ(r.padDeadzone, 0.15f);
  EXPECT_EQ(r.padAimRadius, 240.0f);
  EXPECT_EQ(again.bindings.keys, s.bindings.keys);
  EXPECT_EQ(BoundKeysText(again.bindings, Action::kPause), "P PAUSE SPACE");
  EXPECT_EQ(r.bestTimes, s.bestTimes);
  ASSERT_EQ(r.extra.size(), 2u);
  EXPECT_EQ(r.extra[1].section, "future");
  EXPECT_EQ(r.extra[1].value, "a b c");
  // Saving what was read writes the same text again.
  EXPECT_EQ(SettingsText(r), Text(dir.File("vexmoor/settings.ini")));
}

TEST(Settings, ABrokenFileIsKeptAsBadAndTheDefaultsAreUsed) {
  const std::string broken = "[window]\nscale = 2\nthis line is no setting\n[sound\n";
  for (const bool writes : {true, false}) {
    TempDir dir;
    dir.Write("settings.ini", broken);
    Preferences prefs;
    std::vector<std::string> warnings;
    OpenPreferences(prefs, dir.path(), writes, warnings);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("line 3"), std::string::npos) << warnings[0];
    EXPECT_EQ(prefs.saved.scale, 0);  // nothing of a broken file is used
    EXPECT_EQ(prefs.bindings.keys, DefaultBindings().keys);
    std::string error;
    ASSERT_TRUE(SavePreferences(prefs, error)) << error;
    if (writes) {
      EXPECT_EQ(Text(dir.File("settings.ini.bad")), broken);
      EXPECT_EQ(Text(dir.File("settings.ini")), SettingsText(Settings{}));
    } else {  // a run that does not write leaves the file alone
      EXPECT_EQ(Text(dir.File("settings.ini")), broken);
      EXPECT_FALSE(std::filesystem::exists(dir.File("settings.ini.bad")));
    }
  }
}

TEST(Settings, ABadValueKeepsItsDefaultAndTheFileIsCopiedAside) {
  TempDir dir;
  const std::string text = "[sound]\nvolume = 7\n[window]\nscale = huge\n";
  dir.Write("settings.ini", text);
  Preferences prefs;
  std::vector<std::string> warnings;
  OpenPreferences(prefs, dir.path(), true, warnings);
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("line 4"), std::string::npos) << warnings[0];
  EXPECT_EQ(prefs.saved.volume, 7);
  EXPECT_EQ(prefs.saved.scale, 0);
  EXPECT_EQ(Text(dir.File("settings.ini.bad")), text);
}
