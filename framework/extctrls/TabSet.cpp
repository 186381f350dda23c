#include "framework/extctrls/TabSet.h"

#include "framework/classes/PropertyTable.h"
#include "framework/comctrls/UpDown.h"
#include "framework/controls/ControlProperties.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>

namespace {

// The horizontal run of a tab's slanted side, and the space between its text and the slants.
constexpr int Slant = 5;
constexpr int Padding = 4;
// The scroller's arrows side by side.
constexpr int ScrollerWidth = 32;

bool InsideTab(const TRect& tab, TPoint point) {
    if (point.y < tab.top || point.y >= tab.bottom)
        return false;
    // The slants close in toward the bottom.
    const int inset = Slant * (point.y - tab.top) / std::max(RectHeight(tab) - 1, 1);
    return point.x >= tab.left + inset && point.x < tab.right - inset;
}

} // namespace

const TClass& TTabSet::ClassInfo() {
    static const TClass info(
        "TTabSet", &TCustomControl::ClassInfo(),
        AppearanceProperties({
            EnumProperty("AutoScroll", BooleanIdents(), &TTabSet::AutoScroll, &TTabSet::SetAutoScroll),
            OrdProperty("BackgroundColor", &TTabSet::BackgroundColor, &TTabSet::SetBackgroundColor),
            OrdProperty("EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin),
            OrdProperty("FirstIndex", &TTabSet::FirstIndex, &TTabSet::SetFirstIndex),
            OrdProperty("SelectedColor", &TTabSet::SelectedColor, &TTabSet::SetSelectedColor),
            OrdProperty("StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin),
            OrdProperty("TabHeight", &TTabSet::TabHeight, &TTabSet::SetTabHeight),
            OrdProperty("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex),
            ObjProperty("Tabs", &TTabSet::Tabs, &TTabSet::SetTabs),
            OrdProperty("UnselectedColor", &TTabSet::UnselectedColor, &TTabSet::SetUnselectedColor),
            MethodProperty("OnChange", &TTabSet::OnChange),
        }));
    return info;
}

TTabSet::TTabSet(TComponent* owner) : TCustomControl(owner), m_tabs(std::make_unique<TNotifyStrings>()) {
    m_scroller = new TUpDown(this);
    m_scroller->SetOrientation(udHorizontal);
    m_scroller->SetVisible(false);
    m_scroller->SetParent(this);
    m_scroller->OnClick = [this](TObject*, TUDBtnType button) {
        if (button == btNext && m_firstIndex + VisibleTabs() < m_tabs->Count())
            SetFirstIndex(m_firstIndex + 1);
        else if (button == btPrev)
            SetFirstIndex(m_firstIndex - 1);
        else
            Layout(); // the scroller's own position goes back to the first tab's
    };
    m_tabs->OnChange = [this](TObject*) { Changed(); };
    m_controlStyle.Exclude(csSetCaption);
    // OnClick tells a change of tab, not any click.
    m_controlStyle.Exclude(csClickEvents);
    SetBounds(0, 0, 185, 21);
    SetTabStop(true);
}

TTabSet::~TTabSet() {
    m_tabs->OnChange = nullptr;
}

void TTabSet::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

void TTabSet::Loaded() {
    TCustomControl::Loaded();
    for (int i = 0; i < ComponentCount(); ++i) {
        if (Components(i)->ComponentState().Contains(csLoading))
            Components(i)->Loaded();
    }
    if (m_tabIndex < -1 || m_tabIndex >= m_tabs->Count())
        m_tabIndex = -1;
    Layout();
}

void TTabSet::SetTabs(TStrings* tabs) {
    if (tabs)
        m_tabs->Assign(*tabs);
    else
        m_tabs->Clear();
}

void TTabSet::Changed() {
    if (!ComponentState().Contains(csLoading) && m_tabIndex >= m_tabs->Count())
        m_tabIndex = -1;
    Layout();
    Invalidate();
}

void TTabSet::SetTabIndex(int index) {
    if (ComponentState().Contains(csLoading)) {
        m_tabIndex = index;
        return;
    }
    if (index < -1 || index >= m_tabs->Count())
        return;
    ChangeTab(index);
}

bool TTabSet::ChangeTab(int index) {
    if (index == m_tabIndex)
        return true;
    bool allow = true;
    if (OnChange)
        OnChange(this, index, allow);
    if (!allow)
        return false;
    m_tabIndex = index;
    MakeVisible(index);
    Invalidate();
    Click();
    return true;
}

void TTabSet::SetFirstIndex(int index) {
    index = std::clamp(index, 0, std::max(m_tabs->Count() - 1, 0));
    if (index == m_firstIndex)
        return;
    m_firstIndex = index;
    Layout();
    Invalidate();
}

void TTabSet::MakeVisible(int index) {
    if (index < 0)
        return;
    if (index < m_firstIndex)
        SetFirstIndex(index);
    while (m_firstIndex < index && index >= m_firstIndex + VisibleTabs())
        SetFirstIndex(m_firstIndex + 1);
}

void TTabSet::SelectNext(bool forward) {
    const int count = m_tabs->Count();
    if (count == 0)
        return;
    int next = forward ? 0 : count - 1;
    if (m_tabIndex >= 0)
        next = (m_tabIndex + (forward ? 1 : count - 1)) % count;
    ChangeTab(next);
}

void TTabSet::SetStartMargin(int margin) {
    if (margin == m_startMargin || margin < 0)
        return;
    m_startMargin = margin;
    Changed();
}

void TTabSet::SetEndMargin(int margin) {
    if (margin == m_endMargin || margin < 0)
        return;
    m_endMargin = margin;
    Changed();
}

void TTabSet::SetTabHeight(int height) {
    if (height == m_tabHeight || height < 1)
        return;
    m_tabHeight = height;
    Changed();
}

void TTabSet::SetAutoScroll(bool autoScroll) {
    if (autoScroll == m_autoScroll)
        return;
    m_autoScroll = autoScroll;
    Changed();
}

void TTabSet::SetSelectedColor(TColor color) {
    m_selectedColor = color;
    Invalidate();
}

void TTabSet::SetUnselectedColor(TColor color) {
    m_unselectedColor = color;
    Invalidate();
}

void TTabSet::SetBackgroundColor(TColor color) {
    m_backgroundColor = color;
    Invalidate();
}

int TTabSet::TextWidth(const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, Font()->Handle());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

void TTabSet::Layout() {
    const int count = m_tabs->Count();
    m_firstIndex = std::clamp(m_firstIndex, 0, std::max(count - 1, 0));
    const auto place = [&](int limit) {
        m_shown.clear();
        int x = m_startMargin;
        for (int i = m_firstIndex; i < count; ++i) {
            const int body = TextWidth(m_tabs->Strings(i)) + 2 * Padding;
            if (x + body + 2 * Slant > limit)
                break;
            m_shown.push_back(Rect(x, 0, x + body + 2 * Slant, m_tabHeight));
            // The next tab starts under this one's right slant.
            x += body + Slant;
        }
    };
    place(Width() - m_endMargin);
    const bool scroll = m_autoScroll && count > 0 &&
                        (m_firstIndex > 0 || m_firstIndex + static_cast<int>(m_shown.size()) < count);
    if (scroll) {
        const int left = Width() - m_endMargin - ScrollerWidth;
        place(left - 2);
        const int height = std::max(std::min(m_tabHeight, Height()) - 4, 8);
        m_scroller->SetBounds(left, 2, ScrollerWidth, height);
        m_scroller->SetMax(std::max(count - 1, 1));
        m_scroller->SetPosition(m_firstIndex);
    }
    m_scroller->SetVisible(scroll);
}

int TTabSet::VisibleTabs() {
    return static_cast<int>(m_shown.size());
}

TRect TTabSet::ItemRect(int index) {
    const int shown = index - m_firstIndex;
    if (shown < 0 || shown >= VisibleTabs())
        return Rect(0, 0, 0, 0);
    return m_shown[static_cast<std::size_t>(shown)];
}

int TTabSet::ItemAtPos(TPoint point) {
    // The selected tab lies over the others, and each tab over the one to its right.
    if (InsideTab(ItemRect(m_tabIndex), point))
        return m_tabIndex;
    for (int i = 0; i < VisibleTabs(); ++i) {
        if (InsideTab(m_shown[static_cast<std::size_t>(i)], point))
            return m_firstIndex + i;
    }
    return -1;
}

void TTabSet::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(m_backgroundColor);
    canvas.FillRect(ClientRect());
    // The edge of what the tabs hang from.
    canvas.Pen()->SetColor(clWindowFrame);
    canvas.MoveTo(0, 0);
    canvas.LineTo(Width(), 0);
    const auto drawTab = [&](int index) {
        const TRect tab = ItemRect(index);
        const bool selected = index == m_tabIndex;
        canvas.Pen()->SetColor(clWindowFrame);
        canvas.Brush()->SetColor(selected ? m_selectedColor : m_unselectedColor);
        canvas.Polygon({Point(tab.left, 0), Point(tab.left + Slant, tab.bottom - 1),
                        Point(tab.right - 1 - Slant, tab.bottom - 1), Point(tab.right - 1, 0)});
        if (selected) {
            // The selected tab is open to what it hangs from.
            canvas.Pen()->SetColor(m_selectedColor);
            canvas.MoveTo(tab.left + 1, 0);
            canvas.LineTo(tab.right - 1, 0);
        }
        TRect text = Rect(tab.left + Slant, 1, tab.right - Slant, tab.bottom - 1);
        canvas.Brush()->SetStyle(bsClear);
        canvas.TextRect(text, m_tabs->Strings(index), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (selected && Focused())
            canvas.DrawFocusRect(Rect(text.left, text.top + 1, text.right, text.bottom - 1));
    };
    for (int i = m_firstIndex + VisibleTabs() - 1; i >= m_firstIndex; --i) {
        if (i != m_tabIndex)
            drawTab(i);
    }
    if (m_tabIndex >= m_firstIndex && m_tabIndex < m_firstIndex + VisibleTabs())
        drawTab(m_tabIndex);
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    if (CanFocus())
        SetFocus();
    const int index = ItemAtPos(Point(x, y));
    if (index >= 0)
        ChangeTab(index);
}

void TTabSet::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    switch (key) {
    case VK_LEFT:
        SelectNext(false);
        break;
    case VK_RIGHT:
        SelectNext(true);
        break;
    case VK_HOME:
        if (m_tabs->Count() > 0)
            ChangeTab(0);
        break;
    case VK_END:
        if (m_tabs->Count() > 0)
            ChangeTab(m_tabs->Count() - 1);
        break;
    default:
        return;
    }
    key = 0;
}

void TTabSet::SetBounds(int left, int top, int width, int height) {
    TCustomControl::SetBounds(left, top, width, height);
    Layout();
}

void TTabSet::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE:
        message.Result = DLGC_WANTARROWS;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::Dispatch(message);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        TCustomControl::Dispatch(message);
        Changed();
        return;
    default:
        TCustomControl::Dispatch(message);
        return;
    }
}
