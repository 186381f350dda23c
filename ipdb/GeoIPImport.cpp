#include "ipdb/GeoIPImport.h"

#include "core/DateTime.h"
#include "core/Exception.h"
#include "ipdb/IsoCountryNames.h"

std::vector<QQWryRange> ImportGeoIPRanges(const GeoIPCountryDatabase& geoip,
                                          const std::vector<QQWrySourceRange>& special) {
    TDateTime released;
    if (!TryEncodeDate(geoip.Year, geoip.Month, geoip.Day, released))
        throw Exception("the GeoIP data names no valid date");
    IsoCountryNames names;
    std::vector<QQWryRange> ranges = MergeAdjacentRanges(NameCountryRanges(geoip.Ranges, names));
    ranges = MergeAdjacentRanges(OverlayRanges(ranges, SpecialRangesOfSample(special)));
    AppendReleaseRecord(ranges, GeoIPVersionText, geoip.Year, geoip.Month, geoip.Day);
    return ranges;
}
