#include "ipdb/GeoIPReader.h"

#include "core/Exception.h"
#include "core/Format.h"

#ifdef QUILLMERE_WITH_GEOIP

#include "ipdb/QQWrySource.h"

#include <GeoIP.h>

#include <cstdlib>
#include <memory>

namespace {

struct GeoIPCloser {
    void operator()(GeoIP* database) const { GeoIP_delete(database); }
};

std::string Dotted(std::uint32_t address) {
    return Format("%u.%u.%u.%u", address >> 24, (address >> 16) & 0xFF, (address >> 8) & 0xFF,
                  address & 0xFF);
}

// The info text is like "GEO-106FREE 20260704 Build 1 ...": the first run of eight digits.
bool DateOfInfo(const char* info, int& year, int& month, int& day) {
    std::string text = info ? info : "";
    for (std::size_t i = 0; i + 8 <= text.size(); ++i) {
        bool digits = true;
        for (std::size_t k = i; k < i + 8 && digits; ++k)
            digits = text[k] >= '0' && text[k] <= '9';
        if (!digits || (i + 8 < text.size() && text[i + 8] >= '0' && text[i + 8] <= '9'))
            continue;
        year = std::stoi(text.substr(i, 4));
        month = std::stoi(text.substr(i + 4, 2));
        day = std::stoi(text.substr(i + 6, 2));
        return true;
    }
    return false;
}

} // namespace

bool HaveGeoIP() {
    return true;
}

GeoIPCountryDatabase ReadGeoIPCountryDatabase(const std::string& path) {
    std::unique_ptr<GeoIP, GeoIPCloser> database(
        GeoIP_open(path.c_str(), GEOIP_MEMORY_CACHE | GEOIP_SILENCE));
    if (!database)
        throw Exception(Format("cannot open the GeoIP database %s", path.c_str()));
    if (GeoIP_database_edition(database.get()) != GEOIP_COUNTRY_EDITION)
        throw Exception(Format("%s is not a GeoIP IPv4 country database", path.c_str()));

    GeoIPCountryDatabase result;
    std::unique_ptr<char, decltype(&std::free)> info(GeoIP_database_info(database.get()), &std::free);
    if (!DateOfInfo(info.get(), result.Year, result.Month, result.Day))
        throw Exception(Format("%s names no date in its info", path.c_str()));

    std::uint64_t address = 0;
    while (address <= 0xFFFFFFFFu) {
        const auto start = static_cast<std::uint32_t>(address);
        char** bounds = GeoIP_range_by_ip(database.get(), Dotted(start).c_str());
        std::uint32_t first = 0, last = 0;
        bool parsed = bounds && bounds[0] && bounds[1] && ParseDottedAddress(bounds[0], first) &&
                      ParseDottedAddress(bounds[1], last);
        GeoIP_range_by_ip_delete(bounds);
        if (!parsed || first > start || last < start)
            throw Exception(Format("%s gives no range for %s", path.c_str(), Dotted(start).c_str()));
        const int id = GeoIP_id_by_ipnum(database.get(), start);
        result.Ranges.push_back({start, last, GeoIP_code_by_id(id) ? GeoIP_code_by_id(id) : "--",
                                 GeoIP_name_by_id(id) ? GeoIP_name_by_id(id) : "",
                                 GeoIP_continent_by_id(id) ? GeoIP_continent_by_id(id) : "--"});
        address = static_cast<std::uint64_t>(last) + 1;
    }
    return result;
}

#else

bool HaveGeoIP() {
    return false;
}

GeoIPCountryDatabase ReadGeoIPCountryDatabase(const std::string& path) {
    throw Exception(Format(
        "cannot read %s: this build has no libgeoip (install libgeoip-dev and build again)", path.c_str()));
}

#endif
