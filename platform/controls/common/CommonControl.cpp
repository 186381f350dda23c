#include "platform/controls/common/CommonControl.h"

#include "platform/base/CodePage.h"
#include "platform/user/WindowClass.h"

#include <algorithm>

namespace platform {

void RegisterCommonControlClass(const WCHAR* name, WNDPROC procedure, UINT style, LPCSTR cursor) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(nullptr, name, &existing))
        return;
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = style | CS_GLOBALCLASS;
    description.lpfnWndProc = procedure;
    description.cbWndExtra = sizeof(void*);
    description.hCursor = LoadCursorA(nullptr, cursor ? cursor : IDC_ARROW);
    description.lpszClassName = name;
    RegisterSystemClass(description);
}

int LineHeight(HFONT font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ControlFont(font));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    DeleteDC(dc);
    return metrics.tmHeight;
}

int TextWidth(HFONT font, std::u16string_view text) {
    if (text.empty())
        return 0;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ControlFont(font));
    SIZE size{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size.cx;
}

std::u16string TextFromCaller(LPCSTR text) {
    return text ? GbkToUtf16(text) : std::u16string();
}

std::u16string TextFromCaller(LPCWSTR text) {
    return text ? std::u16string(text) : std::u16string();
}

void CopyTextToCaller(std::u16string_view text, LPSTR buffer, int size) {
    if (!buffer || size <= 0)
        return;
    std::string narrow = Utf16ToGbk(text);
    std::size_t count = std::min(narrow.size(), static_cast<std::size_t>(size - 1));
    // A lead byte whose trail byte does not fit is left out with it.
    std::size_t i = 0;
    while (i < count) {
        std::size_t step = IsGbkLeadByte(static_cast<BYTE>(narrow[i])) ? 2 : 1;
        if (i + step > count)
            break;
        i += step;
    }
    std::copy_n(narrow.data(), i, buffer);
    buffer[i] = '\0';
}

void CopyTextToCaller(std::u16string_view text, LPWSTR buffer, int size) {
    if (!buffer || size <= 0)
        return;
    std::size_t count = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::copy_n(text.data(), count, buffer);
    buffer[count] = u'\0';
}

int TextLengthFor(std::u16string_view text, bool unicode) {
    return static_cast<int>(unicode ? text.size() : Utf16ToGbk(text).size());
}

bool ParentTakesUnicode(HWND control) {
    HWND parent = GetParent(control);
    if (!parent)
        return true;
    LRESULT answer = SendMessageW(parent, WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(control), NF_QUERY);
    if (answer == NFR_UNICODE || answer == NFR_ANSI)
        return answer == NFR_UNICODE;
    return IsWindowUnicode(parent) != FALSE;
}

LRESULT SendCustomDraw(HWND control, NMCUSTOMDRAW& draw, DWORD stage) {
    draw.dwDrawStage = stage;
    return NotifyParent(control, NM_CUSTOMDRAW, draw.hdr);
}

} // namespace platform
