#pragma once
// Rebuilding the IP database "QQWry.Dat" from the GeoIP country data installed on the machine,
// with the same import as `qqwry import-geoip` and the program's special ranges on top. The new
// database is written beside the old one under a temporary name and renamed over it only when
// it is complete and opens with the expected records, so a failed or interrupted update never
// leaves a damaged database: the old one stays as it was.

#include <cstdint>
#include <functional>
#include <string>

// What a database file is, for the before-and-after report.
struct DatabaseSummary {
    bool usable = false; // false: absent, or not a database that opens
    std::int64_t records = 0;
    int year = 0;
    int month = 0;
    int day = 0;
};

struct UpdateSources {
    std::string geoipPath;     // the GeoIP country database (UTF-8 path)
    std::string specialRanges; // the special ranges as `qqwry build` reads them (UTF-8 text)
};

// The sources on this machine: Debian's GeoIP data and the ranges built into the program.
UpdateSources InstalledUpdateSources();

struct UpdateReport {
    DatabaseSummary before;
    DatabaseSummary after;
};

// Called as the update goes on: how far it is (0 to 100) and what it does now (GBK).
using UpdateProgress = std::function<void(int percent, const std::string& step)>;

// The summary of a database file (GBK name); an absent or damaged file is not usable.
DatabaseSummary SummarizeDatabase(const std::string& fileName);

// Replaces the database (GBK name) with one built from the sources. Raises Exception with a
// message for the user (GBK) when the GeoIP data is missing or unreadable, or the new database
// cannot be written or does not check out; the old database is then untouched and no
// temporary file is left.
UpdateReport UpdateDatabase(const std::string& fileName, const UpdateSources& sources,
                            const UpdateProgress& progress);

// The report's text for the user: the old and new record counts and dates.
std::string UpdateReportText(const UpdateReport& report);
