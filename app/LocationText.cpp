#include "app/LocationText.h"

#include "core/StringList.h"
#include "ipdb/untTQQWry.h"

std::string QQWryLocations::LocationOf(const std::string& remoteAddress, const std::string& separator) {
    std::unique_ptr<TQQWry> wry = TQQWry::Create(LocationDatabaseName);
    std::int64_t record = TQQWry::FindRecord(wry, remoteAddress);
    TStringList fields;
    TQQWry::GetRecordFields(wry, fields, record);
    wry.reset();
    return fields[2] + separator + fields[3];
}
