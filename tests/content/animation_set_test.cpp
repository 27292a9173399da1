#include <gtest/gtest.h>

#include "content/animation_set.h"
#include "support/data_dir.h"
#include "support/world_fixture.h"

namespace {

std::string ThreeFrames(const std::string& prefix) {
  return "<Animation><Path>Data\\Frames</Path><Frames>2</Frames>"
         "<Frame F=\"0\" File=\"" + prefix + "0.png\"/><Frame F=\"1\" File=\"" + prefix + "1.png\"/>"
         "<Frame F=\"2\" File=\"" + prefix + "2.png\"/></Animation>";
}

struct AnimationFiles : DataDir {
  RecordingWorld world;
  Animations animations;
  AnimationFiles() {
    for (const char* name : {"a0", "a1", "a2", "b0", "b1", "b2"}) PutPng(std::string("Data\\Frames\\") + name + ".png");
    Put("Data\\GFX\\Animation\\A.xml", ThreeFrames("a"));
    Put("Data\\GFX\\Animation\\B.xml", ThreeFrames("b"));
  }
  const FrameTable& Table(int id) { return *animations.table[static_cast<size_t>(id)]; }
};

}  // namespace

TEST(LoadAnimationSet, NumbersFramesAcrossFilesAndNeverRewinds) {
  AnimationFiles f;
  f.Put("Data\\AnimationSet.xml",
        "<AnimationSet><Animation ID=\"1\"><File File=\"A.xml\"/></Animation>"
        "<Animation ID=\"7\"><File File=\"B.xml\"/><Type T=\"Door\"/></Animation></AnimationSet>");
  ASSERT_TRUE(LoadAnimationSet(f.animations, f.world.sprites, "Data\\AnimationSet.xml"));
  EXPECT_EQ(f.Table(1).frameSprites, (std::vector<int32_t>{2500, 2501, 2502}));
  EXPECT_EQ(f.Table(7).frameSprites, (std::vector<int32_t>{2503, 2504, 2505}));
  EXPECT_TRUE(f.world.sprites.HasSprite3D(2505));
  ASSERT_EQ(f.animations.doorAnimations.size(), 1u);
  EXPECT_EQ(f.animations.doorAnimations[0].id, 7);
  EXPECT_EQ(f.animations.doorAnimations[0].fileName, "B.xml");
  // Loading an animation again frees its old frames and numbers the new ones on.
  ASSERT_TRUE(LoadAnimation(f.animations, f.world.sprites, "Data\\GFX\\Animation\\A.xml", 1));
  EXPECT_EQ(f.Table(1).frameSprites, (std::vector<int32_t>{2506, 2507, 2508}));
  EXPECT_FALSE(f.world.sprites.HasSprite(2500));
  // The whole set again: everything released, numbering continues.
  ASSERT_TRUE(LoadAnimationSet(f.animations, f.world.sprites, "Data\\AnimationSet.xml"));
  EXPECT_EQ(f.Table(1).frameSprites[0], 2509);
  EXPECT_FALSE(f.world.sprites.HasSprite(2503));
}

TEST(LoadAnimationSet, PathAndTypeFollowDocumentOrder) {
  AnimationFiles f;
  f.Put("Data\\Other\\C.xml", ThreeFrames("b"));
  f.Put("Data\\AnimationSet.xml",
        "<AnimationSet>"
        "<Animation ID=\"1\"><File File=\"A.xml\"/></Animation>"
        // A Type before its File lists the previous file name and whatever entry 2 held.
        "<Animation ID=\"2\"><Type T=\"Door\"/><File File=\"B.xml\"/></Animation>"
        "<Path>Data\\Other</Path>"
        "<Animation ID=\"3\"><File File=\"C.xml\"/><Type T=\"door\"/></Animation>"
        "</AnimationSet>");
  ASSERT_TRUE(LoadAnimationSet(f.animations, f.world.sprites, "Data\\AnimationSet.xml"));
  ASSERT_EQ(f.animations.doorAnimations.size(), 1u);  // "door" is not "Door"
  EXPECT_EQ(f.animations.doorAnimations[0].fileName, "A.xml");
  EXPECT_EQ(f.animations.doorAnimations[0].frames, nullptr);
  ASSERT_TRUE(f.animations.table[3]);  // loaded from the Path directory
  EXPECT_EQ(f.Table(3).frameSprites[0], 2506);
}

