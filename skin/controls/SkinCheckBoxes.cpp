#include "skin/controls/SkinCheckBoxes.h"

#include "framework/classes/TypInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "platform/controls/buttons/Button.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/sys/SystemInfo.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinProperties.h"
#include "skin/data/SkinDrawing.h"

#include <string>

namespace {

constexpr int TransparentTag = 5555;
// A state notification that check boxes of other control libraries send themselves.
constexpr UINT ForeignStateChanged = 0xB0D0;

constexpr UINT MeasureFormat = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK;
constexpr UINT DrawFormat = DT_EXPANDTABS | DT_WORDBREAK;

// The frame of a value in strips that keep a frame for each state (8 radio frames, 12 check
// frames): checked, disabled and disabled checked have their own places there.
int MappedFrame(int value) {
    switch (value) {
    case 2:
        return 5;
    case 3:
        return 4;
    case 4:
        return 8;
    default:
        return value;
    }
}

// The platform's major version: version 6 systems draw no focus box on skinned boxes.
DWORD MajorVersion() {
    return GetVersion() & 0xFF;
}

} // namespace

// ---- shared --------------------------------------------------------------------------------

const TClass& TSkinBoxButton::ClassInfo() {
    static const TClass info("TSkinBoxButton", &TSkinControl::ClassInfo());
    return info;
}

void TSkinBoxButton::InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) {
    TSkinControl::InitSkin(form, skinData, recolor, canvas);
    if (!m_control)
        return;
    const TBitmap* strip = Strip();
    m_kind = strip && !strip->Empty() ? 1 : 0;
    m_transparent = m_control->Tag() == TransparentTag || HasOption(xoTransparent);
}

bool TSkinBoxButton::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINT:
        if (m_kind != 1)
            break;
        PaintWhole(message);
        return false;
    case WM_ERASEBKGND:
        if (!m_transparent)
            break;
        EraseToParent(message);
        return false;
    default:
        break;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinBoxButton::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case ForeignStateChanged:
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(message);
        break;
    }
}

void TSkinBoxButton::DrawSkin(HDC dc, const RECT& rect) {
    if (m_kind != 1)
        return;
    TBitmap* strip = Strip();
    if (!strip || strip->Empty())
        return;
    RefreshFocusAndEnabled();
    if (!m_transparent)
        FillBackground(dc, rect);
    const int frames = std::max(StripFrames(), 1);
    const int boxWidth = strip->Width() / frames, boxHeight = strip->Height();
    const bool boxRight = (WindowLong(GWL_STYLE) & BS_LEFTTEXT) != 0;
    RECT box;
    box.left = boxRight ? rect.right - boxWidth : rect.left;
    box.top = rect.top + (rect.bottom - rect.top - boxHeight) / 2;
    box.right = box.left + boxWidth;
    box.bottom = box.top + boxHeight;
    const int frame = StripFrame();
    if (frame >= 1 && frame <= frames)
        DrawKeyed(dc, box, *strip, clFuchsia, (frame - 1) * boxWidth, 0);
    DrawCaptionBeside(dc, rect, box);
}

void TSkinBoxButton::DrawCaptionBeside(HDC dc, const RECT& rect, const RECT& box) {
    const bool boxRight = (WindowLong(GWL_STYLE) & BS_LEFTTEXT) != 0;
    if (m_control) {
        m_caption = GetWideStrProp(m_control, "Caption");
    } else {
        const int length = GetWindowTextLengthW(m_window);
        m_caption.assign(static_cast<std::size_t>(std::max(length, 0)) + 1, u'\0');
        m_caption.resize(static_cast<std::size_t>(GetWindowTextW(m_window, m_caption.data(), length + 1)));
    }
    RECT area = rect;
    if (boxRight)
        area.right = box.left - 2;
    else
        area.left = box.right + 2;
    const int saved = SaveDC(dc);
    TColor colour = clWindowText;
    if (auto* font = GetObjectPropAs<TFont>(m_control, "Font")) {
        SelectObject(dc, font->Handle());
        colour = font->Color();
    } else if (HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(m_window, WM_GETFONT, 0, 0))) {
        SelectObject(dc, font);
    }
    SetTextColor(dc,
                 ColorToRGB(SkinnedSystemColour(m_skinData->Elements(), m_enabled ? colour : clBtnShadow)));
    SetBkMode(dc, TRANSPARENT);
    UINT format = DrawFormat;
    if (WindowLong(GWL_STYLE) & BS_RIGHT)
        format |= DT_RIGHT;
    RECT block = area;
    DrawCaption(dc, m_caption, block, MeasureFormat | (format & DT_RIGHT));
    const int height = block.bottom - block.top;
    RECT text{area.left, area.top + (area.bottom - area.top - height) / 2, area.right,
              area.top + (area.bottom - area.top - height) / 2 + height};
    if (m_focused && !m_caption.empty() && MajorVersion() != 6)
        DrawFocusBox(dc, format, text);
    DrawCaption(dc, m_caption, text, format);
    RestoreDC(dc, saved);
}

