#include "platform/base/CodePage.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <cerrno>
#include <iconv.h>

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

namespace platform {

namespace {

constexpr const char* GbkName = "CP936";
constexpr const char* Utf8Name = "UTF-8";
constexpr const char* Utf16Name = "UTF-16LE";

// One converter per direction and thread, opened on first use: opening is far dearer than
// converting a short text.
class Converter {
public:
    Converter(const char* to, const char* from) : m_handle(iconv_open(to, from)) {}
    ~Converter() {
        if (m_handle != reinterpret_cast<iconv_t>(-1))
            iconv_close(m_handle);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    iconv_t Handle() const { return m_handle; }

private:
    iconv_t m_handle;
};

iconv_t ConverterFor(const char* to, const char* from) {
    thread_local std::map<std::pair<std::string, std::string>, std::unique_ptr<Converter>> converters;
    auto& slot = converters[{to, from}];
    if (!slot)
        slot = std::make_unique<Converter>(to, from);
    iconv(slot->Handle(), nullptr, nullptr, nullptr, nullptr);
    return slot->Handle();
}

struct ConversionResult {
    std::string bytes;
    bool substituted = false;
};

// Length of the character that cannot be converted at `in`: a whole UTF-8 sequence when its
// lead byte is valid, else one unit of the source.
std::size_t SkipLength(const char* from, const char* in, std::size_t inLeft, std::size_t unitSize) {
    if (std::string_view(from) != Utf8Name)
        return unitSize;
    auto lead = static_cast<unsigned char>(*in);
    std::size_t length = lead >= 0xF0 && lead <= 0xF4  ? 4
                         : lead >= 0xE0                ? 3
                         : lead >= 0xC2 && lead < 0xE0 ? 2
                                                       : 1;
    if (lead >= 0xF5)
        length = 1;
    for (std::size_t i = 1; i < length; ++i)
        if (i >= inLeft || (static_cast<unsigned char>(in[i]) & 0xC0) != 0x80)
            return i;
    return length;
}

// Converts `input` (units of `unitSize` bytes) and replaces each unit that cannot be converted,
// or that ends the input incomplete, with `replacement` in the target encoding.
ConversionResult Convert(const char* to, const char* from, std::string_view input, std::size_t unitSize,
                         std::string_view replacement) {
    ConversionResult result;
    iconv_t converter = ConverterFor(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return result;

    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        std::size_t rc = iconv(converter, &in, &inLeft, &out, &outLeft);
        result.bytes.append(buffer, static_cast<std::size_t>(out - buffer));
        if (rc != static_cast<std::size_t>(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: skip one character and substitute. A UTF-16 surrogate pair counts as
        // two characters, as it does on the platform.
        std::size_t skip = std::min(SkipLength(from, in, inLeft, unitSize), inLeft);
        in += skip;
        inLeft -= skip;
        result.bytes.append(replacement);
        result.substituted = true;
    }
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    iconv(converter, nullptr, nullptr, &out, &outLeft);
    result.bytes.append(buffer, static_cast<std::size_t>(out - buffer));
    return result;
}

// GBK, UTF-8 and UTF-16 share ASCII: its runs are copied (or widened) as they stand and only
// the runs between them go through iconv, which is slow even for ASCII. A run ends at a byte
// below 0x80 that starts a character; in GBK the second byte of a pair may be one, so pairs
// are stepped over whole. `onRun(run, ascii)` sees the runs in order.
template <typename OnRun>
void ForEachAsciiRun(std::string_view input, bool fromGbk, OnRun onRun) {
    std::size_t at = 0;
    while (at < input.size()) {
        std::size_t ascii = at;
        while (ascii < input.size() && static_cast<unsigned char>(input[ascii]) < 0x80)
            ++ascii;
        if (ascii > at)
            onRun(input.substr(at, ascii - at), true);
        std::size_t end = ascii;
        while (end < input.size() && static_cast<unsigned char>(input[end]) >= 0x80)
            end += fromGbk && static_cast<unsigned char>(input[end]) >= 0x81 ? 2 : 1;
        end = std::min(end, input.size());
        if (end > ascii)
            onRun(input.substr(ascii, end - ascii), false);
        at = end;
    }
}

ConversionResult ConvertAsciiCompatible(const char* to, const char* from, std::string_view input) {
    ConversionResult result;
    result.bytes.reserve(input.size() + input.size() / 2);
    ForEachAsciiRun(input, std::string_view(from) == GbkName, [&](std::string_view run, bool ascii) {
        if (ascii) {
            result.bytes.append(run);
            return;
        }
        ConversionResult converted = Convert(to, from, run, 1, "?");
        result.bytes += converted.bytes;
        result.substituted = result.substituted || converted.substituted;
    });
    return result;
}

std::u16string ToU16(const std::string& bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return text;
}

std::string_view AsBytes(std::u16string_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t)};
}

const char* NameOfCodePage(UINT codePage) {
    switch (codePage) {
    case CP_ACP:
    case CP_OEMCP:
    case CP_GBK:
        return GbkName;
    case CP_UTF8:
        return Utf8Name;
    default:
        return nullptr;
    }
}

constexpr char16_t Utf16Question[] = u"?";

} // namespace

std::string GbkToUtf8(std::string_view gbk) {
    return ConvertAsciiCompatible(Utf8Name, GbkName, gbk).bytes;
}

std::string Utf8ToGbk(std::string_view utf8) {
    return ConvertAsciiCompatible(GbkName, Utf8Name, utf8).bytes;
}

std::u16string GbkToUtf16(std::string_view gbk) {
    std::u16string text;
    text.reserve(gbk.size());
    ForEachAsciiRun(gbk, true, [&](std::string_view run, bool ascii) {
        if (ascii)
            text.append(run.begin(), run.end());
        else
            text += ToU16(Convert(Utf16Name, GbkName, run, 1, AsBytes(Utf16Question)).bytes);
    });
    return text;
}

std::string Utf16ToGbk(std::u16string_view utf16) {
    return Convert(GbkName, Utf16Name, AsBytes(utf16), 2, "?").bytes;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    return Convert(Utf8Name, Utf16Name, AsBytes(utf16), 2, "?").bytes;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    return ToU16(Convert(Utf16Name, Utf8Name, utf8, 1, AsBytes(Utf16Question)).bytes);
}

bool IsValidGbk(std::string_view gbk) {
    return !ConvertAsciiCompatible(Utf8Name, GbkName, gbk).substituted;
}

bool CanEncodeAsGbk(std::string_view utf8) {
    return !ConvertAsciiCompatible(GbkName, Utf8Name, utf8).substituted;
}

} // namespace platform

UINT GetACP() {
    return CP_GBK;
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR multiByte, int multiByteCount, LPWSTR wide,
                        int wideCount) {
    const char* name = platform::NameOfCodePage(codePage);
    if (!name || !multiByte || multiByteCount == 0 || multiByteCount < -1 || wideCount < 0 ||
        (wideCount > 0 && !wide)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    // A count of -1 means "up to and including the terminating NUL".
    std::size_t length = multiByteCount == -1 ? std::char_traits<char>::length(multiByte) + 1
                                              : static_cast<std::size_t>(multiByteCount);
    auto converted = platform::Convert(platform::Utf16Name, name, std::string_view(multiByte, length), 1,
                                       platform::AsBytes(platform::Utf16Question));
    if (converted.substituted && (flags & MB_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    std::u16string text = platform::ToU16(converted.bytes);
    int needed = static_cast<int>(text.size());
    if (wideCount == 0)
        return needed;
    if (needed > wideCount) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::copy(text.begin(), text.end(), wide);
    return needed;
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideCount, LPSTR multiByte,
                        int multiByteCount, LPCSTR defaultChar, LPBOOL usedDefaultChar) {
    const char* name = platform::NameOfCodePage(codePage);
    bool utf8 = codePage == CP_UTF8;
    if (!name || !wide || wideCount == 0 || wideCount < -1 || multiByteCount < 0 ||
        (multiByteCount > 0 && !multiByte) || (utf8 && (defaultChar || usedDefaultChar))) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::size_t length =
        wideCount == -1 ? std::char_traits<char16_t>::length(wide) + 1 : static_cast<std::size_t>(wideCount);
    std::string replacement = defaultChar ? std::string(defaultChar, 1) : std::string("?");
    auto converted =
        platform::Convert(name, platform::Utf16Name, platform::AsBytes({wide, length}), 2, replacement);
    if (converted.substituted && utf8 && (flags & WC_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return 0;
    }
    if (usedDefaultChar)
        *usedDefaultChar = converted.substituted ? TRUE : FALSE;
    int needed = static_cast<int>(converted.bytes.size());
    if (multiByteCount == 0)
        return needed;
    if (needed > multiByteCount) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::copy(converted.bytes.begin(), converted.bytes.end(), multiByte);
    return needed;
}
