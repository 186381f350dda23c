#include "core/AnsiStrings.h"

#include <gtest/gtest.h>

namespace {

// 0xB0 0xC4 and 0xEA 0xA1 are two characters; "年" is 0xC4 0xEA, found byte-wise across them.
const std::string Straddling = "\xB0\xC4\xEA\xA1";

TEST(AnsiStrings, FindsOnlyAtCharacterBoundaries) {
    EXPECT_EQ(AnsiPos("2005年3月", "年"), 4u);
    EXPECT_EQ(AnsiPos(Straddling, "年"), std::string::npos);
    EXPECT_EQ(AnsiPos(Straddling + "年", "年"), 4u);
    EXPECT_EQ(AnsiPos("abc", ""), std::string::npos);
    EXPECT_EQ(AnsiPos("ab", "abc"), std::string::npos);
}

TEST(AnsiStrings, ReplacesOnlyWholeCharacters) {
    EXPECT_EQ(AnsiReplaceAll("2005年3月9日", "年", "-"), "2005-3月9日");
    EXPECT_EQ(AnsiReplaceAll(Straddling + "年年", "年", "-"), Straddling + "--");
    EXPECT_EQ(AnsiReplaceAll("aaa", "a", "aa"), "aaaaaa");
}

TEST(AnsiStrings, PrefixesNeverCutACharacter) {
    EXPECT_EQ(AnsiPrefixLength("ab中文", 3), 2u);
    EXPECT_EQ(AnsiPrefixLength("ab中文", 4), 4u);
    EXPECT_EQ(AnsiPrefixLength("ab中文", 100), 6u);
    EXPECT_EQ(AnsiPrefixLength("ab\xD6", 3), 2u) << "a lead byte without its trail byte";
}

} // namespace
