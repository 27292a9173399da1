#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "base/clock.h"
#include "base/random.h"

TEST(ClockTest, FixedClockStartsAtOneSecondAndStepsExactly) {
  Clock clock = Clock::Fixed();
  EXPECT_TRUE(clock.IsFixed());
  EXPECT_EQ(clock.Millis(), 1000u);
  EXPECT_EQ(clock.Now(), 1.0f);
  clock.Advance();
  EXPECT_EQ(clock.Millis(), 1016u);  // 1000 / 60 = 16.67, whole milliseconds
  for (int i = 1; i < 59; ++i) clock.Advance();
  EXPECT_EQ(clock.Millis(), 1983u);
  clock.Advance();
  EXPECT_EQ(clock.Millis(), 2000u);
  EXPECT_EQ(clock.Now(), 2.0f);
}

TEST(ClockTest, FixedClockOtherRatesAndNoDrift) {
  Clock clock = Clock::Fixed(50);
  clock.Advance();
  EXPECT_EQ(clock.Millis(), 1020u);
  Clock sixty = Clock::Fixed(60);
  for (int i = 0; i < 60 * 3600; ++i) sixty.Advance();  // one hour of frames
  EXPECT_EQ(sixty.Millis(), 1000u + 3600u * 1000u);
  EXPECT_EQ(sixty.Now(), 3601.0f);
  Clock broken = Clock::Fixed(0);
  broken.Advance();
  EXPECT_GT(broken.Millis(), 1000u);
}

TEST(ClockTest, RealClockStartsNearOneSecondAndFollowsSleep) {
  Clock clock = Clock::Real();
  EXPECT_FALSE(clock.IsFixed());
  const uint64_t start = clock.Millis();
  EXPECT_GE(start, 1000u);
  EXPECT_LT(start, 1000u + 5000u);
  SleepMs(20);
  clock.Advance();  // does nothing to a real clock
  EXPECT_GE(clock.Millis(), start + 20);
}

// Steps made while paused are taken out; a restart starts from 1 s, not paused.
TEST(ClockTest, APausedClockStandsStillAndGoesOnWhereItStopped) {
  Clock fixed = Clock::Fixed();
  for (int i = 0; i < 6; ++i) fixed.Advance();
  fixed.Pause();
  for (int i = 0; i < 300; ++i) fixed.Advance();
  EXPECT_EQ(fixed.Millis(), 1100u);
  fixed.Resume();
  fixed.Advance();
  EXPECT_EQ(fixed.Millis(), 1116u);
  fixed.Pause();
  fixed.Restart();
  EXPECT_FALSE(fixed.paused());
  EXPECT_EQ(fixed.Millis(), 1000u);

  Clock real = Clock::Real();
  real.Pause();
  const uint64_t held = real.Millis();
  SleepMs(30);
  EXPECT_EQ(real.Millis(), held);
  real.Resume();
  EXPECT_LT(real.Millis(), held + 25);
}

TEST(RandomTest, ZeroAndNegativeRangesGiveZero) {
  Rng rng(7);
  for (int i = 0; i < 1000; ++i) {
    ASSERT_EQ(rng.Random(0), 0);
    ASSERT_EQ(rng.Random(-5), 0);
  }
}

TEST(RandomTest, ReachesEveryValueAndNeverExceedsRange) {
  Rng rng(12345);
  std::array<int, 11> counts{};
  for (int i = 0; i < 110000; ++i) {
    const int32_t v = rng.Random(10);
    ASSERT_GE(v, 0);
    ASSERT_LE(v, 10);
    ++counts[static_cast<size_t>(v)];
  }
  for (int count : counts) {  // 10000 expected each; 5 % is over 15 standard deviations
    EXPECT_GT(count, 9500);
    EXPECT_LT(count, 10500);
  }
  bool sawOne = false;
  for (int i = 0; i < 200; ++i) sawOne |= rng.Random(1) == 1;
  EXPECT_TRUE(sawOne);
  for (int i = 0; i < 1000; ++i) ASSERT_GE(rng.Random(INT32_MAX), 0);
}

TEST(RandomTest, FollowsThePublishedSplitMix64Stream) {
  // SplitMix64 from seed 0 starts 0xE220A8397B1DCDAF, 0x6E789E6AA1B965F4; a range of
  // 2^31 values takes the low 31 bits of each output, with nothing rejected.
  Rng rng(0);
  EXPECT_EQ(rng.Random(INT32_MAX), 0x7B1DCDAF);
  EXPECT_EQ(rng.Random(INT32_MAX), 0x21B965F4);
}

TEST(RandomTest, SameSeedSameSequenceAndReseeding) {
  Rng a(99);
  Rng b(99);
  Rng c(100);
  std::vector<int32_t> first;
  int differences = 0;
  for (int i = 0; i < 100; ++i) {
    const int32_t v = a.Random(1000000);
    first.push_back(v);
    ASSERT_EQ(v, b.Random(1000000));
    differences += v != c.Random(1000000);
  }
  EXPECT_GT(differences, 90);
  a.Seed(99);
  for (int32_t v : first) ASSERT_EQ(a.Random(1000000), v);
}
