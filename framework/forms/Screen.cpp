#include "framework/forms/Screen.h"

#include "platform/user/WinUser.h"

#include <algorithm>

const TClass& TScreen::ClassInfo() {
    static const TClass info("TScreen", &TComponent::ClassInfo());
    return info;
}

TScreen* Screen() {
    static TScreen screen(nullptr);
    return &screen;
}

int TScreen::Width() const {
    return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const {
    return GetSystemMetrics(SM_CYSCREEN);
}

void TScreen::SetCursor(TCursor cursor) {
    m_cursor = cursor;
    const LPCSTR shape = cursor == crHourGlass ? IDC_WAIT : cursor == crIBeam ? IDC_IBEAM : IDC_ARROW;
    ::SetCursor(LoadCursorA(nullptr, shape));
}

void TScreen::AddForm(TCustomForm* form) {
    if (std::find(m_forms.begin(), m_forms.end(), form) == m_forms.end())
        m_forms.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    m_forms.erase(std::remove(m_forms.begin(), m_forms.end(), form), m_forms.end());
    if (m_activeForm == form)
        m_activeForm = nullptr;
}