TEST(LoadAnimation, FramesFrameFromFrameAndBadNumbers) {
  AnimationFiles f;
  f.Put("Data\\GFX\\Animation\\D.xml",
        "<Animation><Frame F=\"0\" File=\"Data\\Frames\\a0.png\"/>"  // before Frames: no table, ignored
        "<Frames>18</Frames>"
        "<Frame F=\"2\" File=\"Data\\Frames\\a0.png\"/>"   // no Path: relative to the working folder
        "<FrameFromFrame F=\"4\" Frame=\"2\"/>"
        "<FrameFromFrame F=\"5\" Frame=\"3\"/>"            // frame 3 has no image: 0
        "<FrameFromFrame F=\"6\" Frame=\"99\"/>"           // outside the table: 0
        "<Frame F=\"40\" File=\"Data\\Frames\\a1.png\"/>"  // above the count: loaded, numbered, not stored
        "<Frame F=\"-3\" File=\"Data\\Frames\\a2.png\"/>"
        "<Frame F=\"7\" File=\"Data\\Frames\\missing.png\"/>"  // fails: uses no number
        "<Frame F=\"8\" File=\"Data\\Frames\\b0.png\"/></Animation>");
  ASSERT_TRUE(LoadAnimation(f.animations, f.world.sprites, "Data\\GFX\\Animation\\D.xml", 4));
  const FrameTable& table = f.Table(4);
  EXPECT_EQ(table.count, 18);
  ASSERT_EQ(table.frameSprites.size(), 19u);
  EXPECT_EQ(table.frameSprites[0], 0);
  EXPECT_EQ(table.frameSprites[2], 2500);
  EXPECT_EQ(table.frameSprites[4], 2500);
  EXPECT_EQ(table.frameSprites[5], 0);
  EXPECT_EQ(table.frameSprites[6], 0);
  EXPECT_EQ(table.frameSprites[7], 0);
  EXPECT_EQ(table.frameSprites[8], 2503);
  EXPECT_TRUE(f.world.sprites.HasSprite(2501));  // the frame above the count stays loaded
  EXPECT_FALSE(LoadAnimation(f.animations, f.world.sprites, "Data\\GFX\\Animation\\D.xml", 101));
  EXPECT_FALSE(LoadAnimation(f.animations, f.world.sprites, "Data\\GFX\\Animation\\D.xml", -1));
}

TEST(LoadAnimation, HostileCountsAndRoots) {
  AnimationFiles f;
  f.Put("Data\\Huge.xml", "<Animation><Frames>2147483647</Frames><FrameFromFrame F=\"9\" Frame=\"9\"/></Animation>");
  ASSERT_TRUE(LoadAnimation(f.animations, f.world.sprites, "Data\\Huge.xml", 5));
  EXPECT_EQ(f.Table(5).count, kMaxFrameCount);
  f.Put("Data\\Negative.xml", "<Animation><Frames>-4</Frames><Frame F=\"0\" File=\"Data\\Frames\\a0.png\"/></Animation>");
  ASSERT_TRUE(LoadAnimation(f.animations, f.world.sprites, "Data\\Negative.xml", 6));
  EXPECT_TRUE(f.Table(6).frameSprites.empty());
  // Wrong root or missing file: false and the entry keeps its table.
  f.Put("Data\\Wrong.xml", "<Animations><Frames>1</Frames></Animations>");
  EXPECT_FALSE(LoadAnimation(f.animations, f.world.sprites, "Data\\Wrong.xml", 5));
  EXPECT_FALSE(LoadAnimation(f.animations, f.world.sprites, "Data\\Nothing.xml", 5));
  EXPECT_EQ(f.Table(5).count, kMaxFrameCount);
  f.Put("Data\\Empty.xml", "");
  EXPECT_FALSE(LoadAnimationSet(f.animations, f.world.sprites, "Data\\Empty.xml"));
  f.Put("Data\\Set.xml", "<AnimationSets/>");
  EXPECT_FALSE(LoadAnimationSet(f.animations, f.world.sprites, "Data\\Set.xml"));
  EXPECT_TRUE(f.animations.table[5]);  // a rejected set file releases nothing
}

TEST(LoadAnimationSet, BrokenDocumentIsUsedAsFarAsItParsed) {
  AnimationFiles f;
  f.Put("Data\\AnimationSet.xml",
        "<AnimationSet><Animation ID=\"1\"><File File=\"A.xml\"/></Animation>"
        "<Animation ID=\"2\"><File File=\"B.xml\"/></Animation><oops></AnimationSet>");
  ASSERT_TRUE(LoadAnimationSet(f.animations, f.world.sprites, "Data\\AnimationSet.xml"));
  EXPECT_TRUE(f.animations.table[1]);
  EXPECT_TRUE(f.animations.table[2]);
}
