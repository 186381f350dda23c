// TSkinCaption: the caption band (its border side, text, icon and buttons), the buttons'
// layout and the rules that show them.

#include "skin/forms/WinSkinCaption.h"

#include "framework/forms/Application.h"
#include "framework/forms/Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/menus/Menus.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/data/SkinDrawing.h"
#include "skin/forms/SkinFrameDrawing.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinDataHelpers.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSysButton.h"

#include <algorithm>

namespace {

// The text is measured with DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP and drawn on one line with an
// ellipsis (on the right, read right to left, for a right-to-left window).
constexpr UINT MeasureFormat = DT_CALCRECT | DT_NOPREFIX | DT_NOCLIP;
constexpr UINT DrawFormat = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
constexpr UINT RightToLeftFormat = DrawFormat | DT_RIGHT | DT_RTLREADING;

// Where an icon is drawn in the caption, and how far a dialog's left-aligned text moves left
// (dialogs show no icon).
constexpr int IconLeft = 8;
constexpr int DialogTextShift = 16;
constexpr int RightToLeftShift = 10;
constexpr int PopupTextGap = 5;

HICON WindowIcon(HWND window) {
    auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_BIG, 0));
    return icon;
}

bool EmptyImage(const TDataSkinSysButton& record) {
    return record.Image->Empty();
}

} // namespace

TSkinCaption::TSkinCaption(TWinSkinForm& form)
    : m_form(form), m_font(std::make_unique<TFont>()), m_icon(std::make_unique<TBitmap>()),
      m_scratch(std::make_unique<TBitmap>()), m_doubleClickTime(GetDoubleClickTime()) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        if (HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont))
            m_font->SetHandle(font);
    }
    // 32-bit sections are drawn in place; other depths are converted on every call.
    m_scratch->SetPixelFormat(pf32bit);
}

TSkinCaption::~TSkinCaption() = default;

// ---- the buttons ---------------------------------------------------------------------------------

void TSkinCaption::FreeButtons() {
    SetHotObject(nullptr);
    m_buttons.clear();
}

void TSkinCaption::RebuildButtons() {
    FreeButtons();
    TSkinData* skinData = m_form.SkinData();
    if (!skinData)
        return;
    for (const auto& record : skinData->Elements().SysButtons) {
        if (record->Action == caSystemMenu || record->Action == caIcon) {
            LoadIcon();
            if (record->Image->Empty())
                record->Image->Assign(m_icon.get());
            if (skinData->AppIcon().Empty())
                skinData->AppIcon().Assign(m_icon.get());
            record->FrameCount = 1;
        }
        m_buttons.push_back(std::make_unique<TWinSysButton>(*this, *record));
    }
}

void TSkinCaption::LoadIcon() {
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    m_icon->SetPixelFormat(pf24bit);
    m_icon->SetSize(width, height);
    TCanvas& canvas = *m_icon->Canvas();
    canvas.Brush()->SetColor(clFuchsia);
    canvas.FillRect(Rect(0, 0, width, height));
    HICON icon = WindowIcon(m_form.Window());
    if (!icon)
        return;
    if (auto copy = static_cast<HICON>(CopyImage(icon, IMAGE_ICON, width, height, LR_COPYFROMRESOURCE))) {
        DrawIconEx(canvas.Handle(), 0, 0, copy, width, height, 0, nullptr, DI_NORMAL);
        DestroyIcon(copy);
    }
}

