#include "ipdb/GeoImport.h"

#include "core/Format.h"
#include "ipdb/IsoCountryNames.h"
#include "platform/base/CodePage.h"

#include <algorithm>

const char* const SampleFillerArea = "示例数据库未收录";

namespace {

// Codes of the source that name no country.
struct OwnCode {
    const char* code;
    const char* country;
};
const OwnCode OwnCodes[] = {
    {"--", "未知国家"}, {"A1", "匿名代理"}, {"A2", "卫星网络"},
    {"AP", "亚太地区"}, {"EU", "欧洲地区"}, {"O1", "其他国家"},
};

// Field separators of a record's text, and what they become inside a country name.
std::string WithoutSeparators(std::string gbk) {
    std::string text;
    for (char c : gbk) {
        switch (c) {
        case ' ':
            text += "　";
            break;
        case ',':
            text += "，";
            break;
        case '"':
            text += "＂";
            break;
        default:
            text += c;
        }
    }
    return text;
}

} // namespace

std::string CountryText(std::string_view chineseUtf8, std::string_view englishUtf8, std::string_view code) {
    for (std::string_view candidate : {chineseUtf8, englishUtf8, code}) {
        if (!candidate.empty() && platform::CanEncodeAsGbk(candidate))
            return WithoutSeparators(platform::Utf8ToGbk(candidate));
    }
    return "未知国家";
}

std::string ContinentText(std::string_view continent) {
    static const std::pair<const char*, const char*> continents[] = {
        {"AF", "非洲"},   {"AN", "南极洲"}, {"AS", "亚洲"},   {"EU", "欧洲"},
        {"NA", "北美洲"}, {"OC", "大洋洲"}, {"SA", "南美洲"},
    };
    for (const auto& [code, name] : continents)
        if (continent == code)
            return name;
    return std::string();
}

std::vector<QQWryRange> NameCountryRanges(const std::vector<CountryRange>& ranges,
                                          const IsoCountryNames& names) {
    std::vector<QQWryRange> named;
    named.reserve(ranges.size());
    for (const CountryRange& range : ranges) {
        QQWryRange entry{range.StartIP, range.EndIP, std::string(), ContinentText(range.Continent)};
        auto own = std::find_if(std::begin(OwnCodes), std::end(OwnCodes),
                                [&](const OwnCode& c) { return range.Code == c.code; });
        if (own != std::end(OwnCodes)) {
            entry.Country = own->country;
        } else {
            std::string english = names.EnglishName(range.Code);
            entry.Country = CountryText(names.ChineseName(range.Code),
                                        english.empty() ? range.EnglishName : english, range.Code);
        }
        named.push_back(std::move(entry));
    }
    return named;
}

std::vector<QQWryRange> MergeAdjacentRanges(const std::vector<QQWryRange>& ranges) {
    std::vector<QQWryRange> merged;
    for (const QQWryRange& range : ranges) {
        if (!merged.empty()) {
            QQWryRange& last = merged.back();
            if (last.EndIP != 0xFFFFFFFFu && last.EndIP + 1 == range.StartIP &&
                last.Country == range.Country && last.Area == range.Area) {
                last.EndIP = range.EndIP;
                continue;
            }
        }
        merged.push_back(range);
    }
    return merged;
}

std::vector<QQWryRange> OverlayRanges(const std::vector<QQWryRange>& base,
                                      const std::vector<QQWryRange>& overlay) {
    std::vector<QQWryRange> result;
    auto next = overlay.begin();
    for (const QQWryRange& range : base) {
        // The part of this base range still to place, as 64-bit bounds so that the end of the
        // address space needs no special case.
        std::uint64_t start = range.StartIP;
        const std::uint64_t end = range.EndIP;
        while (start <= end) {
            while (next != overlay.end() && next->EndIP < start)
                ++next;
            if (next == overlay.end() || next->StartIP > end) {
                result.push_back({static_cast<std::uint32_t>(start), range.EndIP, range.Country, range.Area});
                break;
            }
            if (next->StartIP > start)
                result.push_back(
                    {static_cast<std::uint32_t>(start), next->StartIP - 1, range.Country, range.Area});
            if (result.empty() || result.back().StartIP != next->StartIP)
                result.push_back(*next);
            start = static_cast<std::uint64_t>(next->EndIP) + 1;
        }
    }
    return result;
}

std::vector<QQWryRange> SpecialRangesOfSample(const std::vector<QQWrySourceRange>& sample) {
    std::vector<QQWryRange> special;
    for (std::size_t i = 0; i + 1 < sample.size(); ++i)
        if (sample[i].Range.Area != SampleFillerArea)
            special.push_back(sample[i].Range);
    return special;
}

void AppendReleaseRecord(std::vector<QQWryRange>& ranges, const std::string& version, int year, int month,
                         int day) {
    if (!ranges.empty() && ranges.back().EndIP == 0xFFFFFFFFu) {
        if (ranges.back().StartIP == 0xFFFFFFFFu)
            ranges.pop_back();
        else
            ranges.back().EndIP = 0xFFFFFFFEu;
    }
    ranges.push_back({0xFFFFFFFFu, 0xFFFFFFFFu, version, Format("%d年%d月%d日IP数据", year, month, day)});
}
