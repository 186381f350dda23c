// The database the build imports from Debian's GeoIP country data answers like libgeoip: for
// addresses outside the special-purpose ranges, the country (named as the importer names it)
// and the continent agree.

#include "QQWryFixture.h"

#include "ipdb/GeoIPReader.h"
#include "ipdb/IsoCountryNames.h"
#include "ipdb/untTQQWry.h"
#include "platform/base/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sys/wait.h>

#ifdef QUILLMERE_WITH_GEOIP
#include <GeoIP.h>
#endif

namespace {

#ifdef QUILLMERE_WITH_GEOIP

struct GeoIPCloser {
    void operator()(GeoIP* database) const { GeoIP_delete(database); }
};

TEST(GeoIPImport, AnswersLikeLibgeoip) {
    if (!std::filesystem::exists(DefaultGeoIPDatabase))
        GTEST_SKIP() << DefaultGeoIPDatabase << " is absent (Debian package geoip-database)";
    if (!std::filesystem::exists(IsoCountryNames::DefaultTable))
        GTEST_SKIP() << IsoCountryNames::DefaultTable << " is absent (Debian package iso-codes)";

    TemporaryFolder folder;
    const std::string sample = std::string(QUILLMERE_SOURCE_DIR) + "/resources/qqwry/sample.txt";
    const std::string database = folder.File("QQWry.Dat");
    const std::string command = std::string(QUILLMERE_BIN_DIR) + "/qqwry import-geoip " +
                                DefaultGeoIPDatabase + " " + sample + " " + database + " >/dev/null";
    int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;

    std::ifstream stream(sample);
    std::vector<QQWryRange> special = SpecialRangesOfSample(ParseQQWrySource(
        std::string((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>())));
    auto isSpecial = [&](std::uint32_t address) {
        return address == 0xFFFFFFFFu ||
               std::any_of(special.begin(), special.end(),
                           [&](const QQWryRange& r) { return r.StartIP <= address && address <= r.EndIP; });
    };

    std::unique_ptr<GeoIP, GeoIPCloser> geoip(
        GeoIP_open(DefaultGeoIPDatabase, GEOIP_MEMORY_CACHE | GEOIP_SILENCE));
    ASSERT_NE(geoip, nullptr);
    IsoCountryNames names;
    std::unique_ptr<TQQWry> wry = TQQWry::Create(database);
    EXPECT_GT(wry->GetRecordCount(), 100000);

    std::mt19937 random(3);
    int compared = 0;
    while (compared < 3000) {
        const auto address = static_cast<std::uint32_t>(random());
        if (isSpecial(address))
            continue;
        const int id = GeoIP_id_by_ipnum(geoip.get(), address);
        CountryRange source{address, address, GeoIP_code_by_id(id), GeoIP_name_by_id(id),
                            GeoIP_continent_by_id(id)};
        QQWryRange expected = NameCountryRanges({source}, names).front();

        const std::string text = std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 255) +
                                 "." + std::to_string((address >> 8) & 255) + "." +
                                 std::to_string(address & 255);
        TStringList fields;
        TQQWry::GetRecordFields(wry, fields, TQQWry::FindRecord(wry, text));
        ASSERT_EQ(platform::GbkToUtf8(fields[2]), platform::GbkToUtf8(expected.Country)) << text;
        ASSERT_EQ(fields[3], expected.Area.empty() ? "无" : expected.Area) << text;
        ++compared;
    }

    EXPECT_EQ(TQQWry::GetVersionText(wry), "GeoLite国家库");
    EXPECT_GT(YearOf(TQQWry::GetReleaseDate(wry)), 2000);
}

#else

TEST(GeoIPImport, AnswersLikeLibgeoip) {
    GTEST_SKIP() << "this build has no libgeoip (Debian package libgeoip-dev)";
}

#endif

} // namespace