bool TSkinCaption::FirstConditionHolds(int code, const TDataSkinSysButton& record) const {
    const std::uint32_t boxes = m_form.CaptionButtonSet();
    const bool maximised = m_form.WindowState() == TSkinWindowState::Maximised;
    const bool minOrMax = (boxes & (cbMinimise | cbMaximise)) != 0;
    const bool systemMenu = (boxes & cbSystemMenu) != 0;
    switch (code) {
    case 0:
        return true;
    case 1:
        return maximised;
    case 2:
        return !maximised;
    case 3:
        return m_form.Active();
    case 4:
        return !m_form.Active();
    case 6:
    case 8:
        return minOrMax && systemMenu;
    case 7:
        return (boxes & cbMaximise) == 0;
    case 9:
        return (boxes & cbMinimise) == 0;
    case 10:
        return (boxes & cbHelp) != 0 && !minOrMax;
    case 100: {
        // A maximised MDI child's buttons show in its frame's skinned menu bar.
        if (m_form.WindowKind() != TSkinWindowKind::MdiFrame || !m_form.MdiClient())
            return false;
        bool maximisedChild = false;
        m_form.ActiveMdiChild(&maximisedChild);
        return maximisedChild && m_form.MenuBarHeight() > 0;
    }
    case 200:
        return m_form.BorderKind() == TBorderKind::Dialog && !m_form.IsDialogClass();
    default:
        break;
    }
    if (code >= 201 && code <= 999)
        return true;
    if (code >= 1000 && code <= 2000)
        return SendMessageA(m_form.Window(), SM_CAPTIONBUTTONQUERY, static_cast<WPARAM>(code),
                            static_cast<LPARAM>(record.Action)) > 0;
    return false;
}

bool TSkinCaption::SecondConditionHolds(int code) const {
    const std::uint32_t boxes = m_form.CaptionButtonSet();
    const bool maximised = m_form.WindowState() == TSkinWindowState::Maximised;
    const bool minOrMax = (boxes & (cbMinimise | cbMaximise)) != 0;
    switch (code) {
    case 0:
    case 100:
        return true;
    case 1:
        return maximised;
    case 2:
        return !maximised;
    case 3:
        return m_form.Active();
    case 4:
        return !m_form.Active();
    case 6:
    case 8:
        return minOrMax;
    case 7:
        return (boxes & cbMaximise) == 0;
    case 9:
        return (boxes & cbMinimise) == 0;
    case 10:
        return (boxes & cbHelp) != 0;
    case 200:
        return m_form.BorderKind() == TBorderKind::Dialog && !m_form.IsDialogClass();
    default:
        break;
    }
    return (code >= 201 && code <= 999) || (code >= 1000 && code <= 2000);
}

bool TSkinCaption::IsShown(const TDataSkinSysButton& record) const {
    if (!FirstConditionHolds(record.Visibility, record) || !SecondConditionHolds(record.Visibility1))
        return false;
    switch (record.Action) {
    case caClose:
        return (m_form.CaptionButtonSet() & cbSystemMenu) != 0;
    case caSystemMenu:
    case caIcon:
    case caSystemMenu2:
        return m_form.BorderKind() != TBorderKind::Dialog;
    default:
        return true;
    }
}

bool TSkinCaption::IsEnabled(const TDataSkinSysButton& record) const {
    const std::uint32_t boxes = m_form.CaptionButtonSet();
    const bool systemMenu = (boxes & cbSystemMenu) != 0;
    switch (record.Action) {
    case caMaximise:
        return systemMenu && (boxes & cbMaximise) != 0;
    case caMinimise:
        return systemMenu && (boxes & cbMinimise) != 0;
    default:
        return true;
    }
}

void TSkinCaption::LayoutButtons(int paintedWidth) {
    const TSkinElements& skin = m_form.SkinData()->Elements();
    const int menuBarEnd = skin.MenuBar ? skin.MenuBar->RightWidth : 0;
    m_reservedRight = 0;
    for (const auto& button : m_buttons) {
        const TDataSkinSysButton& record = button->Record();
        button->Visible = IsShown(record);
        button->Enabled = IsEnabled(record);
        if (!button->Visible || EmptyImage(record)) {
            button->Bounds = RECT{0, 0, 0, 0};
            continue;
        }
        const int width = record.Image->Width() / std::max(record.FrameCount, 1);
        const int height = record.Image->Height();
        POINT corner{record.Xcoord, record.Ycoord};
        switch (record.Align) {
        case 1:
            corner.x = paintedWidth - record.Xcoord;
            m_reservedRight = std::max(m_reservedRight, static_cast<int>(record.Xcoord));
            break;
        case 2:
        case 8:
            corner.x = m_textRect.left - width - record.Xcoord;
            break;
        case 3:
        case 9:
            corner.x = m_textRect.right + record.Xcoord;
            break;
        case 100:
            corner.x = paintedWidth - record.Xcoord - m_form.RightBorderWidth() - menuBarEnd;
            corner.y = m_form.CaptionHeight() + (m_form.MenuBarHeight() - height) / 2;
            break;
        default:
            break;
        }
        button->Bounds = RECT{corner.x, corner.y, corner.x + width, corner.y + height};
    }
}

