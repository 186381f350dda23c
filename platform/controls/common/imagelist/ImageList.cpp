// Image lists: images of one size kept with a transparency mask each, drawn normally, over a
// background colour, transparently, as a mask, blended with a colour or greyed. Handles are
// looked up in a table, so a destroyed or made-up handle fails the call instead of crashing.

#include "platform/controls/common/CommCtrl.h"

#include "platform/base/HandleTable.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// One image: colours (0x00RRGGBB as COLORREF) and whether each pixel is transparent.
struct Image {
    std::vector<COLORREF> colours;
    std::vector<bool> transparent;
};

struct List {
    int width = 0;
    int height = 0;
    UINT flags = 0;
    COLORREF background = CLR_NONE;
    std::vector<Image> images;

    bool Masked() const { return (flags & ILC_MASK) != 0; }
};

platform::HandleTable<List>& Lists() {
    static platform::HandleTable<List> table(0x2A000);
    return table;
}

List* Find(HIMAGELIST handle) {
    List* list = Lists().Find(reinterpret_cast<std::uintptr_t>(handle));
    if (!list)
        SetLastError(ERROR_INVALID_HANDLE);
    return list;
}

// The pixels of a bitmap as COLORREFs, top row first; empty when it is no bitmap.
std::vector<COLORREF> ReadBitmap(HBITMAP bitmap, int& width, int& height) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return {};
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    request.bmiHeader.biWidth = width;
    request.bmiHeader.biHeight = -height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> bgrx(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    HDC dc = CreateCompatibleDC(nullptr);
    int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bgrx.data(), &request, DIB_RGB_COLORS);
    DeleteDC(dc);
    if (lines != height)
        return {};
    std::vector<COLORREF> colours(bgrx.size());
    std::transform(bgrx.begin(), bgrx.end(), colours.begin(), [](std::uint32_t value) {
        return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    });
    return colours;
}

// Cuts a strip of images (side by side, each the list's size) out of a picture.
std::vector<Image> CutImages(const List& list, const std::vector<COLORREF>& colours, int width, int height,
                             const std::vector<COLORREF>* maskColours, COLORREF keyColour) {
    std::vector<Image> images;
    int count = std::max(1, width / list.width);
    for (int n = 0; n < count; ++n) {
        Image image;
        image.colours.assign(static_cast<std::size_t>(list.width * list.height), 0);
        image.transparent.assign(image.colours.size(), false);
        for (int y = 0; y < list.height; ++y) {
            for (int x = 0; x < list.width; ++x) {
                int sx = n * list.width + x;
                if (sx >= width || y >= height)
                    continue;
                std::size_t from = static_cast<std::size_t>(y * width + sx);
                std::size_t to = static_cast<std::size_t>(y * list.width + x);
                image.colours[to] = colours[from];
                if (!list.Masked())
                    continue;
                if (maskColours)
                    image.transparent[to] = (*maskColours)[from] == RGB(255, 255, 255);
                else if (keyColour != CLR_NONE)
                    image.transparent[to] = colours[from] == keyColour;
            }
        }
        images.push_back(std::move(image));
    }
    return images;
}

int Append(List& list, std::vector<Image> images) {
    int first = static_cast<int>(list.images.size());
    for (Image& image : images)
        list.images.push_back(std::move(image));
    return first;
}

COLORREF Mix(COLORREF a, COLORREF b, int percentOfB) {
    auto channel = [percentOfB](int x, int y) { return (x * (100 - percentOfB) + y * percentOfB) / 100; };
    return RGB(channel(GetRValue(a), GetRValue(b)), channel(GetGValue(a), GetGValue(b)),
               channel(GetBValue(a), GetBValue(b)));
}

COLORREF Grey(COLORREF colour) {
    int level = (GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11) / 100;
    return RGB(level, level, level);
}

