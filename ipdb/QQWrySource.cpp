#include "ipdb/QQWrySource.h"

#include "core/Exception.h"
#include "core/Format.h"
#include "platform/base/CodePage.h"

#include <string>

namespace {

std::vector<std::string_view> SplitAtTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t tab;
    while ((tab = line.find('\t')) != std::string_view::npos) {
        fields.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    fields.push_back(line);
    return fields;
}

[[noreturn]] void RaiseAtLine(int line, const std::string& problem) {
    throw Exception(Format("line %d: %s", line, problem.c_str()));
}

std::uint32_t AddressField(std::string_view text, int line) {
    std::uint32_t address = 0;
    if (!ParseDottedAddress(text, address))
        RaiseAtLine(line, "'" + platform::Utf8ToGbk(text) + "' is not a dotted IPv4 address");
    return address;
}

std::string TextField(std::string_view text, const char* name, int line) {
    if (!platform::CanEncodeAsGbk(text))
        RaiseAtLine(line, Format("the %s is not UTF-8 text that GBK can hold", name));
    return platform::Utf8ToGbk(text);
}

} // namespace

bool ParseDottedAddress(std::string_view text, std::uint32_t& address) {
    address = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (text.empty() || text.front() != '.')
                return false;
            text.remove_prefix(1);
        }
        std::size_t digits = 0;
        unsigned value = 0;
        while (digits < text.size() && digits < 4 && text[digits] >= '0' && text[digits] <= '9')
            value = value * 10 + static_cast<unsigned>(text[digits++] - '0');
        if (digits == 0 || digits > 3 || value > 255)
            return false;
        text.remove_prefix(digits);
        address = address << 8 | value;
    }
    return text.empty();
}

std::vector<QQWrySourceRange> ParseQQWrySource(std::string_view utf8Text) {
    std::vector<QQWrySourceRange> ranges;
    int lineNumber = 0;
    while (!utf8Text.empty()) {
        std::size_t end = utf8Text.find('\n');
        std::string_view line = utf8Text.substr(0, end);
        utf8Text.remove_prefix(end == std::string_view::npos ? utf8Text.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;

        std::vector<std::string_view> fields = SplitAtTabs(line);
        if (fields.size() != 4)
            RaiseAtLine(lineNumber,
                        Format("expected 4 tab-separated fields (start, end, country, area), found %zu",
                               fields.size()));
        QQWrySourceRange entry;
        entry.Line = lineNumber;
        entry.Range.StartIP = AddressField(fields[0], lineNumber);
        entry.Range.EndIP = AddressField(fields[1], lineNumber);
        entry.Range.Country = TextField(fields[2], "country", lineNumber);
        entry.Range.Area = TextField(fields[3], "area", lineNumber);
        std::string problem =
            QQWryWriter::CheckRange(ranges.empty() ? nullptr : &ranges.back().Range, entry.Range);
        if (!problem.empty())
            RaiseAtLine(lineNumber, problem);
        ranges.push_back(std::move(entry));
    }
    return ranges;
}
