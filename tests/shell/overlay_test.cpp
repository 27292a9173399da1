#include <gtest/gtest.h>

#include "render/recording_renderer.h"
#include "shell/debug_overlay.h"
#include "shell/frame.h"
#include "shell/launcher.h"
#include "support/world_fixture.h"

TEST(CountFps, FirstFigureIsOneThenPublishesAfterASecond) {
  FpsCounter fps;
  EXPECT_EQ(CountFps(fps, 1016), 1);  // fpsMark starts at 0: the first call publishes
  for (uint64_t ms = 1032; ms <= 2008; ms += 16) EXPECT_EQ(CountFps(fps, ms), 1);
  EXPECT_EQ(CountFps(fps, 2030), 63);  // 62 counted frames + this one, past one second
  // Frames counted before the overlay went off show up in the next figure.
  CountFps(fps, 2100);
  CountFps(fps, 2200);
  EXPECT_EQ(CountFps(fps, 9000), 3);
}

TEST(DebugText, PositionLineAndLayout) {
  EXPECT_EQ(PlayerPositionText(1280.4f, 700.6f), "Player\\Pos : [X]1280 [Y]701");
  EXPECT_EQ(PlayerPositionText(-2.5f, 0.5f), "Player\\Pos : [X]-2 [Y]0");
  RecordingRenderer renderer;
  Player player;
  player.x = 10.0f;
  player.y = 20.0f;
  DrawDebugText(renderer, 57, player);
  ASSERT_EQ(renderer.texts.size(), 3u);
  EXPECT_EQ(renderer.texts[0].text, "Debug");
  EXPECT_EQ(renderer.texts[0].y, 200);
  EXPECT_EQ(renderer.texts[1].text, "FPS: 57");
  EXPECT_EQ(renderer.texts[1].y, 240);
  EXPECT_EQ(renderer.texts[2].y, 260);
  EXPECT_EQ(renderer.texts[2].x, 20);
  EXPECT_EQ(renderer.texts[2].colour, 0x2AA684u);
}

TEST(ShellKeys, OnlyTheFirstOfF9F10F11Acts) {
  RecordingWorld world;
  auto release = [](std::initializer_list<int> codes) {
    Keyboard keyboard;
    KeyArray keys{};
    for (int code : codes) keys[static_cast<size_t>(code)] = 1;
    keyboard.Snapshot(keys);
    keyboard.Snapshot(KeyArray{});
    return keyboard;
  };
  Game game;
  game.keyboard = release({scan::kF9, scan::kF11});
  EXPECT_FALSE(HandleShellKeys(game, world.sprites));
  EXPECT_EQ(game.toggles.lightingOn, 0);
  EXPECT_EQ(game.toggles.debugOverlayOn, 0);
  game.keyboard = release({scan::kF10, scan::kF11, scan::kEscape});
  EXPECT_TRUE(HandleShellKeys(game, world.sprites));
  EXPECT_EQ(game.toggles.filteringOn, 0);
  EXPECT_EQ(world.sprites.quality(), 0);
  EXPECT_EQ(game.toggles.debugOverlayOn, 0);
  EXPECT_EQ(game.quitRequested, 1);  // Escape stands alone
  game.keyboard = release({scan::kF11});
  HandleShellKeys(game, world.sprites);
  EXPECT_EQ(game.toggles.debugOverlayOn, 1);
  // Held, not released: nothing.
  KeyArray held{};
  held[scan::kF11] = 1;
  game.keyboard.Snapshot(held);
  HandleShellKeys(game, world.sprites);
  EXPECT_EQ(game.toggles.debugOverlayOn, 1);
}

TEST(Launcher, MapListCutsTheExtensionAndKeepsOrder) {
  EXPECT_EQ(MapNamesFromEntries({"Test.map", "arena.MAP", "x.map", ".map", "abc"}),
            (std::vector<std::string>{"Test", "arena", "x", "", ""}));
  EXPECT_TRUE(MapNamesFromEntries({}).empty());
  EXPECT_EQ(LauncherTitle(false), "Vexmoor V0.1 (Build 07 03 2009) GL");
  EXPECT_EQ(LauncherTitle(true), "Vexmoor V0.1 (Build 07 03 2009) SW");
}
