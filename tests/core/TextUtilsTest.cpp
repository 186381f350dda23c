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

TEST(TextUtils, TheTwoIntegerSyntaxesDifferInBlanksTheZeroXPrefixAndNegatedPatterns) {
    const auto strict = [](const char* text) { return ParseInt32(text, IntegerSyntax::Strict); };
    const auto lenient = [](const char* text) { return ParseInt32(text, IntegerSyntax::Lenient); };
    for (const char* text : {"0", "-0", "+12", "$ff", "-$80000000", "$80000000", "-2147483648"}) {
        EXPECT_EQ(strict(text), lenient(text)) << text;
        EXPECT_TRUE(strict(text).has_value()) << text;
    }
    EXPECT_EQ(strict("-$80000000"), INT32_MIN);
    EXPECT_EQ(strict("$80000000"), INT32_MIN);
    EXPECT_EQ(lenient("  -0X1f"), -31);
    EXPECT_EQ(strict("  -0X1f"), std::nullopt);
    EXPECT_EQ(lenient(" $10"), 16);
    EXPECT_EQ(strict(" $10"), std::nullopt);
    EXPECT_EQ(strict("-$FFFFFFFF"), 1) << "the strict syntax negates any 32-bit pattern";
    EXPECT_EQ(lenient("-$FFFFFFFF"), std::nullopt) << "the lenient one keeps negated values in range";
    for (const char* text : {"0x", "-$", "$-1", "1$", "0x-1", "9a", "$fffffffff"}) {
        EXPECT_EQ(strict(text), std::nullopt) << text;
        EXPECT_EQ(lenient(text), std::nullopt) << text;
    }
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
