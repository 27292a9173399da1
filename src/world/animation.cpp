#include "world/animation.h"

#include "render/sprites.h"

void BindAnimation(AnimationState& state, const Animations& animations, int32_t id) {
  state.frames = IsAnimationId(id) ? animations.table[static_cast<size_t>(id)] : nullptr;
}

void SetAnimationClock(Animations& animations, const float* clock) { animations.clock = clock; }

int32_t FrameSprite(const AnimationState& state, int32_t frame) {
  if (!state.frames || frame < 0) return 0;
  const std::vector<int32_t>& sprites = state.frames->frameSprites;
  return static_cast<size_t>(frame) < sprites.size() ? sprites[static_cast<size_t>(frame)] : 0;
}

namespace {

void StepAnimation(AnimationState& state, const Animations& animations, int16_t first, int16_t last,
                   float frameTime) {
  const float clock = animations.clock ? *animations.clock : 0.0f;
  if (!(clock > state.nextStepTime)) return;
  const int64_t divisor = static_cast<int64_t>(last) + 1;
  const int64_t dividend = static_cast<int64_t>(state.frame) - first + 1;
  // C++'s remainder takes the dividend's sign, as the animation rule wants.
  const int64_t step = divisor == 0 ? 0 : dividend % divisor;
  state.frame = static_cast<int32_t>(first + step);
  state.nextStepTime = clock + frameTime;
}

}  // namespace

void PlayAnimation(AnimationState& state, const Animations& animations, SpriteStore& sprites, int32_t x,
                   int32_t y, int16_t first, int16_t last, float frameTime, uint8_t alpha) {
  StepAnimation(state, animations, first, last, frameTime);
  sprites.Display(FrameSprite(state, state.frame), x, y, alpha);
}

void PlayAnimationRotated(AnimationState& state, const Animations& animations, SpriteStore& sprites,
                          int32_t x, int32_t y, int16_t angle, int16_t first, int16_t last, float frameTime,
                          uint8_t alpha) {
  StepAnimation(state, animations, first, last, frameTime);
  const int32_t sprite = FrameSprite(state, state.frame);
  sprites.Rotate(sprite, angle, 0);
  sprites.Display(sprite, x, y, alpha);
}
