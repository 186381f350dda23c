#include "QQWryFixture.h"

#include "core/Exception.h"
#include "ipdb/untTQQWry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

namespace {

std::vector<std::string> FieldsOf(std::unique_ptr<TQQWry>& wry, std::int64_t n) {
    TStringList list;
    TQQWry::GetRecordFields(wry, list, n);
    std::vector<std::string> fields;
    for (int i = 0; i < list.Count(); ++i)
        fields.push_back(list[i]);
    return fields;
}

std::string RecordText(std::unique_ptr<TQQWry>& wry, std::int64_t n) {
    TQQWryRecordBuffer buffer{};
    TQQWry::FormatRecord(wry, buffer, n);
    EXPECT_EQ(buffer.back(), '\0');
    return std::string(buffer.data());
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& error) {
        return error.Message();
    }
    return "(no error)";
}

TEST(IPToValue, WeighsFourPartsWithoutRangeChecks) {
    EXPECT_EQ(TQQWry::IPToValue("1.2.3.4"), 16909060);
    EXPECT_EQ(TQQWry::IPToValue("0.0.0.0"), 0);
    EXPECT_EQ(TQQWry::IPToValue("255.255.255.255"), 4294967295LL);
    EXPECT_EQ(TQQWry::IPToValue("1.2.3.4.5"), 16909060);
    EXPECT_EQ(TQQWry::IPToValue("1.2.3.300"), 16909356);
    EXPECT_EQ(TQQWry::IPToValue("-1.0.0.0"), -16777216);
    for (const char* bad : {"1.2.3", "1.2.x.4", "1.2.3.", "", "1..2.3", "9999999999.0.0.0"})
        EXPECT_EQ(ErrorOf([bad] { TQQWry::IPToValue(bad); }), "无效的IP地址！") << bad;
}

TEST(SplitText, KeepsEmptyPartsAndTheLastPart) {
    auto items = [](std::string_view text) {
        std::vector<std::string> parts;
        auto list = SplitText(text, '.');
        for (int i = 0; i < list->Count(); ++i)
            parts.push_back((*list)[i]);
        return parts;
    };
    EXPECT_EQ(items("1.2.3.4"), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(items("1.2.3."), (std::vector<std::string>{"1", "2", "3", ""}));
    EXPECT_EQ(items("abc"), (std::vector<std::string>{"abc"}));
    EXPECT_EQ(items(""), (std::vector<std::string>{""}));
}

class Search : public ::testing::Test {
protected:
    // Starts above 0.0.0.0, so that addresses below the first range exist.
    std::vector<QQWryRange> ranges = {
        Range("1.0.0.0", "1.0.0.255", "A", "a"),
        Range("1.0.1.0", "1.255.255.255", "B", "b"),
        Range("2.0.0.0", "9.255.255.255", "C", "c"),
        Range("10.0.0.0", "10.0.0.0", "D", "d"),
        Range("10.0.0.1", "200.0.0.0", "E", "e"),
        Range("200.0.0.1", "255.255.255.0", "F", "f"),
        Range("255.255.255.1", "255.255.255.255", "V", "2024年1月2日IP数据"),
    };
    TemporaryFolder folder;
    std::string path = WriteDatabase(folder, ranges);

    std::int64_t Find(const char* address) {
        std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
        return TQQWry::FindRecord(wry, address);
    }
};

TEST_F(Search, FindsTheRangeThatStartsAtOrBelowTheAddress) {
    EXPECT_EQ(Find("1.0.0.0"), 1);
    EXPECT_EQ(Find("1.0.0.255"), 1);
    EXPECT_EQ(Find("1.0.1.0"), 2);
    EXPECT_EQ(Find("10.0.0.0"), 4);
    EXPECT_EQ(Find("10.0.0.1"), 5);
    EXPECT_EQ(Find("255.255.255.255"), 7);
    EXPECT_EQ(Find("1.2.3.400"), 2) << "parts above 255 are weighed, not refused";
    EXPECT_EQ(Find("300.0.0.0"), 7) << "above the last start IP: the last record";
}

TEST_F(Search, EndsWithZeroBelowTheFirstRange) {
    EXPECT_EQ(Find("0.255.255.255"), 0);
    EXPECT_EQ(Find("-5.0.0.0"), 0);
    std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
    TStringList fields;
    EXPECT_EQ(ErrorOf([&] { TQQWry::GetRecordFields(wry, fields, TQQWry::FindRecord(wry, "0.0.0.1")); }),
              "IP信息记录号过小或越界！");
    EXPECT_EQ(wry, nullptr);
}

TEST_F(Search, AgreesWithALinearScanOnManyRanges) {
    std::mt19937 random(7);
    std::vector<QQWryRange> many;
    std::uint32_t start = 0;
    for (int i = 0; i < 5000; ++i) {
        std::uint32_t length = 1 + random() % 900000;
        many.push_back({start, start + length - 1, "X", "x"});
        start += length;
    }
    many.push_back({start, 0xFFFFFFFF, "V", "2024年1月2日IP数据"});
    std::string bigPath = WriteDatabase(folder, many, "many.dat");
    std::unique_ptr<TQQWry> wry = TQQWry::Create(bigPath);
    for (int i = 0; i < 2000; ++i) {
        std::uint32_t address = static_cast<std::uint32_t>(random());
        auto found = std::upper_bound(many.begin(), many.end(), address,
                                      [](std::uint32_t a, const QQWryRange& r) { return a < r.StartIP; });
        std::int64_t expected = found - many.begin();
        std::string text = std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 255) + "." +
                           std::to_string((address >> 8) & 255) + "." + std::to_string(address & 255);
        ASSERT_EQ(TQQWry::FindRecord(wry, text), expected) << text;
    }
}

