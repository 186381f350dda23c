#pragma once
// Writes IP location databases in the format TQQWry reads. A string that repeats is stored
// once: a record whose country and area both repeat an earlier record's points to that
// record's location (mode 1), a repeated country points to the stored string (mode 2), and a
// repeated area is an area redirect. The last range is by convention the release record:
// country = version text, area = "YYYY年M月D日IP数据".

#include <cstdint>
#include <string>
#include <vector>

// One IPv4 range; addresses as a·16777216 + b·65536 + c·256 + d, texts in GBK.
struct QQWryRange {
    std::uint32_t StartIP = 0;
    std::uint32_t EndIP = 0;
    std::string Country;
    std::string Area;
};

class QQWryWriter {
public:
    // Why the range cannot follow `previous` (null for the first range) in a database, or an
    // empty text: the range runs backwards, is not above the previous one, or a text is not
    // valid GBK or holds a control character (which the format would misread).
    static std::string CheckRange(const QQWryRange* previous, const QQWryRange& range);

    // The bytes of the database. Raises Exception (naming the range by its number, from 1)
    // when CheckRange rejects a range, when there is none, or when the data area would pass
    // the 16 MiB that 3-byte offsets reach.
    static std::vector<std::uint8_t> Build(const std::vector<QQWryRange>& ranges);
};
