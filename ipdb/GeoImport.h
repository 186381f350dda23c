#pragma once
// Turning a country-level IPv4 location source into database ranges: naming each country in
// Chinese, merging neighbours that read the same, laying the special-purpose ranges of the
// sample over the country data and ending with the release record. Pure logic over range
// lists; reading the source (GeoIPReader.h) and the names (IsoCountryNames.h) is elsewhere.

#include "ipdb/QQWrySource.h"
#include "ipdb/QQWryWriter.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class IsoCountryNames;

// One range of the source, as it names its country: a two-letter code (or a source-specific
// one such as "A1" or "--"), the source's English name and continent code (UTF-8).
struct CountryRange {
    std::uint32_t StartIP = 0;
    std::uint32_t EndIP = 0;
    std::string Code;
    std::string EnglishName;
    std::string Continent;
};

// The area of the sample's filler ranges: those ranges say "not known here" and are not laid
// over country data.
extern const char* const SampleFillerArea;

// The GBK country text: the Chinese name, else the English name, else the code, the first one
// that is not empty and that GBK can hold. Blanks, commas and double quotes, which would split
// the record's fields, become their full-width forms.
std::string CountryText(std::string_view chineseUtf8, std::string_view englishUtf8, std::string_view code);

// The GBK area text for a continent code (AF, AN, AS, EU, NA, OC, SA), empty for others.
std::string ContinentText(std::string_view continent);

// Database ranges for the source's ranges: the country text from the names, or for the
// source's own codes (unknown, anonymous proxies, satellite providers, regions) a Chinese
// text of ours; the continent as the area.
std::vector<QQWryRange> NameCountryRanges(const std::vector<CountryRange>& ranges,
                                          const IsoCountryNames& names);

// Joins each range with the next when it continues it directly and reads the same.
std::vector<QQWryRange> MergeAdjacentRanges(const std::vector<QQWryRange>& ranges);

// The base ranges with the overlay laid on top: every address inside an overlay range answers
// with the overlay, every other address as before. Both lists ascending, not overlapping.
std::vector<QQWryRange> OverlayRanges(const std::vector<QQWryRange>& base,
                                      const std::vector<QQWryRange>& overlay);

// The ranges of the sample's source that are facts to lay over other data: all but the
// filler and the last range (the sample's release record).
std::vector<QQWryRange> SpecialRangesOfSample(const std::vector<QQWrySourceRange>& sample);

// Gives 255.255.255.255 to the release record: the range holding it is cut short (or dropped
// when that was all it held) and the release record, version text and "YYYY年M月D日IP数据",
// is appended.
void AppendReleaseRecord(std::vector<QQWryRange>& ranges, const std::string& version, int year, int month,
                         int day);
