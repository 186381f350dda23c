#pragma once
// The readable source of a database: UTF-8 text, one range per line as
// "start<TAB>end<TAB>country<TAB>area" with dotted IPv4 addresses, ranges ascending and not
// overlapping. Empty lines and lines whose first character is '#' are comments.

#include "ipdb/QQWryWriter.h"

#include <string_view>
#include <vector>

struct QQWrySourceRange {
    QQWryRange Range; // texts converted to GBK
    int Line = 0;     // where it was written, from 1
};

// Raises Exception ("line N: ...") for a line that is not four fields, an address that is not
// dotted IPv4, a text GBK cannot hold, or a range out of order (QQWryWriter::CheckRange).
std::vector<QQWrySourceRange> ParseQQWrySource(std::string_view utf8Text);

// The dotted IPv4 text (four decimal parts 0-255, nothing else) as a number; false if it is
// not one.
bool ParseDottedAddress(std::string_view text, std::uint32_t& address);