// The colour one pixel of an image is drawn in, or CLR_NONE where the destination stays.
COLORREF DrawnColour(const List& list, const Image& image, std::size_t at, const IMAGELISTDRAWPARAMS& params,
                     COLORREF background, COLORREF destination) {
    bool transparent = list.Masked() && image.transparent[at];
    if (params.fStyle & ILD_MASK)
        return transparent ? RGB(255, 255, 255) : RGB(0, 0, 0);
    if (transparent)
        return background;
    COLORREF colour = image.colours[at];
    if (params.fState & ILS_SATURATE)
        colour = Grey(colour);
    int blend = (params.fStyle & ILD_BLEND50) ? 50 : (params.fStyle & ILD_BLEND25) ? 25 : 0;
    if (blend) {
        COLORREF with = params.rgbFg == CLR_DEFAULT ? GetSysColor(COLOR_HIGHLIGHT)
                        : params.rgbFg == CLR_NONE  ? destination
                                                    : params.rgbFg;
        colour = Mix(colour, with, blend);
    }
    return colour;
}

} // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int) {
    if (cx <= 0 || cy <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto list = std::make_unique<List>();
    list->width = cx;
    list->height = cy;
    list->flags = flags;
    return reinterpret_cast<HIMAGELIST>(Lists().Insert(std::move(list)));
}

BOOL ImageList_Destroy(HIMAGELIST handle) {
    if (!Find(handle))
        return FALSE;
    Lists().Remove(reinterpret_cast<std::uintptr_t>(handle));
    return TRUE;
}

int ImageList_Add(HIMAGELIST handle, HBITMAP image, HBITMAP mask) {
    List* list = Find(handle);
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours = list ? ReadBitmap(image, width, height) : std::vector<COLORREF>();
    if (colours.empty())
        return -1;
    int maskWidth = 0;
    int maskHeight = 0;
    std::vector<COLORREF> maskColours = ReadBitmap(mask, maskWidth, maskHeight);
    bool maskFits = !maskColours.empty() && maskWidth == width && maskHeight == height;
    return Append(*list,
                  CutImages(*list, colours, width, height, maskFits ? &maskColours : nullptr, CLR_NONE));
}

int ImageList_AddMasked(HIMAGELIST handle, HBITMAP image, COLORREF maskColour) {
    List* list = Find(handle);
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours = list ? ReadBitmap(image, width, height) : std::vector<COLORREF>();
    if (colours.empty())
        return -1;
    return Append(*list, CutImages(*list, colours, width, height, nullptr, maskColour));
}

int ImageList_ReplaceIcon(HIMAGELIST handle, int index, HICON icon) {
    List* list = Find(handle);
    if (!list || index < -1 || index >= static_cast<int>(list->images.size()))
        return -1;
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return -1;
    // The icon is drawn at the list's size into a picture and a mask of that size.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, list->width, list->height);
    HBITMAP mask = CreateCompatibleBitmap(screen, list->width, list->height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, picture);
    DrawIconEx(dc, 0, 0, icon, list->width, list->height, 0, nullptr, DI_IMAGE);
    SelectObject(dc, mask);
    // The mask is ANDed onto what is there: start from white.
    RECT all{0, 0, list->width, list->height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc, 0, 0, icon, list->width, list->height, 0, nullptr, DI_MASK);
    SelectObject(dc, old);
    DeleteDC(dc);
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours = ReadBitmap(picture, width, height);
    std::vector<COLORREF> maskColours = ReadBitmap(mask, width, height);
    DeleteObject(picture);
    DeleteObject(mask);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    if (colours.empty() || maskColours.empty())
        return -1;
    // An icon is always drawn through its mask, whatever the list's flags say.
    List masked = *list;
    masked.flags |= ILC_MASK;
    masked.images.clear();
    std::vector<Image> images = CutImages(masked, colours, width, height, &maskColours, CLR_NONE);
    if (index == -1)
        return Append(*list, std::move(images));
    list->images[static_cast<std::size_t>(index)] = std::move(images.front());
    return index;
}

