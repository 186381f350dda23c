#pragma once
// The whole import of a GeoIP country database into database ranges: every address named
// through iso-codes, neighbours that read the same merged, the special-purpose ranges of a
// sample source laid on top, and the release record naming the data ("GeoLite国家库") and its
// date. The `qqwry import-geoip` command and the database updater both build with it.

#include "ipdb/GeoIPReader.h"
#include "ipdb/QQWrySource.h"

#include <vector>

constexpr const char* GeoIPVersionText = "GeoLite国家库";

// Raises Exception when the data names no valid date or iso-codes cannot be read.
std::vector<QQWryRange> ImportGeoIPRanges(const GeoIPCountryDatabase& geoip,
                                          const std::vector<QQWrySourceRange>& special);
