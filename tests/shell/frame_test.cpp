#include <gtest/gtest.h>

#include <algorithm>

#include "render/recording_renderer.h"
#include "shell/frame.h"
#include "replay/input_script.h"
#include "shell/startup.h"
#include "shell/state_json.h"
#include "support/data_dir.h"
#include "support/map_bytes.h"

namespace {

// A small world on disk: a 6x5 map enclosed by walls with a door at (4, 2) and one
// placed light, the legs and a door animation, the body and darkness images.
struct ShellWorld : DataDir {
  RecordingRenderer renderer;
  SpriteStore sprites{renderer};
  Clock clock = Clock::Fixed();
  Rng rng{1};
  Runtime runtime{renderer, sprites, clock, rng};
  Game game;
  std::unique_ptr<ScriptedInput> script;

  ShellWorld() {
    PutPng("Data\\GFX\\TileSet\\Floor.png", 64, 64);
    PutPng("Data\\GFX\\TileSet\\Wall.png", 64, 64);
    Put("Data\\Maps\\Small_TileSet.xml",
        "<TileSet><Tile ID=\"1\"><Image File=\"Floor.png\"/></Tile><Tile ID=\"2\"><Image File=\"Wall.png\"/>"
        "</Tile></TileSet>");
    MapBytes map;
    // The start is 2 px right of the cell centre: walking right the player stops 30 px
    // from the door, close enough for the front point (half a tile ahead) to be inside it.
    map.Header(64, 5, 4, 0, 2 * 64 + 34, 2 * 64 + 32);
    for (int row = 0; row <= 4; ++row) {
      for (int column = 0; column <= 5; ++column) {
        const bool wall = row == 0 || row == 4 || column == 0 || column == 5;
        wall ? map.Cell(1002, 1, 1, 0) : map.Cell(1001);
      }
    }
    map.I32(1).Light(2001, 64, 64, 128, 128, 0, 1).I32(1).Door(2, 4, 2);
    Put("Data\\Maps\\Small.map", map.bytes());
    for (int frame = 0; frame <= 9; ++frame) PutPng("Data\\Anim\\d" + std::to_string(frame) + ".png", 64, 64);
    for (int frame = 0; frame <= 8; ++frame) PutPng("Data\\Anim\\l" + std::to_string(frame) + ".png", 96, 96);
    std::string door = "<Animation><Path>Data\\Anim</Path><Frames>18</Frames>";
    for (int f = 0; f <= 9; ++f) door += "<Frame F=\"" + std::to_string(f) + "\" File=\"d" + std::to_string(f) + ".png\"/>";
    for (int f = 10; f <= 18; ++f)
      door += "<FrameFromFrame F=\"" + std::to_string(f) + "\" Frame=\"" + std::to_string(18 - f) + "\"/>";
    Put("Data\\GFX\\Animation\\Door.xml", door + "</Animation>");
    std::string legs = "<Animation><Path>Data\\Anim</Path><Frames>8</Frames>";
    for (int f = 0; f <= 8; ++f) legs += "<Frame F=\"" + std::to_string(f) + "\" File=\"l" + std::to_string(f) + ".png\"/>";
    Put("Data\\GFX\\Animation\\Legs.xml", legs + "</Animation>");
    Put("Data\\AnimationSet.xml",
        "<AnimationSet><Animation ID=\"1\"><File File=\"Legs.xml\"/></Animation>"
        "<Animation ID=\"2\"><File File=\"Door.xml\"/><Type T=\"Door\"/></Animation></AnimationSet>");
    PutPng("Data\\GFX\\Light\\Warm.png", 32, 32);
    Put("Data\\Light.xml", "<Lights><Light ID=\"1\"><Image File=\"Warm.png\"/></Light></Lights>");
    PutPng("Data\\GFX\\Light\\Black.png", 8, 8, 0);
    PutPng("Data\\GFX\\Light\\Flashlight.png", 192, 192);
    PutPng("Data\\GFX\\Player\\Player PumpGun.png", 96, 96);
    PutPng("Data\\GFX\\HUD\\Green.png", 16, 16);
    game.mapName = "Small";
  }
  void Script(const std::string& text) {
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(ParseInputScript(text, events, error)) << error;
    script = std::make_unique<ScriptedInput>(std::move(events));
    runtime.script = script.get();
  }
  void Frame() {
    renderer.ClearRecord();
    RunFrame(game, runtime, false);
  }
  std::vector<int> DrawnSprites() const {
    std::vector<int> sprites;
    for (const RecordedDraw& draw : renderer.draws) sprites.push_back(draw.quad.sprite);
    return sprites;
  }
  bool Drew(int sprite) const {
    const std::vector<int> all = DrawnSprites();
    return std::find(all.begin(), all.end(), sprite) != all.end();
  }
};

}  // namespace

TEST(StartUp, PlacesThePlayerCameraAndFlashlight) {
  ShellWorld w;
  ASSERT_TRUE(StartUp(w.game, w.runtime)) << w.game.mapError;
  EXPECT_FLOAT_EQ(w.game.player.x, 162.0f);
  EXPECT_EQ(w.game.map.camera.x, 162 - 512);
  EXPECT_EQ(w.game.map.camera.y, 160 - 384);
  ASSERT_EQ(w.game.lights.size(), 2u);  // the map's light, then the flashlight
  EXPECT_EQ(w.game.player.flashlight, 1);
  EXPECT_EQ(w.game.lights[1].sprite, 58);
  EXPECT_EQ(w.game.lights[1].angle, 45);
  EXPECT_EQ(w.game.lights[1].width, 192);
  EXPECT_EQ(w.game.mouse.tileSize, 64);
  EXPECT_EQ(w.game.mouse.source, 0);
  EXPECT_EQ(w.game.map.frontX, &w.game.player.frontX);
  EXPECT_EQ(w.game.player.bodyWidth, 96);
  EXPECT_EQ(w.sprites.quality(), 1);
  const Sprite3D* darkness = w.sprites.FindSprite3D(2000);
  ASSERT_NE(darkness, nullptr);
  EXPECT_EQ(darkness->width, 1024);
  EXPECT_EQ(darkness->height, 768);
  EXPECT_TRUE(w.sprites.HasSprite3D(32));  // the credits strip held in the program
  EXPECT_FALSE(w.sprites.HasSprite(29));   // a missing digit leaves its number empty
}

