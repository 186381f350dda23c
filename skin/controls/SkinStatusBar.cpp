#include "skin/controls/SkinStatusBar.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/controls/SkinColours.h"
#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElementSet.h"

#include <array>
#include <string_view>

namespace {

// Frames of the status bar strip.
constexpr int LoweredFrame = 1;
constexpr int RaisedFrame = 2;
constexpr int FlatFrame = 3;
constexpr int PanelFrames = 3;

// The size grip is the last frame of the skin's glyph strip.
constexpr int SizeGripFrame = 5;
constexpr int GlyphFrames = 5;

// Panel texts keep this far from the panel's sides.
constexpr int TextInset = 2;

int FrameOfType(WORD type) {
    if (type & SBT_NOBORDERS)
        return FlatFrame;
    if (type & SBT_POPOUT)
        return RaisedFrame;
    return LoweredFrame;
}

std::u16string PartText(HWND bar, WPARAM index) {
    const int length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, index, 0));
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    SendMessageW(bar, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// The bar's font with no bold, italic, underline or strike-out.
HFONT PlainFontOf(HWND bar) {
    LOGFONTW font{};
    HFONT own = reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0));
    if (!own || !GetObjectW(own, sizeof font, &font))
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfWeight = FW_NORMAL;
    font.lfItalic = font.lfUnderline = font.lfStrikeOut = 0;
    return CreateFontIndirectW(&font);
}

} // namespace

const TClass& TSkinStatusBar::ClassInfo() {
    static const TClass info("TSkinStatusBar", &TSkinControl::ClassInfo());
    return info;
}

bool TSkinStatusBar::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        PaintWhole(message);
        return false;
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

bool TSkinStatusBar::ShowsSimpleText() const {
    return SendMessageW(m_window, SB_ISSIMPLE, 0, 0) || SendMessageW(m_window, SB_GETPARTS, 0, 0) <= 0;
}

TColor TSkinStatusBar::TextColour() const {
    const TSkinElements& skin = m_skinData->Elements();
    if (skin.StatusBarEdges && skin.StatusBarEdges->NormalColour != -1)
        return static_cast<TColor>(skin.StatusBarEdges->NormalColour);
    return SkinnedSystemColour(skin, m_control ? m_control->Font()->Color() : clBtnText);
}

void TSkinStatusBar::DrawSkin(HDC dc, const RECT& rect) {
    if (!m_skinData)
        return;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return;
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(width, height);
    HDC pictureDc = picture.Canvas()->Handle();
    FillColor(pictureDc, RECT{0, 0, width, height}, BackgroundColour());
    HFONT font = PlainFontOf(m_window);
    HGDIOBJ oldFont = SelectObject(pictureDc, font);
    SetBkMode(pictureDc, TRANSPARENT);
    SetTextColor(pictureDc, ColorToRGB(TextColour()));

    if (ShowsSimpleText()) {
        const RECT whole{0, 0, width, height};
        DrawPanelFace(pictureDc, whole, LoweredFrame);
        DrawPanelText(pictureDc, whole, PartText(m_window, SB_SIMPLEID),
                      RightToLeftReading() ? DT_RIGHT : DT_LEFT, true);
    } else {
        const int parts = static_cast<int>(SendMessageW(m_window, SB_GETPARTS, 0, 0));
        for (int i = 0; i < parts; ++i) {
            RECT panel{};
            if (!SendMessageW(m_window, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&panel)))
                continue;
            // Each panel reaches over the gap to the next; the last one to the bar's end.
            panel.right = i == parts - 1 ? width : panel.right + 2;
            const WORD type = HIWORD(SendMessageW(m_window, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0));
            DrawPanelFace(pictureDc, panel, FrameOfType(type));
            if (type & SBT_OWNERDRAW)
                continue;
            const bool rightToLeft = (type & SBT_RTLREADING) != 0;
            DrawPanelText(pictureDc, panel, PartText(m_window, static_cast<WPARAM>(i)),
                          rightToLeft ? DT_RIGHT : DT_LEFT, !(type & SBT_NOTABPARSING));
        }
    }
    if (WindowLong(GWL_STYLE) & SBARS_SIZEGRIP)
        DrawSizeGrip(pictureDc, width, height);

    SelectObject(pictureDc, oldFont);
    DeleteObject(font);
    BitBlt(dc, rect.left, rect.top, width, height, pictureDc, 0, 0, SRCCOPY);
    PaintGraphicChildren(dc);
    if (!ShowsSimpleText())
        DrawOwnerPanels(dc, width);
}

