#include "skin/data/WinSkinIni.h"

#include "core/Exception.h"
#include "core/TextUtils.h"

#include <vector>

namespace {

bool IsHeader(std::string_view trimmed) {
    return !trimmed.empty() && trimmed.front() == '[' && trimmed.back() == ']';
}

bool IsSectionLine(std::string_view line) {
    return !line.empty() && IsHeader(Trim(line));
}

// The text before the first "=", trimmed and lower-cased; empty without a "=".
std::string KeyOfLine(std::string_view line) {
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return {};
    return LowerCase(Trim(line.substr(0, equals)));
}

// The text after the first "=", trimmed, when the line's key is the (non-empty) key.
std::string ValueOfLine(std::string_view line, std::string_view key) {
    std::size_t equals = line.find('=');
    if (line.empty() || key.empty() || equals == std::string_view::npos || KeyOfLine(line) != key)
        return {};
    return Trim(line.substr(equals + 1));
}

} // namespace

TQuickIni::TQuickIni() : lines(std::make_unique<TStringList>()), sections(std::make_unique<TStringList>()) {}

TQuickIni::~TQuickIni() = default;

void TQuickIni::LoadFromStream(TStream* stream) {
    if (stream == nullptr)
        return;
    std::int64_t available = stream->Size() - stream->Position();
    std::vector<char> bytes(static_cast<std::size_t>(available > 0 ? available : 0));
    bytes.resize(
        static_cast<std::size_t>(stream->Read(bytes.data(), static_cast<std::int64_t>(bytes.size()))));
    std::string_view text(bytes.data(), bytes.size());

    lines->Clear();
    sections->Clear();
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t end = text.find_first_of(std::string_view("\0\r\n", 3), position);
        if (end == std::string_view::npos)
            end = text.size();
        std::string line = Trim(text.substr(position, end - position));
        if (!line.empty() && line.front() != ';') {
            bool header = IsHeader(line);
            int index = lines->Add(line);
            if (header)
                sections->AddObject(std::move(line), index);
        }
        if (end == text.size() || text[end] == '\0')
            break;
        position = end;
        if (text[position] == '\r')
            ++position;
        if (position < text.size() && text[position] == '\n')
            ++position;
    }
}

int TQuickIni::SectionIndex(std::string_view name) const {
    std::string header;
    header.reserve(name.size() + 2);
    header.append("[").append(name).append("]");
    for (int i = 0; i < sections->Count(); ++i)
        if (AnsiSameText((*sections)[i], header))
            return static_cast<int>(sections->Objects(i));
    return -1;
}

std::string TQuickIni::ReadString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
    std::string wanted = LowerCase(key);
    if (lines->Count() == 0)
        return std::string(defaultValue);
    int header = SectionIndex(section);
    if (header < 0)
        return std::string(defaultValue);
    for (int i = header + 1; i < lines->Count(); ++i) {
        const std::string& line = (*lines)[i];
        if (IsSectionLine(line))
            break;
        if (KeyOfLine(line) == wanted) {
            std::string value = ValueOfLine(line, wanted);
            return value.empty() ? std::string(defaultValue) : value;
        }
    }
    return std::string(defaultValue);
}

std::int32_t TQuickIni::ReadInteger(std::string_view section, std::string_view key,
                                    std::int32_t defaultValue) const {
    std::string value = ReadString(section, key, "");
    std::string_view number = value;
    if (number.size() > 2 && number[0] == '0' && (number[1] == 'x' || number[1] == 'X')) {
        // "$" is the conversion's hexadecimal prefix; it stands on the "x".
        value[1] = '$';
        number.remove_prefix(1);
    }
    return StrToIntDef(number, defaultValue);
}

void TQuickIni::ReadSections(TStringList* strings) const {
    if (strings == nullptr)
        throw Exception("The parameter Strings is unassigned!");
    strings->Clear();
    for (int i = 0; i < sections->Count(); ++i) {
        std::string name = Trim((*sections)[i]);
        name = Trim(std::string_view(name).substr(1, name.size() - 2));
        strings->Add(std::move(name));
    }
}