// ---- painting --------------------------------------------------------------------------------------

std::string TSkinCaption::CaptionText() const {
    std::string text(1, ' ');
    text += WindowText(m_form.Window());
    text.append(2, ' ');
    return text;
}

int TSkinCaption::CaptionTextWidth() const {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, m_font->Handle());
    RECT measured{};
    SkinDrawText(dc, SkinTextToWide(CaptionText()), measured, MeasureFormat);
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    return measured.right - measured.left;
}

void TSkinCaption::Paint(HDC windowDC, int paintedWidth, bool minimised) {
    TSkinData* skinData = m_form.SkinData();
    if (!skinData)
        return;
    TSkinElements& skin = skinData->Elements();
    const int bandHeight = m_form.CaptionHeight();
    RECT windowRect{};
    GetWindowRect(m_form.Window(), &windowRect);
    const int scratchHeight = minimised ? windowRect.bottom - windowRect.top : bandHeight;
    if (paintedWidth <= 0 || scratchHeight <= 0)
        return;
    m_scratch->SetSize(paintedWidth, scratchHeight);
    HDC dc = m_scratch->Canvas()->Handle();
    RECT caption{};
    if (minimised) {
        HBRUSH face = CreateSolidBrush(ColorToRGB(skin.Colours[3]));
        const RECT all = {0, 0, paintedWidth, scratchHeight};
        FillRect(dc, &all, face);
        DeleteObject(face);
        caption = {0, 0, paintedWidth, bandHeight};
    } else {
        BitBlt(dc, 0, 0, paintedWidth, bandHeight, windowDC, 0, 0, SRCCOPY);
        caption = {m_form.LeftBorderWidth(), 0, paintedWidth - m_form.RightBorderWidth(), bandHeight};
    }
    DrawBorderSide(dc, caption, *skin.BorderTop, true, m_form.Active());
    PaintText(dc, caption, bandHeight);
    LayoutButtons(paintedWidth);
    PaintButtonsInto(dc);
    BitBlt(windowDC, 0, 0, paintedWidth, scratchHeight, dc, 0, 0, SRCCOPY);
    SetBkMode(windowDC, OPAQUE);
}

