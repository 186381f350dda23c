#pragma once
// Country names from Debian's iso-codes: the English name of each two-letter code from its
// ISO 3166-1 table (JSON), and the Chinese name from that table's zh_CN translation catalogue
// (a gettext MO file). The catalogue is read directly rather than through gettext(), which
// would need the process's locale and LANGUAGE changed to answer in a language other than the
// user's.

#include <map>
#include <string>

class IsoCountryNames {
public:
    static constexpr const char* DefaultTable = "/usr/share/iso-codes/json/iso_3166-1.json";
    static constexpr const char* DefaultCatalogue = "/usr/share/locale/zh_CN/LC_MESSAGES/iso_3166-1.mo";

    // Raises Exception when the table cannot be read or is not the expected JSON, or when the
    // catalogue exists but is not a valid MO file; a missing catalogue leaves every Chinese
    // name empty.
    explicit IsoCountryNames(const std::string& table = DefaultTable,
                             const std::string& catalogue = DefaultCatalogue);

    // UTF-8 names, empty for an unknown code or a name without translation.
    std::string EnglishName(const std::string& code) const;
    std::string ChineseName(const std::string& code) const;
    std::size_t Count() const { return m_english.size(); }

private:
    std::map<std::string, std::string> m_english;      // code to English name
    std::map<std::string, std::string> m_translations; // English name to Chinese name
};

// The translations of a gettext MO catalogue (original to translation; plural and context
// entries are left out). Raises Exception for bytes that are no MO catalogue.
std::map<std::string, std::string> ReadMoCatalogue(const std::string& bytes);