TEST(SearchOneRecord, EveryAddressYieldsTheOnlyRecord) {
    TemporaryFolder folder;
    std::string path =
        WriteDatabase(folder, {Range("0.0.0.0", "255.255.255.255", "V", "2024年1月2日IP数据")});
    std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
    for (const char* address : {"0.0.0.0", "8.8.8.8", "255.255.255.255", "999.1.1.1"})
        EXPECT_EQ(TQQWry::FindRecord(wry, address), 1) << address;
}

TEST(FormatRecord, PadsBothAddressesTo16BytesAndEndsWithCrLf) {
    TemporaryFolder folder;
    std::string path = WriteDatabase(
        folder, {Range("1.0.0.0", "1.0.0.255", "X", "Y"), Range("1.0.1.0", "255.255.255.255", "X", "")});
    std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
    EXPECT_EQ(RecordText(wry, 1), "1.0.0.0         1.0.0.255       X Y\r\n");
    EXPECT_EQ(RecordText(wry, 2), "1.0.1.0         255.255.255.255 X\r\n") << "an empty area leaves no blank";
    EXPECT_EQ(FieldsOf(wry, 2), (std::vector<std::string>{"1.0.1.0", "255.255.255.255", "X", "无"}));
}

TEST(FormatRecord, RejectsNumbersOutsideTheIndexAndDestroysTheObject) {
    TemporaryFolder folder;
    std::string path = WriteDatabase(folder, {Range("0.0.0.0", "255.255.255.255", "X", "Y")});
    for (std::int64_t n : {0, 2, -1}) {
        std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
        EXPECT_EQ(ErrorOf([&] { RecordText(wry, n); }), "IP信息记录号过小或越界！");
        EXPECT_EQ(wry, nullptr);
    }
}