void TSkinCaption::PaintText(HDC dc, const RECT& caption, int bandHeight) {
    const TSkinElements& skin = m_form.SkinData()->Elements();
    const TDataSkinTitle& title = *skin.Title;
    const std::u16string text = SkinTextToWide(CaptionText());
    const HGDIOBJ oldFont = SelectObject(dc, m_font->Handle());
    SetBkMode(dc, TRANSPARENT);
    const TColor colour = m_form.Active()
                              ? (title.ActiveText != clNone ? title.ActiveText : skin.Colours[1])
                              : (title.InActiveText != clNone ? title.InActiveText : skin.Colours[2]);
    SetTextColor(dc, ColorToRGB(colour));

    // The reserved right area: the widest offset of the shown right-aligned buttons.
    int reserved = 0;
    for (const auto& button : m_buttons) {
        const TDataSkinSysButton& record = button->Record();
        if (record.Align == 1 && IsShown(record) && !EmptyImage(record))
            reserved = std::max(reserved, static_cast<int>(record.Xcoord));
    }
    RECT measured{};
    SkinDrawText(dc, text, measured, MeasureFormat);
    const int textHeight = measured.bottom - measured.top;
    const int blockWidth = (measured.right - measured.left) + title.TXTBackleft + title.TXTBackRight;

    const int right = caption.right;
    int shift = 0;
    if (!m_form.RightToLeft()) {
        switch (title.TextAlignment) {
        case 1:
            shift = (right - blockWidth) / 2;
            break;
        case 2:
            shift = right - title.RightWidth - blockWidth;
            break;
        default:
            shift = title.LeftWidth;
            break;
        }
    } else {
        switch (title.TextAlignment) {
        case 1:
            shift = (right - reserved - blockWidth) / 2;
            break;
        case 2:
            shift = title.LeftWidth;
            break;
        default:
            shift = right - reserved - blockWidth;
            break;
        }
    }
    RECT block{caption.left + shift, 0, 0, 0};
    if (m_form.RightToLeft() && shift < 1)
        block.left = title.LeftWidth;
    block.top = (bandHeight - textHeight) / 2 + title.TopHeight / 2;
    block.right = block.left + blockWidth;
    block.bottom = block.top + textHeight;

    if (m_form.IsPopup()) {
        if (m_form.RightToLeft())
            OffsetRect(&block, RightToLeftShift, 0);
        else if (reserved > PopupTextGap && right - reserved - PopupTextGap < block.right)
            block.right = right - reserved - PopupTextGap;
    } else {
        if (m_form.RightToLeft())
            OffsetRect(&block, RightToLeftShift, 0);
        else if (right - title.RightWidth < block.right)
            block.right = right - title.RightWidth;
    }
    if (m_form.BorderKind() == TBorderKind::Dialog && title.TextAlignment == 0)
        OffsetRect(&block, -DialogTextShift, 0);
    m_textRect = block;

    if (!title.Image->Empty()) {
        const int frame = m_form.Active() ? 1 : 2;
        TSkinFrameStyle style;
        style.margins = {title.TXTBackleft, 0, title.TXTBackRight, 0};
        DrawSkinFrame(dc, RECT{block.left, 0, block.right, bandHeight}, *title.Image, frame,
                      std::max(title.FrameCount, 1), true, style);
    }
    RECT textRect = block;
    textRect.left += title.TXTBackleft;
    textRect.right -= title.TXTBackRight;
    SkinDrawText(dc, text, textRect, m_form.RightToLeft() ? RightToLeftFormat : DrawFormat);
    m_textRect = textRect;
    SelectObject(dc, oldFont);
}

void TSkinCaption::PaintButtonsInto(HDC dc) {
    const bool active = m_form.Active();
    for (const auto& button : m_buttons) {
        const TDataSkinSysButton& record = button->Record();
        if (!button->Visible || EmptyImage(record) || record.Visibility == 100)
            continue;
        if (button->IsIconButton()) {
            DrawIcon(dc, *button);
            continue;
        }
        const int frames = std::max(record.FrameCount, 1);
        const int frame = frames < 4 || (active && button->Enabled) ? 1 : 4;
        const RECT source =
            SkinFrameRect(record.Image->Width(), record.Image->Height(), frame, frames, false);
        DrawKeyed(dc, button->Bounds, *record.Image, clFuchsia, source.left, source.top);
    }
}

void TSkinCaption::DrawIcon(HDC dc, const TWinSysButton& button) {
    HICON icon = WindowIcon(m_form.Window());
    if (!icon) {
        if (TCustomForm* main = Application()->MainForm(); main && main->HandleAllocated())
            icon = WindowIcon(main->Handle());
    }
    if (!icon) {
        // Without any icon: the button's own picture (the skin's, or the window's icon bitmap).
        DrawKeyed(dc, button.Bounds, *button.Record().Image);
        return;
    }
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    const int top = (m_textRect.top + m_textRect.bottom - height) / 2;
    DrawIconEx(dc, IconLeft, top, icon, width, height, 0, nullptr, DI_NORMAL);
}
