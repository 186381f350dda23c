#include "core/TextUtils.h"

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool IsGbkLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string LowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = LowerAscii(c);
    return result;
}

std::string Trim(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return std::string(text.substr(first, last - first));
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t defaultValue) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return defaultValue;

    std::uint64_t magnitude = 0;
    if (text[i] == '$') {
        ++i;
        if (i == text.size())
            return defaultValue;
        for (; i < text.size(); ++i) {
            int digit = HexDigitValue(text[i]);
            if (digit < 0)
                return defaultValue;
            magnitude = magnitude * 16 + static_cast<unsigned>(digit);
            if (magnitude > 0xFFFFFFFFu)
                return defaultValue;
        }
        std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
        if (negative)
            bits = 0u - bits;
        return static_cast<std::int32_t>(bits);
    }

    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return defaultValue;
        magnitude = magnitude * 10 + static_cast<unsigned>(text[i] - '0');
        if (magnitude > 0x80000000u)
            return defaultValue;
    }
    if (negative)
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    if (magnitude > 0x7FFFFFFFu)
        return defaultValue;
    return static_cast<std::int32_t>(magnitude);
}

bool AnsiSameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        if (IsGbkLeadByte(x) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1])
                return false;
            ++i;
            continue;
        }
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    }
    return true;
}
