// Animations: frame tables of sprite numbers held in the animation table by ID, the
// state an animated thing keeps (its current frame and when it steps next), and the
// playback that steps a state on the game clock and draws its frame.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class SpriteStore;

constexpr int kAnimationIds = 101;     // IDs 0-100
constexpr int kFrameSpriteBase = 2500;  // frame images are numbered from here upward
constexpr int32_t kMaxFrameCount = 9999;  // a "Frames" value above this is held to it

// One animation: the sprite shown for each frame number 0..count (0 = none).
struct FrameTable {
  int32_t count = 0;
  std::vector<int32_t> frameSprites;  // count + 1 entries (none when count < 0)
};

struct AnimationState {
  float nextStepTime = 0.0f;  // clock time after which the next step is due
  int32_t frame = 0;          // current frame number
  // The table bound by BindAnimation. Shared so that a table replaced in the
  // animation table later never leaves a state pointing at freed memory.
  std::shared_ptr<const FrameTable> frames;
};

// Door animations as the animation set file lists them (nothing reads it back).
struct DoorAnimationEntry {
  int32_t id = 0;
  std::string fileName;
  std::shared_ptr<const FrameTable> frames;
};

struct Animations {
  std::array<std::shared_ptr<FrameTable>, kAnimationIds> table{};
  std::vector<DoorAnimationEntry> doorAnimations;
  int32_t nextFrameSprite = 0;      // running counter of frame images; never rewound
  const float* clock = nullptr;     // the game clock the playback reads
};

inline bool IsAnimationId(int32_t id) { return id >= 0 && id < kAnimationIds; }

// Binds a state to the table held in entry `id` now (no table for IDs outside
// 0-100); the state's frame and time are left as they are.
void BindAnimation(AnimationState& state, const Animations& animations, int32_t id);

// The clock the playback reads (the game's `now`).
void SetAnimationClock(Animations& animations, const float* clock);

// The sprite of a frame of a state's table; 0 when there is no table or the frame
// lies outside 0..count.
int32_t FrameSprite(const AnimationState& state, int32_t frame);

// Steps the state when the clock is past its next step time (at most one step per
// call: frame = first + ((frame - first + 1) mod (last + 1)), the remainder taking the
// dividend's sign; next step = clock + frameTime), then draws the current frame at
// (x, y) with the given alpha. The rotated form first turns the frame's sprite to
// `angle` degrees (absolute).
void PlayAnimation(AnimationState& state, const Animations& animations, SpriteStore& sprites, int32_t x,
                   int32_t y, int16_t first, int16_t last, float frameTime, uint8_t alpha);
void PlayAnimationRotated(AnimationState& state, const Animations& animations, SpriteStore& sprites,
                          int32_t x, int32_t y, int16_t angle, int16_t first, int16_t last, float frameTime,
                          uint8_t alpha);
