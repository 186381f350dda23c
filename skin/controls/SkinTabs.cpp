#include "skin/controls/SkinTabs.h"

#include "core/TextUtils.h"
#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/UpDown.h"
#include "framework/extctrls/TabSet.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinEdits.h"
#include "skin/controls/SkinFormServices.h"
#include "skin/data/ImgUtilBitmaps.h"
#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElementSet.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinDataHelpers.h"

#include <algorithm>
#include <string>

namespace {

constexpr int NormalFrame = 1;
constexpr int FocusedFrame = 2;

// The longest tab text read back.
constexpr int TextCapacity = 80;

// The pane's margins when the skin's tab style takes the pane from the tab image.
constexpr TSkinMargins PaneMargins{4, 5, 4, 4};

// The close box: a 6-pixel square with both diagonals near the tab's top right corner.
constexpr int CloseBoxFromRight = 8;
constexpr int CloseBoxToRight = 2;
constexpr int CloseBoxTop = 2;
constexpr int CloseBoxBottom = 8;

void CopyAs24Bit(TBitmap& target, const TBitmap& source) {
    target.Assign(&source);
    target.SetPixelFormat(pf24bit);
}

bool IsUpDown(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return LowerCase(name) == "msctls_updown32";
}

} // namespace

const TClass& TSkinTab::ClassInfo() {
    static const TClass info("TSkinTab", &TSkinControl::ClassInfo());
    return info;
}

TSkinTab::TSkinTab(TComponent* owner)
    : TSkinControl(owner), m_tabImage(std::make_unique<TBitmap>()), m_paneImage(std::make_unique<TBitmap>()) {
}

TSkinTab::~TSkinTab() = default;

void TSkinTab::InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) {
    if (m_initialized)
        return;
    TSkinControl::InitSkin(form, skinData, recolor, canvas);
    AfterAttach();
}

void TSkinTab::InitSkinByHandle(HWND window, TSkinData* skinData, SkinFormServices* form, TCanvas* canvas) {
    if (m_initialized)
        return;
    TSkinControl::InitSkinByHandle(window, skinData, form, canvas);
    AfterAttach();
}

void TSkinTab::AfterAttach() {
    if (!m_window)
        return;
    RefreshFocusAndEnabled();
    PrepareImages();
    m_closeBoxes = m_control && m_control->Tag() == CloseBoxTag && dynamic_cast<TPageControl*>(m_control) &&
                   m_side == tsTop;
    SkinScroller();
    m_active = true;
}

void TSkinTab::PrepareImages() {
    const LONG_PTR style = WindowLong(GWL_STYLE);
    const bool bottom = (style & TCS_BOTTOM) != 0;
    const bool vertical = (style & TCS_VERTICAL) != 0;
    m_side = vertical ? (bottom ? tsRight : tsLeft) : (bottom ? tsBottom : tsTop);
    m_tabImage->SetSize(0, 0);
    m_paneImage->SetSize(0, 0);
    if (!m_skinData || !m_skinData->Elements().Tabs)
        return;
    const TSkinElements& skin = m_skinData->Elements();
    CopyAs24Bit(*m_tabImage, *skin.Tabs->Image);
    // A skin whose tab image has no pane beside it still has the tab sheet's pane.
    m_paneFromSheet = skin.Tabs->Style != 0 || skin.Tabs->ExtraImage->Empty();
    if (!m_paneFromSheet)
        CopyAs24Bit(*m_paneImage, *skin.Tabs->ExtraImage);
    else if (skin.TabPane && !skin.TabPane->Image->Empty())
        CopyAs24Bit(*m_paneImage, *skin.TabPane->Image);
    switch (m_side) {
    case tsBottom:
        if (!m_tabImage->Empty())
            FlipBitmap(*m_tabImage);
        if (!m_paneImage->Empty())
            FlipBitmap(*m_paneImage);
        break;
    case tsLeft:
        if (!m_paneImage->Empty())
            RotateLeft(*m_paneImage);
        break;
    case tsRight:
        if (!m_paneImage->Empty())
            RotateRight(*m_paneImage);
        break;
    case tsTop:
        break;
    }
}

void TSkinTab::SkinScroller() {
    if (m_scrollerWindow)
        return;
    for (HWND child = GetWindow(m_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsUpDown(child))
            continue;
        // A component of this skin: it goes with it, or leaves it when the form frees it first.
        auto* scroller = new TSkinUpDown(this);
        scroller->SetHorizontal(true);
        scroller->InitSkinByHandle(child, m_skinData, m_form, m_canvas);
        m_scrollerWindow = child;
        return;
    }
}

