#pragma once
// The location column's database: "QQWry.Dat" in the current folder, built, searched, asked
// for the record's fields and destroyed again for every address.

#include "app/Listing.h"

class QQWryLocations : public LocationLookup {
public:
    // Country and area of the record whose range holds the address, joined by the separator.
    // The database's errors ("文件 %s 不存在！"...) pass to the caller; the database object is
    // gone by then either way.
    std::string LocationOf(const std::string& remoteAddress, const std::string& separator) override;
};

constexpr const char* LocationDatabaseName = "QQWry.Dat";
