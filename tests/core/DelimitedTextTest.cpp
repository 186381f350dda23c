#include "core/StringList.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> CommaItems(std::string_view text) {
    TStringList list;
    list.Add("old item");
    list.SetCommaText(text);
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i)
        items.push_back(list[i]);
    return items;
}

using Items = std::vector<std::string>;

TEST(DelimitedText, CommasAndRunsOfBlanksSeparate) {
    EXPECT_EQ(CommaItems("a,b c"), (Items{"a", "b", "c"}));
    EXPECT_EQ(CommaItems("  a \t , b  "), (Items{"a", "b"}));
    EXPECT_EQ(CommaItems("a,,b"), (Items{"a", "", "b"}));
    EXPECT_EQ(CommaItems("a,"), (Items{"a", ""}));
    EXPECT_EQ(CommaItems(""), (Items{}));
    EXPECT_EQ(CommaItems("中国 北京"), (Items{"中国", "北京"})) << "GBK bytes are never blanks";
}

TEST(DelimitedText, QuotedItemsKeepBlanksAndCommas) {
    EXPECT_EQ(CommaItems("\"a b,c\" d"), (Items{"a b,c", "d"}));
    EXPECT_EQ(CommaItems("\"say \"\"hi\"\"\""), (Items{"say \"hi\""}));
    EXPECT_EQ(CommaItems("\"open"), (Items{"open"}));
    EXPECT_EQ(CommaItems("x\"y"), (Items{"x\"y"})) << "a quote inside an item is plain";
}

TEST(DelimitedText, UsesTheListsDelimiterAndQuote) {
    TStringList list;
    list.SetDelimiter(';');
    list.SetQuoteChar('\'');
    list.SetDelimitedText("a;'b;c' d,e");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1], "b;c");
    EXPECT_EQ(list[2], "d,e");
}

} // namespace
