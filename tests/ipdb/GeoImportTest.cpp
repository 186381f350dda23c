#include "QQWryFixture.h"

#include "core/Exception.h"
#include "ipdb/GeoImport.h"
#include "ipdb/IsoCountryNames.h"
#include "ipdb/untTQQWry.h"
#include "platform/base/CodePage.h"

#include <gtest/gtest.h>

namespace {

// A gettext MO catalogue of the entries, in either byte order.
std::string MoCatalogue(const std::vector<std::pair<std::string, std::string>>& entries,
                        bool bigEndian = false) {
    std::string bytes;
    auto word = [&](std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>(value >> (bigEndian ? 24 - 8 * i : 8 * i));
    };
    const auto count = static_cast<std::uint32_t>(entries.size());
    const std::uint32_t originals = 28, translations = 28 + 8 * count;
    std::uint32_t next = translations + 8 * count;
    std::string strings;
    std::vector<std::uint32_t> table;
    for (int side = 0; side < 2; ++side) {
        for (const auto& entry : entries) {
            const std::string& text = side == 0 ? entry.first : entry.second;
            table.push_back(static_cast<std::uint32_t>(text.size()));
            table.push_back(next);
            strings += text + '\0';
            next += static_cast<std::uint32_t>(text.size()) + 1;
        }
    }
    for (std::uint32_t value : {0x950412DEu, 0u, count, originals, translations, 0u, 0u})
        word(value);
    for (std::uint32_t value : table)
        word(value);
    return bytes + strings;
}

// UTF-8 text from a GBK literal: the names of iso-codes are UTF-8.
std::string Utf8(const char* gbk) {
    return platform::GbkToUtf8(gbk);
}

class CountryNaming : public ::testing::Test {
protected:
    TemporaryFolder folder;
    IsoCountryNames names = [this] {
        std::ofstream(folder.File("table.json"))
            << R"({"3166-1": [{"alpha_2": "CN", "name": "China"}, {"alpha_2": "US", "name": "United States"},)"
            << R"( {"alpha_2": "ZZ", "name": "Zed Land, Republic of"}]})";
        std::ofstream(folder.File("zh.mo"), std::ios::binary)
            << MoCatalogue({{"", "Content-Type: text/plain; charset=UTF-8\n"},
                            {"China", Utf8("中国")},
                            {"United States", Utf8("美国")},
                            {"ctx\x04"
                             "China",
                             "x"}});
        return IsoCountryNames(folder.File("table.json"), folder.File("zh.mo"));
    }();
};

TEST_F(CountryNaming, ChineseThenEnglishThenCode) {
    EXPECT_EQ(names.ChineseName("CN"), Utf8("中国"));
    EXPECT_EQ(names.ChineseName("ZZ"), "");
    EXPECT_EQ(CountryText(Utf8("中国"), "China", "CN"), "中国");
    EXPECT_EQ(CountryText("", "Zed Land, Republic of", "ZZ"), "Zed　Land，　Republic　of")
        << "blanks and commas would split the fields";
    EXPECT_EQ(CountryText("", "\xF0\x9F\x98\x80 Land", "QQ"), "QQ") << "a name GBK cannot hold";
    EXPECT_EQ(CountryText("", "", ""), "未知国家");
}

TEST_F(CountryNaming, RangesGetCountryAndContinent) {
    std::vector<QQWryRange> named = NameCountryRanges({{0, 9, "CN", "China", "AS"},
                                                       {10, 19, "ZZ", "Zed", "OC"},
                                                       {20, 29, "XK", "Kosovo", "EU"},
                                                       {30, 39, "A1", "Anonymous Proxy", "--"},
                                                       {40, 49, "--", "N/A", "--"}},
                                                      names);
    ASSERT_EQ(named.size(), 5u);
    EXPECT_EQ(named[0].Country, "中国");
    EXPECT_EQ(named[0].Area, "亚洲");
    EXPECT_EQ(named[1].Country, "Zed　Land，　Republic　of") << "iso-codes' English name comes first";
    EXPECT_EQ(named[2].Country, "Kosovo") << "the source's name for a code iso-codes lacks";
    EXPECT_EQ(named[3].Country, "匿名代理");
    EXPECT_EQ(named[3].Area, "");
    EXPECT_EQ(named[4].Country, "未知国家");
}

TEST(MoCatalogue, ReadsBothByteOrdersAndRefusesOtherBytes) {
    auto catalogue = ReadMoCatalogue(MoCatalogue({{"a", "b"}, {std::string("one\0two", 7), "x"}}, true));
    EXPECT_EQ(catalogue.size(), 1u);
    EXPECT_EQ(catalogue["a"], "b");
    EXPECT_THROW(ReadMoCatalogue("not a catalogue"), Exception);
    std::string truncated = MoCatalogue({{"a", "b"}});
    truncated.resize(truncated.size() - 3);
    EXPECT_THROW(ReadMoCatalogue(truncated), Exception);
}

TEST(RangeLists, MergeJoinsOnlyDirectNeighboursThatReadTheSame) {
    std::vector<QQWryRange> merged = MergeAdjacentRanges({{0, 9, "A", "x"},
                                                          {10, 19, "A", "x"},
                                                          {21, 29, "A", "x"},
                                                          {30, 39, "A", "y"},
                                                          {40, 0xFFFFFFFF, "B", ""}});
    ASSERT_EQ(merged.size(), 4u);
    EXPECT_EQ(merged[0].EndIP, 19u);
    EXPECT_EQ(merged[1].StartIP, 21u);
    EXPECT_EQ(merged[3].EndIP, 0xFFFFFFFFu);
}

TEST(RangeLists, OverlayWinsAndEveryAddressStaysCovered) {
    const std::vector<QQWryRange> base = {{0, 99, "A", ""}, {100, 199, "B", ""}, {200, 0xFFFFFFFF, "C", ""}};
    const std::vector<QQWryRange> overlay = {
        {0, 9, "x", ""}, {50, 149, "y", ""}, {150, 150, "z", ""}, {0xFFFFFF00, 0xFFFFFFFF, "w", ""}};
    std::vector<QQWryRange> result = OverlayRanges(base, overlay);
    std::vector<std::string> texts;
    std::uint64_t next = 0;
    for (const QQWryRange& range : result) {
        EXPECT_EQ(range.StartIP, next) << "contiguous";
        next = static_cast<std::uint64_t>(range.EndIP) + 1;
        texts.push_back(range.Country + ":" + std::to_string(range.StartIP));
    }
    EXPECT_EQ(next, 0x100000000u);
    EXPECT_EQ(texts, (std::vector<std::string>{"x:0", "A:10", "y:50", "z:150", "B:151", "C:200",
                                               "w:" + std::to_string(0xFFFFFF00u)}));
}

TEST(RangeLists, TheSamplesSpecialRangesLeaveFillerAndReleaseOut) {
    std::ifstream stream(std::string(QUILLMERE_SOURCE_DIR) + "/resources/qqwry/sample.txt");
    std::string text((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    std::vector<QQWryRange> special = SpecialRangesOfSample(ParseQQWrySource(text));
    ASSERT_FALSE(special.empty());
    bool privateNetwork = false;
    for (const QQWryRange& range : special) {
        EXPECT_NE(range.Area, SampleFillerArea);
        EXPECT_NE(range.StartIP, 0xFFFFFFFFu) << "the sample's release record";
        privateNetwork |= range.StartIP == Address("192.168.0.0") && range.Country == "局域网";
    }
    EXPECT_TRUE(privateNetwork);
}

TEST(RangeLists, TheReleaseRecordTakesTheLastAddress) {
    std::vector<QQWryRange> ranges = {{0, 0xFFFFFFFF, "A", ""}};
    AppendReleaseRecord(ranges, "V", 2026, 7, 4);
    ASSERT_EQ(ranges.size(), 2u);
    EXPECT_EQ(ranges[0].EndIP, 0xFFFFFFFEu);
    EXPECT_EQ(ranges[1].Area, "2026年7月4日IP数据");
    EXPECT_EQ(ReleaseDateOfArea(ranges[1].Area), EncodeDate(2026, 7, 4));

    std::vector<QQWryRange> single = {{0, 0xFFFFFFFE, "A", ""}, {0xFFFFFFFF, 0xFFFFFFFF, "B", ""}};
    AppendReleaseRecord(single, "V", 2026, 7, 4);
    ASSERT_EQ(single.size(), 2u);
    EXPECT_EQ(single[1].Country, "V");
}

} // namespace
