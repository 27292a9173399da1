#include "base/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(ReadIntTest, SignsBlanksAndBases) {
  EXPECT_EQ(ReadInt("  +7"), 7);
  EXPECT_EQ(ReadInt("\t-12abc"), -12);
  EXPECT_EQ(ReadInt(" \t 42"), 42);
  EXPECT_EQ(ReadInt("$fF"), 255);
  EXPECT_EQ(ReadInt("$1aG"), 26);
  EXPECT_EQ(ReadInt("%101"), 5);
  EXPECT_EQ(ReadInt("%1021"), 2);
  EXPECT_EQ(ReadInt("+$10"), 16);
  EXPECT_EQ(ReadInt("-%11"), -3);
  EXPECT_EQ(ReadInt("0012"), 12);
}

TEST(ReadIntTest, NoDigitsGiveZero) {
  EXPECT_EQ(ReadInt(""), 0);
  EXPECT_EQ(ReadInt("$"), 0);
  EXPECT_EQ(ReadInt("-"), 0);
  EXPECT_EQ(ReadInt("%"), 0);
  EXPECT_EQ(ReadInt("abc"), 0);
  EXPECT_EQ(ReadInt("--5"), 0);
  EXPECT_EQ(ReadInt("+-5"), 0);
  EXPECT_EQ(ReadInt("\n5"), 0);  // only blanks and tabs are skipped
  EXPECT_EQ(ReadInt("- 5"), 0);
}

TEST(ReadIntTest, StopsAtFirstCharacterThatDoesNotFit) {
  EXPECT_EQ(ReadInt("12 34"), 12);
  EXPECT_EQ(ReadInt("7|100|200"), 7);
  EXPECT_EQ(ReadInt("9.9"), 9);
  EXPECT_EQ(ReadInt("$abcx1"), 0xABC);
}

TEST(ReadIntTest, WrapsToThirtyTwoBits) {
  EXPECT_EQ(ReadInt("2147483647"), INT32_MAX);
  EXPECT_EQ(ReadInt("2147483648"), INT32_MIN);
  EXPECT_EQ(ReadInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(ReadInt("4294967297"), 1);
  EXPECT_EQ(ReadInt("4294967295"), -1);
  EXPECT_EQ(ReadInt("$FFFFFFFF"), -1);
  EXPECT_EQ(ReadInt("$100000005"), 5);
  EXPECT_EQ(ReadInt("99999999999999999999"), static_cast<int32_t>(1661992959u));
}

TEST(ReadIntTest, ByteKeepsLowEightBits) {
  EXPECT_EQ(ReadByte("300"), 44);
  EXPECT_EQ(ReadByte("-1"), 255);
  EXPECT_EQ(ReadByte("$1FF"), 255);
  EXPECT_EQ(ReadByte("256"), 0);
}

TEST(RealToIntTest, RoundHalvesToEvenAndTruncateTowardZero) {
  EXPECT_EQ(RoundInt(2.5f), 2);
  EXPECT_EQ(RoundInt(3.5f), 4);
  EXPECT_EQ(RoundInt(-2.5f), -2);
  EXPECT_EQ(RoundInt(700.6f), 701);
  EXPECT_EQ(TruncInt(-1.7f), -1);
  EXPECT_EQ(TruncInt(1.999f), 1);
  EXPECT_EQ(TruncInt(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(TruncInt(1e20f), INT32_MAX);
  EXPECT_EQ(TruncInt(-1e20f), INT32_MIN);
}
