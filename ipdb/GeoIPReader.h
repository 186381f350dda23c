#pragma once
// Reading a country-level GeoIP database (Debian's geoip-database, /usr/share/GeoIP/GeoIP.dat,
// GeoLite data by MaxMind) through libgeoip. Built only where libgeoip is installed; elsewhere
// reading raises an Exception saying so.

#include "ipdb/GeoImport.h"

#include <string>
#include <vector>

struct GeoIPCountryDatabase {
    std::vector<CountryRange> Ranges; // every address from 0.0.0.0 up, ascending
    int Year = 0;                     // the date of the data, from the database's own info
    int Month = 0;
    int Day = 0;
};

constexpr const char* DefaultGeoIPDatabase = "/usr/share/GeoIP/GeoIP.dat";

// True when this build can read GeoIP databases.
bool HaveGeoIP();

// Walks the database range by range. Raises Exception when it cannot be opened, is not a
// country database, names no date, or does not answer with ranges that cover each address
// once, in order.
GeoIPCountryDatabase ReadGeoIPCountryDatabase(const std::string& path);