TEST(FormatRecord, CutsAnOverlongLocationAtACharacterBoundary) {
    TemporaryFolder folder;
    std::string country(150, 'c');
    std::string area;
    for (int i = 0; i < 100; ++i)
        area += "中";
    std::string path = WriteDatabase(folder, {Range("0.0.0.0", "255.255.255.255", "A" + country, area)});
    std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
    std::string text = RecordText(wry, 1);
    ASSERT_LE(text.size(), 254u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    std::string location = text.substr(32, text.size() - 34);
    EXPECT_EQ(location.substr(0, 152), "A" + country + " ");
    EXPECT_EQ((location.size() - 152) % 2, 0u) << "no half character";
    EXPECT_GE(location.size(), 219u);
}

TEST(RecordFields, SplitsAtBlanksAndCommasAndHonoursQuotes) {
    TemporaryFolder folder;
    std::string path =
        WriteDatabase(folder, {
                                  Range("0.0.0.0", "0.255.255.255", "北 京", "海淀区"),
                                  Range("1.0.0.0", "1.255.255.255", "一,二", "三 四 五"),
                                  Range("2.0.0.0", "255.255.255.255", "\"带 引号\"\"\"", "地区"),
                              });
    std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
    EXPECT_EQ(FieldsOf(wry, 1),
              (std::vector<std::string>{"0.0.0.0", "0.255.255.255", "北", "京 海淀区", "海淀区"}));
    EXPECT_EQ(FieldsOf(wry, 2),
              (std::vector<std::string>{"1.0.0.0", "1.255.255.255", "一", "二 三 四 五", "三", "四", "五"}));
    EXPECT_EQ(FieldsOf(wry, 3),
              (std::vector<std::string>{"2.0.0.0", "255.255.255.255", "带 引号\"", "地区"}));
}

// Every way a location can be stored: inline, country and area moved (onto an inline
// location and onto one that itself moves its country), country moved, area moved.
TEST(RecordFields, ReadBackWhatTheWriterStoredThroughEveryRedirect) {
    std::vector<QQWryRange> ranges = {
        Range("0.0.0.0", "0.255.255.255", "中国", "北京"), // inline
        Range("1.0.0.0", "1.255.255.255", "中国", "北京"), // mode 1 onto an inline location
        Range("2.0.0.0", "2.255.255.255", "中国", "上海"), // country moved (mode 2)
        Range("3.0.0.0", "3.255.255.255", "中国", "上海"), // mode 1 onto a mode 2 location
        Range("4.0.0.0", "4.255.255.255", "日本", "北京"), // area moved
        Range("5.0.0.0", "5.255.255.255", "日本", ""),     // empty area
        Range("6.0.0.0", "255.255.255.255", "版本", "2024年1月2日IP数据"),
    };
    TemporaryFolder folder;
    std::string path = WriteDatabase(folder, ranges);
    std::vector<std::uint8_t> bytes = ReadBytes(path);
    auto locationByte = [&](int n) {
        std::size_t entry =
            bytes[0] + (bytes[1] << 8) + (bytes[2] << 16) + static_cast<std::size_t>(n - 1) * 7;
        std::size_t record = bytes[entry + 4] + (bytes[entry + 5] << 8) + (bytes[entry + 6] << 16);
        return bytes[record + 4];
    };
    EXPECT_EQ(locationByte(2), 1);
    EXPECT_EQ(locationByte(3), 2);
    EXPECT_EQ(locationByte(4), 1);

    std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        std::vector<std::string> fields = FieldsOf(wry, static_cast<std::int64_t>(i + 1));
        EXPECT_EQ(fields[2], ranges[i].Country) << i;
        EXPECT_EQ(fields[3], ranges[i].Area.empty() ? "无" : ranges[i].Area) << i;
    }
}

// Layouts the writer does not make: area redirects with mode byte 1 and with offset 0.
TEST(RecordFields, AreaRedirectToOffsetZeroIsTheUnknownArea) {
    RawDatabase raw;
    raw.PutString(8, "国家");  // 8..12
    raw.PutString(13, "某地"); // 13..17
    raw.Put32(18, 0x01FFFFFF); // record 1 at 18
    raw.PutString(22, "甲");   //   inline country
    raw.PutByte(25, 1).Put24(26, 0);
    raw.Put32(29, 0xFFFFFFFF); // record 2 at 29
    raw.PutByte(33, 2).Put24(34, 8);
    raw.PutByte(37, 1).Put24(38, 13);
    raw.Put32(0, 41).Put32(4, 48);
    raw.PutIndexEntry(41, 1, 0, 18).PutIndexEntry(41, 2, 0x02000000, 29);
    TemporaryFolder folder;
    std::string path = folder.File("raw.dat");
    WriteBytes(path, raw.Bytes());
    std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
    EXPECT_EQ(RecordText(wry, 1), "0.0.0.0         1.255.255.255   甲 未知地区\r\n");
    EXPECT_EQ(RecordText(wry, 2), "2.0.0.0         255.255.255.255 国家 某地\r\n");
}

} // namespace
