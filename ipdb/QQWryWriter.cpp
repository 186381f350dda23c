#include "ipdb/QQWryWriter.h"

#include "core/Exception.h"
#include "core/Format.h"
#include "platform/base/CodePage.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

constexpr std::uint32_t OffsetLimit = 1u << 24;
constexpr std::uint8_t RedirectCountryAndArea = 1;
constexpr std::uint8_t RedirectCountry = 2;

bool HoldsControlCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

std::string DottedAddress(std::uint32_t address) {
    return Format("%u.%u.%u.%u", address >> 24, (address >> 16) & 0xFF, (address >> 8) & 0xFF,
                  address & 0xFF);
}

class DatabaseBytes {
public:
    std::uint32_t Size() const { return static_cast<std::uint32_t>(m_bytes.size()); }

    void Put32(std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void Put24(std::uint32_t value) {
        for (int i = 0; i < 3; ++i)
            m_bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void PutByte(std::uint8_t value) { m_bytes.push_back(value); }
    void PutString(const std::string& text) {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        m_bytes.push_back(0);
    }
    void Patch32(std::size_t offset, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            m_bytes[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }

    std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

// Writes the data area: every record with its strings, sharing what repeats.
class DataAreaWriter {
public:
    explicit DataAreaWriter(DatabaseBytes& bytes) : m_bytes(bytes) {}

    // Returns the offset of the record.
    std::uint32_t WriteRecord(const QQWryRange& range) {
        const std::uint32_t record = m_bytes.Size();
        m_bytes.Put32(range.EndIP);
        const std::uint32_t location = m_bytes.Size();
        auto pair = m_locations.find({range.Country, range.Area});
        if (pair != m_locations.end()) {
            // The earlier location starts with an inline country or a country redirect, never
            // with mode 1, so the reader finds both parts there.
            m_bytes.PutByte(RedirectCountryAndArea);
            m_bytes.Put24(pair->second);
            return record;
        }
        m_locations.emplace(std::make_pair(range.Country, range.Area), location);
        WritePart(range.Country);
        WritePart(range.Area);
        return record;
    }

private:
    // A string seen before becomes a redirect (mode 2, which serves for a country and for an
    // area alike); a new one is stored inline and remembered.
    void WritePart(const std::string& text) {
        auto stored = m_strings.find(text);
        if (stored != m_strings.end()) {
            m_bytes.PutByte(RedirectCountry);
            m_bytes.Put24(stored->second);
            return;
        }
        m_strings.emplace(text, m_bytes.Size());
        m_bytes.PutString(text);
    }

    DatabaseBytes& m_bytes;
    std::map<std::string, std::uint32_t> m_strings;
    std::map<std::pair<std::string, std::string>, std::uint32_t> m_locations;
};

} // namespace

std::string QQWryWriter::CheckRange(const QQWryRange* previous, const QQWryRange& range) {
    if (range.EndIP < range.StartIP)
        return Format("the range ends (%s) before it starts (%s)", DottedAddress(range.EndIP).c_str(),
                      DottedAddress(range.StartIP).c_str());
    if (previous && range.StartIP <= previous->EndIP)
        return Format("the range starting at %s is not above the previous range, which ends at %s",
                      DottedAddress(range.StartIP).c_str(), DottedAddress(previous->EndIP).c_str());
    for (const std::string* text : {&range.Country, &range.Area}) {
        if (!platform::IsValidGbk(*text))
            return "a text is not valid GBK";
        if (HoldsControlCharacter(*text))
            return "a text holds a control character";
    }
    return std::string();
}

std::vector<std::uint8_t> QQWryWriter::Build(const std::vector<QQWryRange>& ranges) {
    if (ranges.empty())
        throw Exception("a database needs at least one range");
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        std::string problem = CheckRange(i > 0 ? &ranges[i - 1] : nullptr, ranges[i]);
        if (!problem.empty())
            throw Exception(Format("range %zu: %s", i + 1, problem.c_str()));
    }

    DatabaseBytes bytes;
    bytes.Put32(0);
    bytes.Put32(0);
    DataAreaWriter data(bytes);
    std::vector<std::uint32_t> recordOffsets;
    recordOffsets.reserve(ranges.size());
    for (const QQWryRange& range : ranges) {
        recordOffsets.push_back(data.WriteRecord(range));
        if (bytes.Size() >= OffsetLimit)
            throw Exception("the data area passes the 16 MiB that 3-byte offsets reach");
    }

    const std::uint32_t firstIndex = bytes.Size();
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        bytes.Put32(ranges[i].StartIP);
        bytes.Put24(recordOffsets[i]);
    }
    bytes.Patch32(0, firstIndex);
    bytes.Patch32(4, firstIndex + static_cast<std::uint32_t>(ranges.size() - 1) * 7);
    return bytes.Take();
}
