#include "platform/base/CodePage.h"
#include "platform/base/HandleTable.h"
#include "platform/base/KernelObject.h"
#include "platform/base/MulDiv.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage, GbkAndUtf8RoundTrip) {
    EXPECT_EQ(platform::GbkToUtf8("\xCB\xA2\xD0\xC2"), "\xE5\x88\xB7\xE6\x96\xB0");
    EXPECT_EQ(platform::Utf8ToGbk("\xE5\x88\xB7\xE6\x96\xB0 ok"), "\xCB\xA2\xD0\xC2 ok");
    EXPECT_EQ(platform::GbkToUtf16("\xCB\xA2"), u"\u5237");
    EXPECT_EQ(platform::Utf16ToGbk(u"\u5237x"), "\xCB\xA2x");
}

TEST(CodePage, UnconvertibleCharactersBecomeQuestionMarks) {
    // U+1F600 (an emoji) does not exist in GBK; a lone lead byte is not valid GBK.
    EXPECT_EQ(platform::Utf8ToGbk("a\xF0\x9F\x98\x80"
                                  "b"),
              "a?b");
    EXPECT_FALSE(platform::CanEncodeAsGbk("\xF0\x9F\x98\x80"));
    EXPECT_EQ(platform::GbkToUtf8("x\xCB"), "x?");
    EXPECT_FALSE(platform::IsValidGbk("x\xCB"));
    EXPECT_TRUE(platform::IsValidGbk("\xCB\xA2"));
}

// ASCII between the double-byte characters is copied as it stands; a pair whose second byte
// lies in the ASCII range is still one character, and a broken pair loses only its first byte.
TEST(CodePage, MixedTextKeepsPairsWholeAcrossAsciiRuns) {
    EXPECT_EQ(platform::GbkToUtf8("1.2.3.4:80 \xCB\xA2\xD0\xC2 /usr/bin/x"),
              "1.2.3.4:80 \xE5\x88\xB7\xE6\x96\xB0 /usr/bin/x");
    EXPECT_EQ(platform::GbkToUtf8("a\x81\x40z"), "a\xE4\xB8\x82z"); // U+4E02: trail byte '@'
    EXPECT_EQ(platform::GbkToUtf8("a\x81\nb\x80"
                                  "c\xFF"),
              "a?\nb\xE2\x82\xAC"
              "c?"); // 0x80 is the euro sign in this code page
    EXPECT_FALSE(platform::IsValidGbk("ok\x81\n"));
    EXPECT_EQ(platform::Utf8ToGbk("x\xE5\x88\xB7y\xC3z\xE5\x88"), "x\xCB\xA2y?z?");
    EXPECT_EQ(platform::GbkToUtf8(""), "");
    EXPECT_EQ(platform::GbkToUtf16("1.2.3.4:80 \xCB\xA2 a\x81\x40z"), u"1.2.3.4:80 \u5237 a\u4E02z");
    EXPECT_EQ(platform::GbkToUtf16("x\xCB"), u"x?");
    EXPECT_EQ(platform::GbkToUtf16(""), u"");
}

TEST(CodePage, MultiByteToWideCharFollowsThePlatformsSizing) {
    const char* text = "\xCB\xA2\xD0\xC2";
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0), 3); // two characters and the NUL
    WCHAR buffer[3];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, 3), 3);
    EXPECT_EQ(buffer[0], u'\u5237');
    EXPECT_EQ(buffer[2], u'\0');
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, text, -1, buffer, 2), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, "\xCB", 1, buffer, 3), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(CodePage, WideCharToMultiByteReportsTheDefaultCharacter) {
    BOOL usedDefault = FALSE;
    char buffer[8] = {};
    // Each half of a surrogate pair is one unconvertible character.
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"a\U0001F600", 3, buffer, 8, "*", &usedDefault), 3);
    EXPECT_EQ(std::string(buffer, 3), "a**");
    EXPECT_TRUE(usedDefault);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"a", 1, buffer, 8, "*", nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(MulDiv, RoundsHalfAwayFromZeroAndReportsFailure) {
    EXPECT_EQ(MulDiv(9, 96, 72), 12);
    EXPECT_EQ(MulDiv(-9, 96, 72), -12);
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 4, 1), -1);
}

struct Probe : platform::KernelObject {
    explicit Probe(int* destroyed) : destroyed(destroyed) {}
    ~Probe() override { ++*destroyed; }
    int* destroyed;
};
struct OtherKind : platform::KernelObject {};

TEST(KernelObjects, CloseHandleDestroysOnceAndStaleHandlesFail) {
    int destroyed = 0;
    HANDLE handle = platform::InsertKernelObject(std::make_unique<Probe>(&destroyed));
    EXPECT_NE(platform::FindKernelObjectOf<Probe>(handle), nullptr);
    EXPECT_EQ(platform::FindKernelObjectOf<OtherKind>(handle), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_TRUE(CloseHandle(handle));
    EXPECT_EQ(destroyed, 1);
    EXPECT_FALSE(CloseHandle(handle));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(destroyed, 1);
}

TEST(HandleTable, ValuesAreNeverReused) {
    platform::HandleTable<int> table;
    auto first = table.Insert(std::make_unique<int>(1));
    table.Remove(first);
    auto second = table.Insert(std::make_unique<int>(2));
    EXPECT_NE(first, second);
    EXPECT_EQ(table.Find(first), nullptr);
    EXPECT_EQ(*table.Find(second), 2);
}

} // namespace
