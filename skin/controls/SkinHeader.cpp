#include "skin/controls/SkinHeader.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/controls/SkinColours.h"
#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElementSet.h"
#include "skin/forms/WinSkinDataHelpers.h"

#include <algorithm>

namespace {

constexpr int NormalFrame = 1;
constexpr int HotFrame = 2;

// The longest item text read back.
constexpr int TextCapacity = 201;

// An item's image shows only with one of these format bits.
constexpr int ImageFormatBits = HDF_IMAGE | 0x8000;

// Gaps between an item's edge and what it shows, and between its image and text.
constexpr int LeftGap = 3;
constexpr int RightGap = 2;
constexpr int ImageGap = 2;

} // namespace

const TClass& TSkinHeader::ClassInfo() {
    static const TClass info("TSkinHeader", &TSkinControl::ClassInfo());
    return info;
}

void TSkinHeader::InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) {
    TSkinControl::InitSkin(form, skinData, recolor, canvas);
    m_hotItem = -1;
}

void TSkinHeader::InitSkinByHandle(HWND window, TSkinData* skinData, SkinFormServices* form,
                                   TCanvas* canvas) {
    TSkinControl::InitSkinByHandle(window, skinData, form, canvas);
    m_hotItem = -1;
}

bool TSkinHeader::SkinHasHeader() const {
    const TDataSkinObject* header = m_skinData ? m_skinData->Elements().Headerbar.get() : nullptr;
    return header && !header->Image->Empty();
}

bool TSkinHeader::BeforeMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT:
        // Without a header image the header paints itself rather than not at all.
        if (!SkinHasHeader())
            return true;
        PaintWhole(message);
        return false;
    case WM_ERASEBKGND:
        if (!SkinHasHeader())
            return true;
        message.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeMessage(message);
    }
}

void TSkinHeader::AfterMessage(TMessage& message) {
    switch (message.Msg) {
    case WM_MOUSEMOVE:
        TrackHot(
            POINT{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))});
        TrackMouseLeave(m_window);
        break;
    case WM_MOUSELEAVE:
        m_hotItem = -1;
        Repaint();
        break;
    default:
        TSkinControl::AfterMessage(message);
    }
}

void TSkinHeader::TrackHot(POINT point) {
    for (std::size_t i = 0; i < m_itemRects.size(); ++i) {
        if (static_cast<int>(i) != m_hotItem && PtInRect(&m_itemRects[i], point)) {
            m_hotItem = static_cast<int>(i);
            Repaint();
            return;
        }
    }
}

void TSkinHeader::DrawSkin(HDC dc, const RECT& rect) {
    if (!SkinHasHeader())
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
    HGDIOBJ oldFont =
        SelectObject(pictureDc, reinterpret_cast<HFONT>(SendMessageW(m_window, WM_GETFONT, 0, 0)));
    SetBkMode(pictureDc, TRANSPARENT);
    RefreshFocusAndEnabled();

    const int count = std::max(0, static_cast<int>(SendMessageW(m_window, HDM_GETITEMCOUNT, 0, 0)));
    m_itemRects.assign(static_cast<std::size_t>(count), RECT{});
    int end = 0;
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!SendMessageW(m_window, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)))
            continue;
        DrawItem(pictureDc, i, item);
        end = std::max(end, static_cast<int>(item.right));
        InflateRect(&item, -3, 0);
        m_itemRects[static_cast<std::size_t>(i)] = item;
    }
    if (end < width)
        DrawFace(pictureDc, RECT{end, 0, width, height}, NormalFrame);

    SelectObject(pictureDc, oldFont);
    BitBlt(dc, rect.left, rect.top, width, height, pictureDc, 0, 0, SRCCOPY);
}

void TSkinHeader::DrawFace(HDC dc, const RECT& rect, int frame) const {
    const TDataSkinObject& header = *m_skinData->Elements().Headerbar;
    TSkinFrameStyle style;
    style.margins = {header.LeftWidth, header.TopHeight, header.RightWidth, header.BottomHeight};
    style.tileCentre = header.Tile == 1;
    style.transparent = header.Trans != 0;
    DrawSkinFrame(dc, rect, *header.Image, frame, header.FrameCount, false, style);
}

void TSkinHeader::DrawItem(HDC dc, int index, const RECT& rect) {
    DrawFace(dc, rect, index == m_hotItem ? HotFrame : NormalFrame);
    char16_t text[TextCapacity] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = reinterpret_cast<LPWSTR>(text);
    item.cchTextMax = TextCapacity;
    if (!SendMessageW(m_window, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) ||
        !text[0])
        return;
    const std::u16string_view caption(text);

    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(m_window, HDM_GETIMAGELIST, 0, 0));
    int imageWidth = 0;
    int imageHeight = 0;
    const bool showsImage = images && (item.fmt & ImageFormatBits) && item.iImage >= 0 &&
                            ImageList_GetIconSize(images, &imageWidth, &imageHeight);
    if (!showsImage)
        imageWidth = 0;
    RECT measured{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    DrawCaption(dc, caption, measured, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
    const int textWidth = measured.right - measured.left;
    const int textHeight = measured.bottom - measured.top;
    const int contentWidth = imageWidth + (showsImage ? ImageGap : 0) + textWidth;

    int left = rect.left + LeftGap;
    const int justify = item.fmt & HDF_JUSTIFYMASK;
    if (justify == HDF_RIGHT)
        left = rect.right - RightGap - contentWidth;
    else if (justify == HDF_CENTER)
        left = rect.left + (rect.right - rect.left - contentWidth) / 2;
    left = std::max(left, static_cast<int>(rect.left) + 1);

    if (showsImage) {
        ImageList_Draw(images, item.iImage, dc, left, rect.top + (rect.bottom - rect.top - imageHeight) / 2,
                       ILD_TRANSPARENT);
        left += imageWidth + ImageGap;
    }
    const TDataSkinObject& header = *m_skinData->Elements().Headerbar;
    const TColor colour = !m_enabled ? SkinnedSystemColour(m_skinData->Elements(), clBtnShadow)
                          : header.NormalColour != -1
                              ? static_cast<TColor>(header.NormalColour)
                              : SkinnedSystemColour(m_skinData->Elements(), clBtnText);
    SetTextColor(dc, ColorToRGB(colour));
    const int top = rect.top + (rect.bottom - rect.top - textHeight) / 2;
    RECT place{left, top, rect.right - RightGap, top + textHeight};
    DrawCaption(dc, caption, place, DT_END_ELLIPSIS | DT_EXPANDTABS);
}
