#include "base/input.h"

#include <gtest/gtest.h>

TEST(ScanCodeByNameTest, GameKeysAnyCase) {
  EXPECT_EQ(ScanCodeByName("ESCAPE"), scan::kEscape);
  EXPECT_EQ(ScanCodeByName("escape"), scan::kEscape);
  EXPECT_EQ(ScanCodeByName("1"), scan::k1);
  EXPECT_EQ(ScanCodeByName("2"), scan::k2);
  EXPECT_EQ(ScanCodeByName("w"), scan::kW);
  EXPECT_EQ(ScanCodeByName("E"), scan::kE);
  EXPECT_EQ(ScanCodeByName("r"), scan::kR);
  EXPECT_EQ(ScanCodeByName("A"), scan::kA);
  EXPECT_EQ(ScanCodeByName("s"), scan::kS);
  EXPECT_EQ(ScanCodeByName("D"), scan::kD);
  EXPECT_EQ(ScanCodeByName("v"), scan::kV);
  EXPECT_EQ(ScanCodeByName("f9"), scan::kF9);
  EXPECT_EQ(ScanCodeByName("F10"), scan::kF10);
  EXPECT_EQ(ScanCodeByName("F11"), scan::kF11);
}

TEST(ScanCodeByNameTest, OtherMainBlockKeys) {
  EXPECT_EQ(ScanCodeByName("0"), 0x0B);
  EXPECT_EQ(ScanCodeByName("9"), 0x0A);
  EXPECT_EQ(ScanCodeByName("Q"), 0x10);
  EXPECT_EQ(ScanCodeByName("P"), 0x19);
  EXPECT_EQ(ScanCodeByName("L"), 0x26);
  EXPECT_EQ(ScanCodeByName("Z"), 0x2C);
  EXPECT_EQ(ScanCodeByName("m"), 0x32);
  EXPECT_EQ(ScanCodeByName("F1"), 0x3B);
  EXPECT_EQ(ScanCodeByName("F12"), 0x58);
}

TEST(ScanCodeByNameTest, EveryLetterIsKnownAndCodesAreDistinct) {
  std::array<bool, 256> seen{};
  for (char c = 'A'; c <= 'Z'; ++c) {
    const int code = ScanCodeByName(std::string_view(&c, 1));
    ASSERT_GT(code, 0) << c;
    ASSERT_LT(code, 256) << c;
    EXPECT_FALSE(seen[code]) << c;
    seen[code] = true;
  }
}

TEST(ScanCodeByNameTest, UnknownNames) {
  EXPECT_EQ(ScanCodeByName(""), -1);
  EXPECT_EQ(ScanCodeByName("F13"), -1);
  EXPECT_EQ(ScanCodeByName("F"), 0x21);
  EXPECT_EQ(ScanCodeByName("WW"), -1);
  EXPECT_EQ(ScanCodeByName("ESC"), -1);
  EXPECT_EQ(ScanCodeByName("ESCAPES"), -1);
  EXPECT_EQ(ScanCodeByName(std::string_view("W\0", 2)), -1);
}

TEST(KeyboardTest, ReleasedOnlyInFirstSnapshotAfterLettingGo) {
  Keyboard keys;
  KeyArray down{};
  down[scan::kW] = 1;
  keys.Snapshot(down);
  EXPECT_TRUE(keys.Pushed(scan::kW));
  EXPECT_FALSE(keys.Released(scan::kW));
  keys.Snapshot(down);
  EXPECT_FALSE(keys.Released(scan::kW));
  keys.Snapshot(KeyArray{});
  EXPECT_FALSE(keys.Pushed(scan::kW));
  EXPECT_TRUE(keys.Released(scan::kW));
  keys.Snapshot(KeyArray{});
  EXPECT_FALSE(keys.Released(scan::kW));
  EXPECT_FALSE(keys.Pushed(-1));
  EXPECT_FALSE(keys.Released(256));
}