// ---- check box -----------------------------------------------------------------------------

const TClass& TSkinCheckBox::ClassInfo() {
    static const TClass info("TSkinCheckBox", &TSkinBoxButton::ClassInfo());
    return info;
}

TBitmap* TSkinCheckBox::Strip() const {
    return m_skinData ? m_skinData->Elements().Buttons->CheckButton.get() : nullptr;
}

int TSkinCheckBox::StripFrames() const {
    return m_skinData ? m_skinData->Elements().Buttons->CheckButtonFrame : 0;
}

void TSkinCheckBox::AfterMessage(TMessage& message) {
    if (message.Msg == BM_SETCHECK)
        m_lastCheck = static_cast<int>(message.WParam) + 1;
    TSkinBoxButton::AfterMessage(message);
}

int TSkinCheckBox::CheckValue() {
    const LRESULT state = SendMessageW(m_window, BM_GETSTATE, 0, 0);
    int value = (state & BST_CHECKED) ? 2 : 1;
    if (m_control) {
        if (IsPublishedProp(m_control, "State")) {
            const std::string checkState = skin_properties::ReadIdentifier(m_control, "State");
            if (checkState.find("uncheck") != std::string::npos)
                value = 1;
            else if (checkState.find("check") != std::string::npos)
                value = 2;
            else if (checkState.find("gray") != std::string::npos)
                value = 4;
        } else {
            value = skin_properties::Is(m_control, "Checked", "true") ? 2 : 1;
        }
        if (IsPublishedProp(m_control, "DataField") && m_lastCheck != 0)
            value = m_lastCheck == 3 ? 4 : m_lastCheck;
        if (IsPublishedProp(m_control, "DataBinding"))
            value = 1;
    }
    if (WindowLong(GWL_STYLE) & WS_DISABLED)
        value += 2;
    if (state & BST_INDETERMINATE)
        value = 4;
    return value;
}

int TSkinCheckBox::StripFrame() {
    const int value = CheckValue();
    if (StripFrames() != 12)
        return value;
    if (SendMessageW(m_window, BM_GETSTATE, 0, 0) & BST_INDETERMINATE)
        return (WindowLong(GWL_STYLE) & WS_DISABLED) ? 12 : 9;
    return MappedFrame(value);
}

// ---- radio button --------------------------------------------------------------------------

const TClass& TSkinRadioButton::ClassInfo() {
    static const TClass info("TSkinRadioButton", &TSkinBoxButton::ClassInfo());
    return info;
}

TBitmap* TSkinRadioButton::Strip() const {
    return m_skinData ? m_skinData->Elements().Buttons->RadioButton.get() : nullptr;
}

int TSkinRadioButton::StripFrames() const {
    return m_skinData ? m_skinData->Elements().Buttons->RadioButtonFrame : 0;
}

int TSkinRadioButton::StripFrame() {
    int value = (SendMessageW(m_window, BM_GETCHECK, 0, 0) & BST_CHECKED) ? 2 : 1;
    if (m_control)
        value = skin_properties::Is(m_control, "Checked", "true") ? 2 : 1;
    if (WindowLong(GWL_STYLE) & WS_DISABLED)
        value += 2;
    return StripFrames() == 8 ? MappedFrame(value) : value;
}
