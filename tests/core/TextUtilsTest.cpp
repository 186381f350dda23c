#include "core/TextUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(TextUtils, LowerCaseFoldsOnlyAToZ) {
    EXPECT_EQ(LowerCase("Skin.INI [Form]_@Z"), "skin.ini [form]_@z");
    EXPECT_EQ(LowerCase("\xC1\xD2\xC4\xC9"), "\xC1\xD2\xC4\xC9");
}

TEST(TextUtils, TrimRemovesControlCharactersAndBlanksAtBothEnds) {
    EXPECT_EQ(Trim(" \t\x01 a b \r\n\x1F"), "a b");
    EXPECT_EQ(Trim(" \t "), "");
    EXPECT_EQ(Trim("\xA1\xA1x"), "\xA1\xA1x");
}

TEST(TextUtils, StrToIntDefAcceptsDecimalHexAndSign) {
    EXPECT_EQ(StrToIntDef("26", 0), 26);
    EXPECT_EQ(StrToIntDef("-5", 0), -5);
    EXPECT_EQ(StrToIntDef("+7", 0), 7);
    EXPECT_EQ(StrToIntDef("$FF", 0), 255);
    EXPECT_EQ(StrToIntDef("$1a", 0), 26);
    EXPECT_EQ(StrToIntDef("-$10", 0), -16);
    EXPECT_EQ(StrToIntDef("$FFFFFFFF", 0), -1);
    EXPECT_EQ(StrToIntDef("2147483647", 0), 2147483647);
    EXPECT_EQ(StrToIntDef("-2147483648", 0), INT32_MIN);
}

TEST(TextUtils, StrToIntDefGivesTheDefaultForAnythingElse) {
    for (const char* text : {"", "abc", "$", "-", "+", "0x1A", "12a", " 12", "12 ", "$1FFFFFFFF",
                             "2147483648", "-2147483649", "99999999999999999999", "$G"})
        EXPECT_EQ(StrToIntDef(text, -77), -77) << text;
}

TEST(TextUtils, AnsiSameTextIgnoresLatinCaseButComparesGbkCharactersWhole) {
    EXPECT_TRUE(AnsiSameText("[Form]", "[FORM]"));
    EXPECT_FALSE(AnsiSameText("[Form]", "[ Form ]"));
    EXPECT_FALSE(AnsiSameText("a", "ab"));
    // 0x81 0x41 and 0x81 0x61 are two different characters whose trail bytes are 'A' and 'a'.
    EXPECT_FALSE(AnsiSameText("\x81\x41", "\x81\x61"));
    EXPECT_TRUE(AnsiSameText("\xCB\xA2X", "\xCB\xA2x"));
}

} // namespace
