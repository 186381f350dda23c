#include "framework/stdctrls/ScrollBars.h"

#include "core/Exception.h"
#include "framework/classes/PropertyTable.h"
#include "platform/controls/scrollbar/ScrollBarControl.h"

#include <algorithm>

const TEnumInfo& ScrollBarKindIdents() {
    static const TEnumInfo idents{{"sbHorizontal", "sbVertical"}};
    return idents;
}

const TEnumInfo& ScrollCodeIdents() {
    static const TEnumInfo idents{{"scLineUp", "scLineDown", "scPageUp", "scPageDown", "scPosition",
                                   "scTrack", "scTop", "scBottom", "scEndScroll"}};
    return idents;
}

const TClass& TScrollBar::ClassInfo() {
    static const TClass info(
        "TScrollBar", &TWinControl::ClassInfo(),
        {
            EnumProperty("Kind", ScrollBarKindIdents(), &TScrollBar::Kind, &TScrollBar::SetKind),
            OrdProperty("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange),
            OrdProperty("Max", &TScrollBar::Max, &TScrollBar::SetMax),
            OrdProperty("Min", &TScrollBar::Min, &TScrollBar::SetMin),
            OrdProperty("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize),
            OrdProperty("Position", &TScrollBar::Position, &TScrollBar::SetPosition),
            OrdProperty("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange),
            MethodProperty("OnChange", &TScrollBar::OnChange),
            MethodProperty("OnScroll", &TScrollBar::OnScroll),
        });
    return info;
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
    m_controlStyle.Exclude(csClickEvents);
    m_controlStyle.Exclude(csDoubleClicks);
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "SCROLLBAR");
    params.Style |= m_kind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateHandle() {
    TWinControl::CreateHandle();
    ApplyToWindow();
}

void TScrollBar::SetKind(TScrollBarKind kind) {
    if (kind == m_kind)
        return;
    m_kind = kind;
    if (!ComponentState().Contains(csLoading))
        SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

int TScrollBar::Highest() const {
    return std::max(m_min, m_max - std::max(m_pageSize - 1, 0));
}

void TScrollBar::SetParams(int position, int min, int max) {
    if (max < min)
        throw Exception("Scroll bar property out of range");
    const int previous = m_position;
    m_min = min;
    m_max = max;
    m_position = std::clamp(position, m_min, Highest());
    ApplyToWindow();
    if (m_position != previous)
        Change();
}

void TScrollBar::SetPageSize(int pageSize) {
    if (pageSize < 0 || pageSize > m_max - m_min + 1)
        throw Exception("Scroll bar property out of range");
    m_pageSize = pageSize;
    SetParams(m_position, m_min, m_max);
}

void TScrollBar::ApplyToWindow() {
    if (!HandleAllocated())
        return;
    SCROLLINFO info{sizeof(SCROLLINFO),
                    SIF_RANGE | SIF_PAGE | SIF_POS,
                    m_min,
                    m_max,
                    static_cast<UINT>(m_pageSize),
                    m_position,
                    0};
    SetScrollInfo(m_handle, SB_CTL, &info, TRUE);
}

void TScrollBar::Change() {
    if (OnChange)
        OnChange(this);
}

void TScrollBar::Scroll(TScrollCode code, int& position) {
    if (OnScroll)
        OnScroll(this, code, position);
}

void TScrollBar::CNScroll(TMessage& message) {
    int position = m_position;
    TScrollCode code = scEndScroll;
    switch (LOWORD(message.WParam)) {
    case SB_LINEUP:
        code = scLineUp;
        position -= m_smallChange;
        break;
    case SB_LINEDOWN:
        code = scLineDown;
        position += m_smallChange;
        break;
    case SB_PAGEUP:
        code = scPageUp;
        position -= m_largeChange;
        break;
    case SB_PAGEDOWN:
        code = scPageDown;
        position += m_largeChange;
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        code = LOWORD(message.WParam) == SB_THUMBTRACK ? scTrack : scPosition;
        // The 32-bit track position; the message's word holds only 16 bits of it.
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        position = GetScrollInfo(m_handle, SB_CTL, &info) ? info.nTrackPos : HIWORD(message.WParam);
        break;
    }
    case SB_TOP:
        code = scTop;
        position = m_min;
        break;
    case SB_BOTTOM:
        code = scBottom;
        position = m_max;
        break;
    default:
        break;
    }
    position = std::clamp(position, m_min, Highest());
    Scroll(code, position);
    SetPosition(position);
    message.Result = 0;
}

void TScrollBar::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case CN_HSCROLL:
    case CN_VSCROLL:
        CNScroll(message);
        break;
    default:
        TWinControl::Dispatch(message);
        break;
    }
}
