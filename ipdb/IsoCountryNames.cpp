#include "ipdb/IsoCountryNames.h"

#include "core/Exception.h"
#include "core/Format.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace {

bool ReadFile(const std::string& path, std::string& bytes) {
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
    return true;
}

// A gettext MO file: a magic number telling the byte order, a revision, the number of
// strings, the offsets of the originals' and the translations' tables; each table entry is a
// length and an offset of a NUL-terminated string.
class MoReader {
public:
    explicit MoReader(const std::string& bytes) : m_bytes(bytes) {
        std::uint32_t magic = Word(0);
        if (magic == 0x950412DE)
            m_swapped = false;
        else if (magic == 0xDE120495)
            m_swapped = true;
        else
            Fail();
    }

    std::uint32_t Word(std::uint64_t offset) const {
        if (offset + 4 > m_bytes.size())
            Fail();
        std::uint32_t value;
        std::memcpy(&value, m_bytes.data() + offset, 4);
        return m_swapped ? __builtin_bswap32(value) : value;
    }

    std::string StringAt(std::uint64_t tableEntry) const {
        std::uint64_t length = Word(tableEntry);
        std::uint64_t offset = Word(tableEntry + 4);
        if (offset + length > m_bytes.size())
            Fail();
        return m_bytes.substr(offset, length);
    }

    [[noreturn]] static void Fail() { throw Exception("not a gettext MO catalogue"); }

private:
    const std::string& m_bytes;
    bool m_swapped = false;
};

} // namespace

std::map<std::string, std::string> ReadMoCatalogue(const std::string& bytes) {
    MoReader reader(bytes);
    const std::uint64_t count = reader.Word(8);
    const std::uint64_t originals = reader.Word(12);
    const std::uint64_t translations = reader.Word(16);
    if (count > bytes.size() / 8)
        MoReader::Fail();
    std::map<std::string, std::string> catalogue;
    for (std::uint64_t i = 0; i < count; ++i) {
        std::string original = reader.StringAt(originals + i * 8);
        std::string translation = reader.StringAt(translations + i * 8);
        // The header has an empty original; plural forms and contexts hold a NUL or an EOT.
        if (original.empty() || original.find('\0') != std::string::npos ||
            original.find('\x04') != std::string::npos)
            continue;
        catalogue.emplace(std::move(original), std::move(translation));
    }
    return catalogue;
}

IsoCountryNames::IsoCountryNames(const std::string& table, const std::string& catalogue) {
    std::string json;
    if (!ReadFile(table, json))
        throw Exception(Format("cannot read the country table %s", table.c_str()));
    try {
        const nlohmann::json document = nlohmann::json::parse(json);
        for (const auto& country : document.at("3166-1"))
            m_english[country.at("alpha_2").get<std::string>()] = country.at("name").get<std::string>();
    } catch (const nlohmann::json::exception&) {
        throw Exception(Format("%s is not an ISO 3166-1 table of iso-codes", table.c_str()));
    }
    std::string mo;
    if (ReadFile(catalogue, mo)) {
        try {
            m_translations = ReadMoCatalogue(mo);
        } catch (const Exception& error) {
            throw Exception(catalogue + ": " + error.Message());
        }
    }
}

std::string IsoCountryNames::EnglishName(const std::string& code) const {
    auto found = m_english.find(code);
    return found == m_english.end() ? std::string() : found->second;
}

std::string IsoCountryNames::ChineseName(const std::string& code) const {
    auto found = m_translations.find(EnglishName(code));
    return found == m_translations.end() ? std::string() : found->second;
}