void TSkinStatusBar::DrawPanelFace(HDC dc, const RECT& rect, int frame) const {
    const TDataSkinObject* edges = m_skinData->Elements().StatusBarEdges.get();
    if (edges && !edges->Image->Empty()) {
        TSkinFrameStyle style;
        style.margins = {edges->LeftWidth, edges->TopHeight, edges->RightWidth, edges->BottomHeight};
        style.tileCentre = edges->Tile == 1;
        style.transparent = edges->Trans != 0;
        DrawSkinFrame(dc, rect, *edges->Image, frame, PanelFrames, false, style);
        return;
    }
    if (frame == FlatFrame)
        return;
    RECT edge = rect;
    DrawEdge(dc, &edge, frame == RaisedFrame ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT);
}

void TSkinStatusBar::DrawPanelText(HDC dc, const RECT& rect, const std::u16string& text, UINT alignment,
                                   bool parseTabs) {
    // What follows a first tab is centred, what follows a second one right-aligned.
    std::array<std::u16string_view, 3> pieces{};
    std::u16string_view rest = text.empty() ? std::u16string_view(u" ") : std::u16string_view(text);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::size_t tab = parseTabs && i < pieces.size() - 1 ? rest.find(u'\t') : rest.npos;
        pieces[i] = rest.substr(0, tab);
        if (tab == rest.npos)
            break;
        rest.remove_prefix(tab + 1);
    }
    const UINT formats[3] = {alignment, DT_CENTER, alignment == DT_RIGHT ? DT_LEFT : DT_RIGHT};
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (pieces[i].empty())
            continue;
        RECT area{rect.left + TextInset, rect.top, rect.right - TextInset, rect.bottom};
        RECT measured = area;
        DrawCaption(dc, pieces[i], measured, formats[i] | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
        const int textHeight = measured.bottom - measured.top;
        area.top += (rect.bottom - rect.top - textHeight) / 2;
        area.bottom = area.top + textHeight;
        DrawCaption(dc, pieces[i], area, formats[i] | DT_EXPANDTABS);
    }
}

void TSkinStatusBar::DrawSizeGrip(HDC dc, int width, int height) const {
    const TDataSkinObject* glyphs = m_skinData->Elements().ExtraImages.get();
    if (!glyphs || glyphs->Image->Empty())
        return;
    const RECT frame =
        SkinFrameRect(glyphs->Image->Width(), glyphs->Image->Height(), SizeGripFrame, GlyphFrames, false);
    const int gripWidth = frame.right - frame.left;
    const int gripHeight = frame.bottom - frame.top;
    if (gripWidth <= 0 || gripHeight <= 0)
        return;
    const RECT target{width - 1 - gripWidth, height - 1 - gripHeight, width - 1, height - 1};
    DrawKeyed(dc, target, *glyphs->Image, clFuchsia, frame.left, frame.top);
}

void TSkinStatusBar::DrawOwnerPanels(HDC dc, int width) {
    const int parts = static_cast<int>(SendMessageW(m_window, SB_GETPARTS, 0, 0));
    for (int i = 0; i < parts; ++i) {
        const WORD type = HIWORD(SendMessageW(m_window, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0));
        RECT panel{};
        if (!(type & SBT_OWNERDRAW) ||
            !SendMessageW(m_window, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&panel)))
            continue;
        panel.right = i == parts - 1 ? width : panel.right + 2;
        InflateRect(&panel, -2, -2);
        DRAWITEMSTRUCT item{};
        item.CtlID = static_cast<UINT>(GetDlgCtrlID(m_window));
        item.itemID = static_cast<UINT>(i);
        item.itemAction = ODA_DRAWENTIRE;
        item.hwndItem = m_window;
        item.hDC = dc;
        item.rcItem = panel;
        item.itemData =
            static_cast<ULONG_PTR>(SendMessageW(m_window, SB_GETTEXTW, static_cast<WPARAM>(i), 0));
        SendMessageW(GetParent(m_window), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    }
}
