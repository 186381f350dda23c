#include "platform/user/TextBuffers.h"

#include "platform/base/CodePage.h"
#include "platform/user/AtomTable.h"

#include <cstring>

namespace platform {

std::u16string_view WideView(LPCWSTR text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

std::u16string WideFromAnsi(LPCSTR text) {
    return text ? GbkToUtf16(text) : std::u16string();
}

std::u16string WideFromAnsi(std::string_view text) {
    return GbkToUtf16(text);
}

int CopyToBuffer(std::string_view text, LPSTR buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    std::size_t limit = static_cast<std::size_t>(size - 1);
    std::size_t count = 0;
    while (count < text.size()) {
        std::size_t width = IsGbkLeadByte(static_cast<BYTE>(text[count])) && count + 1 < text.size() ? 2 : 1;
        if (count + width > limit)
            break;
        count += width;
    }
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

int CopyToBuffer(std::u16string_view text, LPWSTR buffer, int size) {
    if (!buffer || size <= 0)
        return 0;
    std::size_t count = std::min(text.size(), static_cast<std::size_t>(size - 1));
    // A surrogate pair is kept whole, like a double-byte character.
    if (count > 0 && count < text.size() && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF)
        --count;
    std::memcpy(buffer, text.data(), count * sizeof(WCHAR));
    buffer[count] = u'\0';
    return static_cast<int>(count);
}

std::u16string NameOrAtomText(LPCSTR name) {
    if (IS_INTRESOURCE(name))
        return IntegerAtomText(reinterpret_cast<ULONG_PTR>(name));
    return WideFromAnsi(name);
}

std::u16string NameOrAtomText(LPCWSTR name) {
    if (IS_INTRESOURCE(name))
        return IntegerAtomText(reinterpret_cast<ULONG_PTR>(name));
    return std::u16string(WideView(name));
}

} // namespace platform
