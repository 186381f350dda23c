#include "QQWryFixture.h"

#include "core/Exception.h"
#include "platform/base/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string BuildError(const std::vector<QQWryRange>& ranges) {
    try {
        QQWryWriter::Build(ranges);
    } catch (const Exception& error) {
        return error.Message();
    }
    return "(built)";
}

std::size_t Occurrences(const std::vector<std::uint8_t>& bytes, const std::string& gbk) {
    std::vector<std::uint8_t> text(gbk.begin(), gbk.end());
    std::size_t count = 0;
    auto at = bytes.begin();
    while ((at = std::search(at, bytes.end(), text.begin(), text.end())) != bytes.end()) {
        ++count;
        ++at;
    }
    return count;
}

TEST(Writer, StoresEachRepeatedStringOnce) {
    std::vector<QQWryRange> ranges;
    for (std::uint32_t i = 0; i < 50; ++i)
        ranges.push_back(
            {i << 24, (i << 24) | 0xFFFFFF, i % 2 ? "奇数国" : "偶数国", i % 3 ? "某省" : "另一省"});
    std::vector<std::uint8_t> bytes = QQWryWriter::Build(ranges);
    EXPECT_EQ(Occurrences(bytes, "奇数国"), 1u);
    EXPECT_EQ(Occurrences(bytes, "另一省"), 1u);
    EXPECT_LT(bytes.size(), 8 + 50 * (7 + 4 + 4 + 4) + 64u);
}

TEST(Writer, RefusesRangesThatCannotFormADatabase) {
    EXPECT_EQ(BuildError({}), "a database needs at least one range");
    EXPECT_EQ(BuildError({Range("1.0.0.5", "1.0.0.4", "a", "b")}),
              "range 1: the range ends (1.0.0.4) before it starts (1.0.0.5)");
    EXPECT_EQ(
        BuildError({Range("1.0.0.0", "1.0.0.9", "a", "b"), Range("1.0.0.9", "2.0.0.0", "a", "b")}),
        "range 2: the range starting at 1.0.0.9 is not above the previous range, which ends at 1.0.0.9");
    EXPECT_EQ(BuildError({Range("1.0.0.0", "1.0.0.9",
                                "\x01"
                                "a",
                                "b")}),
              "range 1: a text holds a control character");
    EXPECT_EQ(BuildError({Range("1.0.0.0", "1.0.0.9", "a", "\xCB")}), "range 1: a text is not valid GBK");
    EXPECT_EQ(BuildError({Range("1.0.0.0", "1.0.0.9", "a", "b"), Range("3.0.0.0", "4.0.0.0", "a", "b")}),
              "(built)")
        << "gaps are allowed";
}

TEST(Source, ReadsRangesAndSkipsComments) {
    // Literals are GBK; the source file is UTF-8.
    std::vector<QQWrySourceRange> ranges =
        ParseQQWrySource(platform::GbkToUtf8("# comment\n"
                                             "\n"
                                             "0.0.0.0\t9.255.255.255\t局域网\t私有\r\n"
                                             "10.0.0.0\t255.255.255.255\tV\t\n"));
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_EQ(ranges[0].Line, 3);
    EXPECT_EQ(ranges[0].Range.Country, "局域网");
    EXPECT_EQ(ranges[0].Range.Area, "私有");
    EXPECT_EQ(ranges[1].Range.StartIP, 0x0A000000u);
    EXPECT_EQ(ranges[1].Range.Area, "");
}

TEST(Source, NamesTheLineOfEveryMistake) {
    auto errorOf = [](std::string_view text) {
        try {
            ParseQQWrySource(text);
        } catch (const Exception& error) {
            return error.Message();
        }
        return std::string("(parsed)");
    };
    const std::string first = "0.0.0.0\t0.0.0.9\ta\tb\n";
    EXPECT_EQ(errorOf(first + "1.2.3\t1.2.3.4\ta\tb\n"), "line 2: '1.2.3' is not a dotted IPv4 address");
    EXPECT_EQ(errorOf(first + "1.2.3.4\t1.2.3.256\ta\tb\n"),
              "line 2: '1.2.3.256' is not a dotted IPv4 address");
    EXPECT_EQ(errorOf(first + "1.2.3.4\t1.2.3.5\ta\n"),
              "line 2: expected 4 tab-separated fields (start, end, country, area), found 3");
    EXPECT_EQ(errorOf(first + "0.0.0.5\t1.0.0.0\ta\tb\n"),
              "line 2: the range starting at 0.0.0.5 is not above the previous range, which ends at 0.0.0.9");
    EXPECT_EQ(errorOf(first + "1.0.0.0\t1.0.0.1\ta\t\xF0\x9F\x98\x80\n"),
              "line 2: the area is not UTF-8 text that GBK can hold");
}

TEST(Source, AcceptsOnlyPlainDottedAddresses) {
    std::uint32_t address = 0;
    EXPECT_TRUE(ParseDottedAddress("255.255.255.255", address));
    EXPECT_EQ(address, 0xFFFFFFFFu);
    for (const char* bad :
         {"", "1.2.3.4.", "1.2.3.4.5", "1.2.3.-4", "01234.1.1.1", " 1.2.3.4", "1.2.3.4 ", "a.b.c.d"})
        EXPECT_FALSE(ParseDottedAddress(bad, address)) << bad;
}

} // namespace
