#include "skin/forms/SkinFrameMenuBar.h"

#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElements.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMenuNative.h"
#include "skin/forms/SkinMenuNavigation.h"
#include "skin/forms/WinSkinCaption.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSkinMenu.h"
#include "skin/forms/WinSysButton.h"

#include <algorithm>

namespace {

// The caption buttons whose first condition puts them into the menu bar.
constexpr int InMenuBar = 100;

} // namespace

TSkinFrameMenuBar::TSkinFrameMenuBar(TWinSkinForm& form, TSkinData& skinData, TMainMenu* frameworkMenu)
    : m_form(form), m_skinData(skinData),
      m_bar(std::make_unique<TWinSkinMenu>(skinData, form.Window(), frameworkMenu)) {
    m_bar->Build();
}

TSkinFrameMenuBar::~TSkinFrameMenuBar() {
    *m_alive = false;
    ForgetMenuBar(*m_bar);
    m_bar->GiveMenuBack();
}

void TSkinFrameMenuBar::Paint(HDC dc, const RECT& band) {
    const std::vector<TWinSysButton*> mdiButtons = MdiChildButtons();
    int clearFrom = band.right;
    for (const TWinSysButton* button : mdiButtons)
        clearFrom = std::min<int>(clearFrom, button->Bounds.left);
    m_bar->PaintBand(dc, band, m_form.Active(), clearFrom);
    PaintMdiChildButtons(dc, mdiButtons);
}

std::vector<TWinSysButton*> TSkinFrameMenuBar::MdiChildButtons() const {
    std::vector<TWinSysButton*> shown;
    TSkinCaption& caption = m_form.Caption();
    for (int i = 0; i < caption.ButtonCount(); ++i) {
        TWinSysButton& button = caption.Button(i);
        const TDataSkinSysButton& record = button.Record();
        if (button.Visible && record.Visibility == InMenuBar && !record.Image->Empty())
            shown.push_back(&button);
    }
    return shown;
}

void TSkinFrameMenuBar::PaintMdiChildButtons(HDC dc, const std::vector<TWinSysButton*>& buttons) {
    for (TWinSysButton* button : buttons) {
        TDataSkinSysButton& record = button->Record();
        const RECT source = SkinFrameRect(record.Image->Width(), record.Image->Height(), 1,
                                          std::max<int>(record.FrameCount, 1), false);
        DrawKeyed(dc, button->Bounds, *record.Image, clFuchsia, source.left, source.top);
    }
    // The maximised child's own frame is not painted while its buttons are in the bar.
    if (!buttons.empty() && !m_form.Manager().MdiMaximised())
        m_form.Manager().MdiMaximise(1);
}

void TSkinFrameMenuBar::SetState(int index, int state) {
    if (index < 0 || index >= m_bar->ButtonCount())
        return;
    m_bar->SetButtonState(index, static_cast<TMenuBtnState>(state));
    HDC dc = GetWindowDC(m_form.Window());
    if (!dc)
        return;
    m_bar->PaintButton(dc, index);
    ReleaseDC(m_form.Window(), dc);
}

bool TSkinFrameMenuBar::MouseMove(POINT screen) {
    const int index = m_bar->ButtonAt(m_form.ScreenToWindow(screen));
    if (index == m_hot)
        return index >= 0;
    SetState(m_hot, static_cast<int>(TMenuBtnState::Normal));
    m_hot = index;
    if (index < 0)
        return false;
    SetState(index, static_cast<int>(TMenuBtnState::Hot));
    // A WM_NCMOUSELEAVE tells when the mouse has left the window.
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE | TME_NONCLIENT;
    track.hwndTrack = m_form.Window();
    TrackMouseEvent(&track);
    return true;
}

void TSkinFrameMenuBar::MouseLeave() {
    if (MenuBarTracking())
        return;
    SetState(m_hot, static_cast<int>(TMenuBtnState::Normal));
    m_hot = -1;
}

void TSkinFrameMenuBar::Open(int index) {
    if (index != m_hot)
        SetState(m_hot, static_cast<int>(TMenuBtnState::Normal));
    m_hot = -1;
    SetState(index, static_cast<int>(TMenuBtnState::Pressed));
    m_form.SetMenuTracking(true);
    const std::shared_ptr<bool> alive = m_alive;
    OpenMenuBarDropDown(*m_bar, index);
    if (!*alive)
        return;
    m_form.SetMenuTracking(false);
    // The program may have changed the menu while it was open.
    if (index < m_bar->ButtonCount())
        SetState(index, static_cast<int>(TMenuBtnState::Normal));
}

bool TSkinFrameMenuBar::Press(POINT screen) {
    const int index = m_bar->ButtonAt(m_form.ScreenToWindow(screen));
    if (index < 0)
        return false;
    if (!m_form.Active())
        SetForegroundWindow(m_form.Window());
    Open(index);
    return true;
}

bool TSkinFrameMenuBar::OpenByMnemonic(char key) {
    const int index = key == 0 ? (m_bar->ButtonCount() > 0 ? 0 : -1) : m_bar->ButtonByMnemonic(key);
    if (index < 0)
        return false;
    Open(index);
    return true;
}

void TSkinFrameMenuBar::MenuChanged() {
    // A framework menu changes its items in place: the menu taken over is read again when the
    // window has no new one.
    m_hot = -1;
    m_bar->Build();
}

bool TSkinFrameMenuBar::MeasureItem(MEASUREITEMSTRUCT& measure) {
    return MeasureNativeMenuItem(m_skinData, *m_bar, measure);
}

bool TSkinFrameMenuBar::DrawItem(const DRAWITEMSTRUCT& draw) {
    return DrawNativeMenuItem(m_skinData, *m_bar, draw);
}