void TSkinTab::SkinChanged() {
    PrepareImages();
    TSkinControl::SkinChanged();
}

bool TSkinTab::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        PaintWhole(message);
        return false;
    case WM_LBUTTONDOWN:
        if (m_closeBoxes && PressCloseBox(POINT{static_cast<short>(LOWORD(message.LParam)),
                                                static_cast<short>(HIWORD(message.LParam))})) {
            message.Result = 0;
            return false;
        }
        return TSkinControl::BeforeMessage(message);
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

bool TSkinTab::PressCloseBox(POINT point) {
    auto* pages = dynamic_cast<TPageControl*>(m_control);
    if (!pages || !m_form)
        return false;
    bool hit = false;
    bool freed = false;
    // From the last tab down, so a page freed does not move the tabs still to be asked about.
    for (int index = static_cast<int>(m_closeBoxRects.size()) - 1; index >= 0; --index) {
        if (!PtInRect(&m_closeBoxRects[static_cast<std::size_t>(index)], point))
            continue;
        hit = true;
        const LRESULT answer =
            SendMessageW(m_form->FormWindow(), SM_TABCLOSEQUERY, reinterpret_cast<WPARAM>(m_window), index);
        if (answer != 0)
            continue;
        for (int page = 0; page < pages->PageCount(); ++page) {
            if (pages->Pages(page)->TabIndex() == index) {
                delete pages->Pages(page);
                freed = true;
                break;
            }
        }
    }
    // The boxes moved with the tabs: none is hit again before they are drawn anew.
    if (freed)
        m_closeBoxRects.clear();
    return hit;
}

RECT TSkinTab::DisplayRect(const RECT& rect) const {
    RECT display = rect;
    SendMessageW(m_window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    InflateRect(&display, 4, 4);
    switch (m_side) {
    case tsTop:
        display.top += 1;
        break;
    case tsBottom:
        display.bottom -= 1;
        break;
    case tsLeft:
        display.left += 1;
        break;
    case tsRight:
        display.right -= 1;
        break;
    }
    return display;
}

void TSkinTab::DrawSkin(HDC dc, const RECT& rect) {
    if (!m_skinData)
        return;
    RefreshFocusAndEnabled();
    SkinScroller();
    const RECT display = DisplayRect(rect);
    if (!m_tabImage->Empty())
        DrawStrip(dc, rect, display);
    DrawPane(dc, display);
    if (m_kind == TabKindWithGraphicChildren)
        PaintGraphicChildren(dc);
}

void TSkinTab::DrawStrip(HDC dc, const RECT& rect, const RECT& display) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    RECT strip = rect;
    switch (m_side) {
    case tsTop:
        strip.bottom = display.top;
        break;
    case tsBottom:
        strip.top = display.bottom;
        break;
    case tsLeft:
        strip.right = display.left;
        break;
    case tsRight:
        strip.left = display.right;
        break;
    }
    const bool sideways = m_side == tsLeft || m_side == tsRight;
    // Composed as if the tabs sat on top: along the tabs, then across them.
    const int length = sideways ? height : width;
    const int thickness = sideways ? strip.right - strip.left : strip.bottom - strip.top;
    if (length <= 0 || thickness <= 0)
        return;
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(length, thickness);
    HDC pictureDc = picture.Canvas()->Handle();
    FillParentColor(pictureDc, RECT{0, 0, length, thickness});
    HGDIOBJ oldFont =
        SelectObject(pictureDc, reinterpret_cast<HFONT>(SendMessageW(m_window, WM_GETFONT, 0, 0)));
    SetBkMode(pictureDc, TRANSPARENT);

    const int count = std::max(0, static_cast<int>(SendMessageW(m_window, TCM_GETITEMCOUNT, 0, 0)));
    m_closeBoxRects.assign(m_closeBoxes ? static_cast<std::size_t>(count) : 0, RECT{});
    for (int i = 0; i < count; ++i) {
        RECT tab{};
        if (!SendMessageW(m_window, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab)))
            continue;
        RECT face = tab;
        switch (m_side) {
        case tsTop:
            OffsetRect(&face, 0, 1);
            break;
        case tsBottom:
            OffsetRect(&face, 0, -(display.bottom + 1));
            break;
        case tsLeft:
            face = RECT{length - tab.bottom, tab.left, length - tab.top, tab.right};
            break;
        case tsRight:
            face = RECT{tab.top - 1, width - tab.right, tab.bottom - 1, width - tab.left};
            break;
        }
        DrawTab(pictureDc, i, face);
    }
    SelectObject(pictureDc, oldFont);
    if (m_side == tsLeft)
        RotateLeft(picture);
    else if (m_side == tsRight)
        RotateRight(picture);

    const int saved = SaveDC(dc);
    RECT scroller{};
    if (m_scrollerWindow && IsWindowVisible(m_scrollerWindow) && GetWindowRect(m_scrollerWindow, &scroller)) {
        // The scroller stays on top of the strip.
        POINT corner{scroller.left, scroller.top};
        ScreenToClient(m_window, &corner);
        ExcludeClipRect(dc, corner.x, corner.y, corner.x + (scroller.right - scroller.left),
                        corner.y + (scroller.bottom - scroller.top));
    }
    BitBlt(dc, strip.left, strip.top, strip.right - strip.left, strip.bottom - strip.top,
           picture.Canvas()->Handle(), 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
}

