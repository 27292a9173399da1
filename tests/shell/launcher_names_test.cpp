// Map names as the launcher's drop-down shows them.
#include <gtest/gtest.h>

#include "shell/launcher.h"

TEST(Launcher, MapNamesShowAsUtf8AndLatin1NamesAreConverted) {
  for (const auto& [name, shown] : std::initializer_list<std::pair<std::string, std::string>>{
           {"Test", "Test"},
           {"", ""},
           {"Caf\xe9", "Caf\xc3\xa9"},                       // Latin-1 e acute
           {"Caf\xc3\xa9", "Caf\xc3\xa9"},                   // already UTF-8: kept
           {"\xff\x80 A", "\xc3\xbf\xc2\x80 A"},             // every byte of a non-UTF-8 name converts
           {"Stra\xdf" "e \xe2\x82\xac", "Stra\xc3\x9f" "e \xc3\xa2\xc2\x82\xc2\xac"},  // mixed: Latin-1 throughout
           {"\xc0\xaf", "\xc3\x80\xc2\xaf"},                 // an overlong form is not UTF-8
           {"\xed\xa0\x80", "\xc3\xad\xc2\xa0\xc2\x80"},     // nor a surrogate
           {"\xf4\x90\x80\x80", "\xc3\xb4\xc2\x90\xc2\x80\xc2\x80"},  // nor a code point above U+10FFFF
           {"\xf0\x9f\x99\x82 map", "\xf0\x9f\x99\x82 map"},  // a 4-byte sequence is fine
           {"Caf\xc3", "Caf\xc3\x83"}}) {                    // a sequence cut short
    EXPECT_EQ(MapNameForDisplay(name), shown) << name;
  }
}