TEST(StartUp, AMapThatCannotLoadIsRefused) {
  ShellWorld w;
  w.game.mapName = "Nowhere";
  EXPECT_FALSE(StartUp(w.game, w.runtime));
  EXPECT_NE(w.game.mapError.find("Nowhere"), std::string::npos);
}

TEST(RunFrame, DrawsInTheFrameOrder) {
  ShellWorld w;
  ASSERT_TRUE(StartUp(w.game, w.runtime));
  w.Script("1 mouse 612 384\n");  // right of the player
  w.Frame();
  EXPECT_EQ(w.renderer.clears, (std::vector<uint32_t>{0}));
  EXPECT_EQ(w.renderer.presents, 1);
  const std::vector<int> drawn = w.DrawnSprites();
  ASSERT_GE(drawn.size(), 30u + 1 + 2 + 2 + 1);
  // 30 cells of layer 0, the closed door (its frame 0), legs standing on frame 1, the
  // body, the lights (map light, flashlight), the darkness and the HUD (of which this
  // Data tree holds only the credits strip, stored inside the program).
  EXPECT_TRUE(std::all_of(drawn.begin(), drawn.begin() + 30, [](int s) { return s == 1001 || s == 1002; }));
  const size_t n = drawn.size();
  EXPECT_EQ(drawn[n - 1], 32);
  EXPECT_EQ(drawn[n - 2], 2000);
  EXPECT_EQ(drawn[n - 3], 58);
  EXPECT_EQ(drawn[n - 4], 2001);
  EXPECT_EQ(drawn[n - 5], 34);
  EXPECT_EQ(drawn[n - 6], w.game.animations.table[1]->frameSprites[1]);
  EXPECT_EQ(drawn[n - 7], w.game.animations.table[2]->frameSprites[0]);
  EXPECT_NEAR(w.game.player.aim, 0.0f, 1e-4);
  // The flashlight's centre lies 100 px ahead at aim + 5 degrees.
  EXPECT_EQ(w.game.lights[1].x, 162 + 100 - 96);  // round(162 + 99.62 - 96)
  EXPECT_EQ(w.game.lights[1].y, 160 + 9 - 96);    // round(160 + 8.72 - 96)
  EXPECT_EQ(w.game.frame, 1u);
  EXPECT_FLOAT_EQ(w.game.now, 1.016f);  // the millisecond tick count after one 1/60 s step
}

TEST(RunFrame, ShellKeysThroughScriptedInput) {
  ShellWorld w;
  ASSERT_TRUE(StartUp(w.game, w.runtime));
  w.Script("1 key F9 down\n2 key F9 up\n3 key F11 down\n4 key F11 up\n5 key escape down\n6 key escape up\n");
  w.Frame();
  w.Frame();  // F9 released: lighting off after this frame
  EXPECT_EQ(w.game.toggles.lightingOn, 0);
  w.Frame();
  EXPECT_FALSE(w.Drew(2000));
  EXPECT_FALSE(w.Drew(58));
  w.Frame();  // F11 released: the text follows the shell keys, the panel comes a frame later
  EXPECT_EQ(w.renderer.texts.size(), 3u);
  EXPECT_FALSE(w.Drew(20));
  w.Frame();
  EXPECT_TRUE(w.Drew(20));
  const Sprite3D* panel = w.sprites.FindSprite3D(20);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->width, 256);
  ASSERT_EQ(w.renderer.texts.size(), 3u);
  EXPECT_EQ(w.renderer.texts[1].text, "FPS: 1");
  EXPECT_EQ(w.game.quitRequested, 0);
  w.Frame();
  EXPECT_EQ(w.game.quitRequested, 1);
  EXPECT_EQ(w.renderer.presents, 1);  // the quitting frame is still flipped
}

TEST(RunGame, WalksThroughTheDoorAndReportsState) {
  ShellWorld w;
  ASSERT_TRUE(StartUp(w.game, w.runtime));
  // Face the door at (4, 2) from (2, 2): walk right until the probe stops the player,
  // release E, wait for the door (nine 0.1 s steps), walk on.
  w.Script("1 mouse 1000 384\n1 key D down\n20 key D up\n21 key E down\n22 key E up\n"
           "85 key D down\n110 key D up\n");
  w.runtime.frames = 110;
  RunGame(w.game, w.runtime);
  EXPECT_EQ(w.game.frame, 110u);
  ASSERT_EQ(w.game.doors.size(), 1u);
  EXPECT_EQ(w.game.doors[0].state, kDoorOpen);
  EXPECT_FALSE(IsWalkBlocked(w.game.map, 4, 2));
  EXPECT_GT(w.game.player.x, 4 * 64 + 32.0f);  // in or past the door's cell
  const std::string json = StateJson(w.game);
  EXPECT_NE(json.find("\"doors\":[{\"column\":4,\"row\":2"), std::string::npos) << json;
  EXPECT_NE(json.find("\"camera\":{"), std::string::npos);
  EXPECT_NE(json.find("\"player\":{\"x\":"), std::string::npos);
}