void TSkinTab::DrawTab(HDC dc, int index, const RECT& face) {
    const TDataSkinBorder& tabs = *m_skinData->Elements().Tabs;
    const int focused = static_cast<int>(SendMessageW(m_window, TCM_GETCURFOCUS, 0, 0));
    const int frame = index == focused ? FocusedFrame : NormalFrame;
    TSkinFrameStyle style;
    style.margins = {tabs.LeftWidth, tabs.TopHeight, tabs.RightWidth, tabs.BottomHeight};
    style.tileCentre = tabs.Tile == 1;
    style.transparent = tabs.Trans != 0;
    DrawSkinFrame(dc, face, *m_tabImage, frame, tabs.FrameCount, false, style);

    RECT content = face;
    if (m_closeBoxes) {
        const RECT box{face.right - CloseBoxFromRight, face.top + CloseBoxTop, face.right - CloseBoxToRight,
                       face.top + CloseBoxBottom};
        MoveToEx(dc, box.left, box.top, nullptr);
        LineTo(dc, box.right, box.top);
        LineTo(dc, box.right, box.bottom);
        LineTo(dc, box.left, box.bottom);
        LineTo(dc, box.left, box.top);
        LineTo(dc, box.right, box.bottom);
        MoveToEx(dc, box.right, box.top, nullptr);
        LineTo(dc, box.left, box.bottom);
        m_closeBoxRects[static_cast<std::size_t>(index)] =
            RECT{box.left, box.top, box.right + 1, box.bottom + 1};
        content.right = box.left;
    }

    char16_t text[TextCapacity] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.pszText = reinterpret_cast<LPWSTR>(text);
    item.cchTextMax = TextCapacity;
    SendMessageW(m_window, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const std::u16string_view caption(text);

    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(m_window, TCM_GETIMAGELIST, 0, 0));
    int imageWidth = 0;
    int imageHeight = 0;
    const bool showsImage =
        images && item.iImage >= 0 && ImageList_GetIconSize(images, &imageWidth, &imageHeight);
    RECT measured{0, 0, content.right - content.left, content.bottom - content.top};
    if (!caption.empty())
        DrawCaption(dc, caption, measured, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
    const int textWidth = caption.empty() ? 0 : measured.right - measured.left;
    const int textHeight = caption.empty() ? 0 : measured.bottom - measured.top;
    const int total = (showsImage ? imageWidth : 0) + textWidth;
    int left = content.left + std::max(0, static_cast<int>(content.right - content.left) - total) / 2;
    if (showsImage) {
        ImageList_Draw(images, item.iImage, dc, left,
                       content.top + (content.bottom - content.top - imageHeight) / 2, ILD_TRANSPARENT);
        left += imageWidth;
    }
    if (caption.empty())
        return;
    const TSkinElements& skin = m_skinData->Elements();
    const std::int32_t own = frame == FocusedFrame ? tabs.PressedColour : tabs.NormalColour;
    const TColor colour = !m_enabled  ? SkinnedSystemColour(skin, clBtnShadow)
                          : own != -1 ? static_cast<TColor>(own)
                                      : SkinnedSystemColour(skin, clBtnText);
    SetTextColor(dc, ColorToRGB(colour));
    const int top = content.top + (content.bottom - content.top - textHeight) / 2;
    RECT place{left, top, content.right, top + textHeight};
    DrawCaption(dc, caption, place, DT_END_ELLIPSIS | DT_EXPANDTABS | DT_WORDBREAK);
}

void TSkinTab::DrawPane(HDC dc, const RECT& display) const {
    if (m_paneImage->Empty())
        return;
    const TSkinElements& skin = m_skinData->Elements();
    TSkinFrameStyle style;
    style.margins = PaneMargins;
    style.transparent = skin.Tabs->Trans != 0;
    if (m_paneFromSheet && skin.TabPane) {
        style.margins = {skin.TabPane->LeftWidth, skin.TabPane->TopHeight, skin.TabPane->RightWidth,
                         skin.TabPane->BottomHeight};
        style.transparent = skin.TabPane->Trans != 0;
    }
    DrawSkinFrame(dc, display, *m_paneImage, 1, 1, false, style);
}

// ---- button-style tabs --------------------------------------------------------------------

const TClass& TSkinTabBtn::ClassInfo() {
    static const TClass info("TSkinTabBtn", &TSkinControl::ClassInfo());
    return info;
}

bool TSkinTabBtn::BeforeMessage(TMessage& message) {
    if (message.Msg == WM_PAINT) {
        PaintWhole(message);
        return false;
    }
    return TSkinControl::BeforeMessage(message);
}

void TSkinTabBtn::DrawSkin(HDC dc, const RECT& rect) {
    if (!m_skinData || !m_skinData->Elements().Buttons)
        return;
    const TSkinElements& skin = m_skinData->Elements();
    const TDataSkinButton& buttons = *skin.Buttons;
    RECT display = rect;
    SendMessageW(m_window, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const RECT strip{rect.left, rect.top, rect.right, std::min(rect.bottom, display.top + 1)};
    if (strip.bottom <= strip.top)
        return;
    FillColor(dc, strip, BackgroundColour());
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(m_window, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    const TButtonFaceColours colours = ButtonFaceColours(buttons);
    const int focused = static_cast<int>(SendMessageW(m_window, TCM_GETCURFOCUS, 0, 0));
    const int count = std::max(0, static_cast<int>(SendMessageW(m_window, TCM_GETITEMCOUNT, 0, 0)));
    TSkinFrameStyle style;
    style.margins = {buttons.LeftWidth, buttons.TopHeight, buttons.RightWidth, buttons.BottomHeight};
    style.tileCentre = buttons.Tile == 1;
    style.transparent = buttons.Trans != 0;
    for (int i = 0; i < count; ++i) {
        RECT face{};
        if (!SendMessageW(m_window, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&face)))
            continue;
        const bool pressed = i == focused;
        DrawSkinFrame(dc, face, *buttons.Image, pressed ? 2 : 1, 5, false, style);
        char16_t text[TextCapacity] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = reinterpret_cast<LPWSTR>(text);
        item.cchTextMax = TextCapacity;
        SendMessageW(m_window, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        const TColor own = pressed ? colours.pressed : colours.normal;
        SetTextColor(dc, ColorToRGB(own != clNone ? own : SkinnedSystemColour(skin, clBtnText)));
        DrawCaption(dc, text, face, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    SelectObject(dc, oldFont);
}

// ---- tab sheets ---------------------------------------------------------------------------

const TClass& TSkinTabSheet::ClassInfo() {
    static const TClass info("TSkinTabSheet", &TSkinControl::ClassInfo());
    return info;
}

bool TSkinTabSheet::BeforeMessage(TMessage& message) {
    if (m_kind != 0)
        return TSkinControl::BeforeMessage(message);
    switch (message.Msg) {
    case WM_PAINT:
    case WM_PRINT:
        PaintWhole(message);
        return false;
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(m_window, &client);
        if (m_skinData)
            FillRect(reinterpret_cast<HDC>(message.WParam), &client, m_skinData->Elements().FaceBrush.Get());
        message.Result = 1;
        return false;
    }
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinTabSheet::DrawSkin(HDC dc, const RECT& rect) {
    if (!m_skinData)
        return;
    FillColor(dc, rect, BackgroundColour());
    PaintGraphicChildren(dc);
}

// ---- tab set ------------------------------------------------------------------------------

namespace {

// A tab set's cell is its text and this much; a tab shows only with room for its text and the
// margin (more while the scroller takes the end).
constexpr int TabSetCellExtra = 9;
constexpr int TabSetRoomWithScroller = 21;

} // namespace

const TClass& TSkinTab31::ClassInfo() {
    static const TClass info("TSkinTab31", &TSkinControl::ClassInfo());
    return info;
}

TSkinTab31::TSkinTab31(TComponent* owner) : TSkinControl(owner), m_flippedTabs(std::make_unique<TBitmap>()) {}

TSkinTab31::~TSkinTab31() = default;

void TSkinTab31::InitSkin(SkinFormServices* form, TSkinData* skinData, bool, TCanvas* canvas) {
    auto* tabSet = dynamic_cast<TTabSet*>(Owner());
    if (m_initialized || !tabSet)
        return;
    m_tabSet = tabSet;
    TSkinControl::InitSkinByHandle(tabSet->Handle(), skinData, form, canvas);
    PrepareImage();
    SkinScroller();
}

void TSkinTab31::SkinScroller() {
    // The scroller gets its window when the tabs first overflow.
    auto* tabSet = dynamic_cast<TTabSet*>(m_tabSet);
    TUpDown* scroller = tabSet ? tabSet->Scroller() : nullptr;
    if (m_scrollerSkinned || !scroller || !scroller->HandleAllocated())
        return;
    auto* scrollerSkin = new TSkinUpDown(this);
    scrollerSkin->SetHorizontal(true);
    scrollerSkin->InitSkinByHandle(scroller->Handle(), m_skinData, m_form, m_canvas);
    m_scrollerSkinned = true;
}

void TSkinTab31::PrepareImage() {
    m_flippedTabs->SetSize(0, 0);
    if (!m_skinData || !m_skinData->Elements().Tabs || m_skinData->Elements().Tabs->Image->Empty())
        return;
    CopyAs24Bit(*m_flippedTabs, *m_skinData->Elements().Tabs->Image);
    FlipBitmap(*m_flippedTabs);
}

void TSkinTab31::SkinChanged() {
    PrepareImage();
    TSkinControl::SkinChanged();
}

bool TSkinTab31::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT: {
        // The tab set still paints (it places its tabs and its scroller then); the skin's
        // picture goes over it again afterwards.
        PaintWhole(message);
        return true;
    }
    case WM_ERASEBKGND:
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinTab31::DrawSkin(HDC dc, const RECT& rect) {
    auto* tabSet = dynamic_cast<TTabSet*>(m_tabSet);
    if (!m_skinData || !tabSet || m_flippedTabs->Empty())
        return;
    SkinScroller();
    const TSkinElements& skin = m_skinData->Elements();
    const TDataSkinBorder& tabs = *skin.Tabs;
    RECT client{};
    GetClientRect(m_window, &client);
    const int width = client.right;
    const int height = client.bottom;
    if (width <= 0 || height <= 0)
        return;
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(width, height);
    HDC pictureDc = picture.Canvas()->Handle();
    FillColor(pictureDc, RECT{0, 0, width, height}, BackgroundColour());
    HGDIOBJ oldFont = SelectObject(pictureDc, tabSet->Font()->Handle());
    SetBkMode(pictureDc, TRANSPARENT);
    const bool scrollerShows = tabSet->Scroller() && tabSet->Scroller()->Visible();
    const int room = width - tabSet->EndMargin();
    TSkinFrameStyle style;
    style.margins = {tabs.LeftWidth, tabs.BottomHeight, tabs.RightWidth, tabs.TopHeight};
    style.tileCentre = tabs.Tile == 1;
    style.transparent = tabs.Trans != 0;
    int start = tabSet->StartMargin();
    m_drawnTabs = 0;
    for (int i = std::max(0, tabSet->FirstIndex()); i < tabSet->Tabs()->Count(); ++i) {
        const std::u16string text = SkinTextToWide(tabSet->Tabs()->Strings(i));
        RECT measured{0, 0, width, height};
        DrawCaption(pictureDc, text, measured, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
        const int textWidth = measured.right - measured.left;
        if (room < start + textWidth + (scrollerShows ? TabSetRoomWithScroller : TabSetCellExtra))
            break;
        const int cell = textWidth + TabSetCellExtra;
        const bool selected = i == tabSet->TabIndex();
        RECT face{start, 0, start + cell, height};
        DrawSkinFrame(pictureDc, face, *m_flippedTabs, selected ? 2 : 1, tabs.FrameCount, false, style);
        const std::int32_t own = selected ? tabs.PressedColour : tabs.NormalColour;
        SetTextColor(pictureDc,
                     ColorToRGB(own != -1 ? static_cast<TColor>(own) : SkinnedSystemColour(skin, clBtnText)));
        DrawCaption(pictureDc, text, face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        start += cell;
        ++m_drawnTabs;
    }
    SelectObject(pictureDc, oldFont);
    const int saved = SaveDC(dc);
    RECT scroller{};
    if (scrollerShows && GetWindowRect(tabSet->Scroller()->Handle(), &scroller)) {
        POINT corner{scroller.left, scroller.top};
        ScreenToClient(m_window, &corner);
        ExcludeClipRect(dc, corner.x, corner.y, corner.x + (scroller.right - scroller.left),
                        corner.y + (scroller.bottom - scroller.top));
    }
    BitBlt(dc, rect.left, rect.top, width, height, pictureDc, 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
}
