#include "skin/forms/WinSkinDataHelpers.h"

#include "framework/controls/WinControl.h"
#include "platform/base/CodePage.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/process/ModuleTable.h"
#include "skin/forms/SkinManage.h"

namespace {

// The library stays loaded while the program runs.
class TUser32Library {
public:
    TUser32Library() : m_module(LoadLibraryA("user32.dll")) {
        if (!m_module)
            return;
        using platform::ProcAs;
        m_entries.getScrollBarInfo =
            ProcAs<decltype(m_entries.getScrollBarInfo)>(GetProcAddress(m_module, "GetScrollBarInfo"));
        m_entries.trackMouseEvent =
            ProcAs<decltype(m_entries.trackMouseEvent)>(GetProcAddress(m_module, "TrackMouseEvent"));
        m_entries.getComboBoxInfo =
            ProcAs<decltype(m_entries.getComboBoxInfo)>(GetProcAddress(m_module, "GetComboBoxInfo"));
        m_entries.disableProcessWindowsGhosting = ProcAs<decltype(m_entries.disableProcessWindowsGhosting)>(
            GetProcAddress(m_module, "DisableProcessWindowsGhosting"));
    }
    ~TUser32Library() {
        if (m_module)
            FreeLibrary(m_module);
    }
    TUser32Library(const TUser32Library&) = delete;
    TUser32Library& operator=(const TUser32Library&) = delete;

    const TSkinEntryPoints& Entries() const { return m_entries; }

private:
    HMODULE m_module;
    TSkinEntryPoints m_entries;
};

} // namespace

const TSkinEntryPoints& SkinEntryPoints() {
    static const TUser32Library library;
    return library.Entries();
}

bool SkinGetScrollBarInfo(HWND window, LONG object, PSCROLLBARINFO info) {
    const auto call = SkinEntryPoints().getScrollBarInfo;
    return call && call(window, object, info);
}

void TrackMouseLeave(HWND window) {
    const auto call = SkinEntryPoints().trackMouseEvent;
    if (!call)
        return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window;
    call(&track);
}

std::u16string SkinTextToWide(std::string_view text) {
    return platform::GbkToUtf16(text);
}

int SkinDrawText(HDC dc, std::u16string_view text, RECT& rect, UINT format) {
    if (SkinSystemIsNT())
        return DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rect, format);
    const std::string ansi = platform::Utf16ToGbk(text);
    return DrawTextA(dc, ansi.data(), static_cast<int>(ansi.size()), &rect, format);
}

TWinControl* SkinControlOfWindow(HWND window) {
    return FindControl(window);
}