BOOL ImageList_Replace(HIMAGELIST handle, int index, HBITMAP image, HBITMAP mask) {
    List* list = Find(handle);
    if (!list || index < 0 || index >= static_cast<int>(list->images.size()))
        return FALSE;
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours = ReadBitmap(image, width, height);
    if (colours.empty())
        return FALSE;
    int maskWidth = 0;
    int maskHeight = 0;
    std::vector<COLORREF> maskColours = ReadBitmap(mask, maskWidth, maskHeight);
    bool maskFits = !maskColours.empty() && maskWidth == width && maskHeight == height;
    list->images[static_cast<std::size_t>(index)] =
        CutImages(*list, colours, width, height, maskFits ? &maskColours : nullptr, CLR_NONE).front();
    return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST handle, int index) {
    List* list = Find(handle);
    if (!list || index < -1 || index >= static_cast<int>(list->images.size()))
        return FALSE;
    if (index == -1)
        list->images.clear();
    else
        list->images.erase(list->images.begin() + index);
    return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST handle) {
    List* list = Find(handle);
    return list ? static_cast<int>(list->images.size()) : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST handle, UINT count) {
    List* list = Find(handle);
    if (!list)
        return FALSE;
    Image blank;
    blank.colours.assign(static_cast<std::size_t>(list->width * list->height), 0);
    blank.transparent.assign(blank.colours.size(), false);
    list->images.resize(count, blank);
    return TRUE;
}

BOOL ImageList_GetIconSize(HIMAGELIST handle, int* cx, int* cy) {
    List* list = Find(handle);
    if (!list || !cx || !cy)
        return FALSE;
    *cx = list->width;
    *cy = list->height;
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST handle, COLORREF colour) {
    List* list = Find(handle);
    if (!list)
        return CLR_NONE;
    COLORREF previous = list->background;
    list->background = colour;
    return previous;
}

COLORREF ImageList_GetBkColor(HIMAGELIST handle) {
    List* list = Find(handle);
    return list ? list->background : CLR_NONE;
}

BOOL ImageList_DrawIndirect(IMAGELISTDRAWPARAMS* params) {
    if (!params || params->cbSize < offsetof(IMAGELISTDRAWPARAMS, fState))
        return FALSE;
    List* list = Find(params->himl);
    if (!list || params->i < 0 || params->i >= static_cast<int>(list->images.size()) || !params->hdcDst)
        return FALSE;
    const Image& image = list->images[static_cast<std::size_t>(params->i)];
    int width = params->cx > 0 ? std::min(params->cx, list->width) : list->width;
    int height = params->cy > 0 ? std::min(params->cy, list->height) : list->height;
    COLORREF background = params->rgbBk == CLR_DEFAULT ? list->background : params->rgbBk;
    if (params->fStyle & ILD_TRANSPARENT)
        background = CLR_NONE;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int sx = params->xBitmap + x;
            int sy = params->yBitmap + y;
            if (sx < 0 || sy < 0 || sx >= list->width || sy >= list->height)
                continue;
            std::size_t at = static_cast<std::size_t>(sy * list->width + sx);
            int dx = params->x + x;
            int dy = params->y + y;
            bool needsDestination =
                params->rgbFg == CLR_NONE && (params->fStyle & (ILD_BLEND25 | ILD_BLEND50));
            COLORREF destination = needsDestination ? GetPixel(params->hdcDst, dx, dy) : 0;
            COLORREF colour = DrawnColour(*list, image, at, *params, background, destination);
            if (colour != CLR_NONE)
                SetPixelV(params->hdcDst, dx, dy, colour);
        }
    }
    return TRUE;
}

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF background,
                      COLORREF foreground, UINT style) {
    IMAGELISTDRAWPARAMS params{};
    params.cbSize = sizeof params;
    params.himl = list;
    params.i = index;
    params.hdcDst = dc;
    params.x = x;
    params.y = y;
    params.cx = dx;
    params.cy = dy;
    params.rgbBk = background;
    params.rgbFg = foreground;
    params.fStyle = style;
    return ImageList_DrawIndirect(&params);
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style) {
    return ImageList_DrawEx(list, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}
