#include <gtest/gtest.h>

#include "support/world_fixture.h"
#include "world/animation.h"

namespace {

struct AnimationWorld : RecordingWorld {
  float clock = 10.0f;
  Animations animations;
  AnimationState state;

  AnimationWorld() {
    animations.clock = &clock;
    auto table = std::make_shared<FrameTable>();
    table->count = 18;
    for (int frame = 0; frame <= 18; ++frame) {
      table->frameSprites.push_back(2500 + frame);
      PutSprite3D(sprites, 2500 + frame, 8, 8);
    }
    animations.table[2] = table;
    BindAnimation(state, animations, 2);
  }
  int Play(int16_t first, int16_t last) {
    PlayAnimation(state, animations, sprites, 3, 4, first, last, 0.1f, 255);
    return state.frame;
  }
};

}  // namespace

TEST(PlayAnimation, WrapsAndStepsOncePerDueTime) {
  AnimationWorld w;
  w.state.frame = 8;
  EXPECT_EQ(w.Play(0, 8), 0);          // a fresh state steps at once; 8 wraps to 0
  EXPECT_FLOAT_EQ(w.state.nextStepTime, 10.1f);
  EXPECT_EQ(w.Play(0, 8), 0);          // same clock: no second step
  w.clock = 11.5f;                     // a long stall still advances one frame
  EXPECT_EQ(w.Play(0, 8), 1);
  w.state.frame = 17;
  w.clock = 20.0f;
  EXPECT_EQ(w.Play(9, 18), 18);        // closing: 17 -> 18
  w.clock = 30.0f;
  EXPECT_EQ(w.Play(9, 18), 19);        // the formula passes last; callers stop before
  // Frame 19 lies outside the table: nothing is drawn for it.
  ASSERT_EQ(w.renderer.draws.size(), 4u);
  EXPECT_EQ(w.renderer.draws[0].quad.sprite, 2500);
  EXPECT_EQ(w.renderer.draws[3].quad.sprite, 2518);
  EXPECT_EQ(w.renderer.draws[0].quad.x, 3);
  EXPECT_EQ(FrameSprite(w.state, 19), 0);
  EXPECT_EQ(FrameSprite(w.state, -1), 0);
}

TEST(PlayAnimation, RemainderKeepsTheDividendSign) {
  AnimationWorld w;
  w.state.frame = 2;
  EXPECT_EQ(w.Play(9, 18), 9 + (2 - 9 + 1) % 19);  // -6 % 19 is -6 in C terms: frame 3
  EXPECT_EQ(w.state.frame, 3);
}

TEST(PlayAnimationRotated, SetsTheAngleAbsoluteBeforeTheDraw) {
  AnimationWorld w;
  w.sprites.Rotate(2501, 30.0f, 0);
  w.state.frame = 0;
  PlayAnimationRotated(w.state, w.animations, w.sprites, 0, 0, 270, 0, 8, 0.05f, 200);
  ASSERT_EQ(w.renderer.draws.size(), 1u);
  EXPECT_EQ(w.renderer.draws[0].quad.sprite, 2501);
  EXPECT_FLOAT_EQ(w.renderer.draws[0].quad.angle, 270.0f);
  EXPECT_EQ(w.renderer.draws[0].quad.alpha, 200);
}

TEST(BindAnimation, KeepsTheTableAliveAfterTheEntryIsReplaced) {
  AnimationWorld w;
  w.animations.table[2].reset();  // the entry goes; the bound state still has its table
  EXPECT_EQ(FrameSprite(w.state, 4), 2504);
  AnimationState unbound;
  BindAnimation(unbound, w.animations, 101);  // outside 0-100: no table
  BindAnimation(unbound, w.animations, -1);
  EXPECT_EQ(FrameSprite(unbound, 0), 0);
  PlayAnimation(unbound, w.animations, w.sprites, 0, 0, 0, 8, 0.1f, 255);
  EXPECT_TRUE(w.renderer.draws.empty());  // a state without a table draws nothing
}
