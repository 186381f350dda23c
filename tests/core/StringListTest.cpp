#include "core/StringList.h"
#include "core/Exception.h"

#include <gtest/gtest.h>

namespace {

TEST(StringList, KeepsItemsAndTagsInOrder) {
    TStringList list;
    EXPECT_EQ(list.Add("a"), 0);
    EXPECT_EQ(list.AddObject("[Border]", 7), 1);
    list.Insert(0, "first");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], "first");
    EXPECT_EQ(list[2], "[Border]");
    EXPECT_EQ(list.Objects(2), 7);
    list.Delete(0);
    EXPECT_EQ(list[0], "a");
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, IndexOutOfBoundsRaisesTheGeneralError) {
    TStringList list;
    list.Add("x");
    EXPECT_THROW(list.Strings(1), Exception);
    EXPECT_THROW(list.Strings(-1), Exception);
    EXPECT_THROW(list.Delete(3), Exception);
    try {
        list.Objects(5);
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "List index out of bounds (5)");
    }
}

TEST(StringList, IndexOfIgnoresAsciiCaseOnly) {
    TStringList list;
    list.Add("Border.BMP");
    list.Add("中文");
    EXPECT_EQ(list.IndexOf("border.bmp"), 0);
    EXPECT_EQ(list.IndexOf("中文"), 1);
    EXPECT_EQ(list.IndexOf("missing"), -1);
}

TEST(StringList, TextSplitsOnEveryLineEndAndJoinsWithCrLf) {
    TStringList list;
    list.SetText("one\r\ntwo\nthree\r\rfive");
    ASSERT_EQ(list.Count(), 5);
    EXPECT_EQ(list[3], "");
    EXPECT_EQ(list[4], "five");
    list.SetText("a\r\n");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Text(), "a\r\n");
}

} // namespace
