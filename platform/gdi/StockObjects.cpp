#include "platform/gdi/StockObjects.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/WinUserDraw.h"

#include <array>
#include <cstring>

namespace platform {

namespace {

constexpr int StockCount = DC_PEN + 1;

template <typename Object>
Object* Keep(std::unique_ptr<Object> object) {
    Object* raw = object.get();
    raw->MarkStock();
    InsertGdiObject(std::move(object));
    return raw;
}

LOGFONTW StockFont(const char16_t* face, LONG height, BYTE charSet, BYTE pitch) {
    LOGFONTW font{};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = charSet;
    font.lfPitchAndFamily = pitch;
    for (int i = 0; face[i] && i < LF_FACESIZE - 1; ++i)
        font.lfFaceName[i] = face[i];
    return font;
}

struct Stock {
    std::array<GdiObject*, StockCount> objects{};
    Bitmap* defaultBitmap = nullptr;
    std::array<Brush*, SysColorCount> sysColorBrushes{};

    Stock() {
        objects[WHITE_BRUSH] = Keep(Brush::Solid(RGB(255, 255, 255)));
        objects[LTGRAY_BRUSH] = Keep(Brush::Solid(RGB(192, 192, 192)));
        objects[GRAY_BRUSH] = Keep(Brush::Solid(RGB(128, 128, 128)));
        objects[DKGRAY_BRUSH] = Keep(Brush::Solid(RGB(64, 64, 64)));
        objects[BLACK_BRUSH] = Keep(Brush::Solid(RGB(0, 0, 0)));
        objects[NULL_BRUSH] = Keep(Brush::Null());
        objects[WHITE_PEN] = Keep(std::make_unique<Pen>(PS_SOLID, 0, RGB(255, 255, 255)));
        objects[BLACK_PEN] = Keep(std::make_unique<Pen>(PS_SOLID, 0, RGB(0, 0, 0)));
        objects[NULL_PEN] = Keep(std::make_unique<Pen>(PS_NULL, 0, 0));
        // The system's Chinese user-interface faces: Song for text, its fixed-pitch sibling.
        const char16_t* song = u"\u5B8B\u4F53";
        const char16_t* fixedSong = u"\u65B0\u5B8B\u4F53";
        objects[OEM_FIXED_FONT] =
            Keep(std::make_unique<Font>(StockFont(fixedSong, -12, OEM_CHARSET, FIXED_PITCH)));
        objects[ANSI_FIXED_FONT] =
            Keep(std::make_unique<Font>(StockFont(fixedSong, -12, GB2312_CHARSET, FIXED_PITCH | FF_MODERN)));
        objects[ANSI_VAR_FONT] =
            Keep(std::make_unique<Font>(StockFont(song, -12, GB2312_CHARSET, VARIABLE_PITCH | FF_SWISS)));
        objects[SYSTEM_FONT] =
            Keep(std::make_unique<Font>(StockFont(song, -12, GB2312_CHARSET, VARIABLE_PITCH)));
        objects[DEVICE_DEFAULT_FONT] =
            Keep(std::make_unique<Font>(StockFont(song, -12, GB2312_CHARSET, VARIABLE_PITCH)));
        objects[SYSTEM_FIXED_FONT] =
            Keep(std::make_unique<Font>(StockFont(fixedSong, -12, GB2312_CHARSET, FIXED_PITCH)));
        objects[DEFAULT_GUI_FONT] =
            Keep(std::make_unique<Font>(StockFont(song, -12, GB2312_CHARSET, VARIABLE_PITCH | FF_SWISS)));
        objects[DC_BRUSH] = Keep(Brush::DcBrush());
        objects[DC_PEN] = Keep(Pen::DcPen());
        defaultBitmap = Keep(std::make_unique<Bitmap>(1, 1, true));
        for (int i = 0; i < SysColorCount; ++i) {
            if (HasSysColor(i))
                sysColorBrushes[static_cast<std::size_t>(i)] = Keep(Brush::Solid(GetSysColor(i)));
        }
    }
};

Stock& TheStock() {
    static Stock stock;
    return stock;
}

} // namespace

GdiObject* StockObject(int index) {
    if (index < 0 || index >= StockCount)
        return nullptr;
    return TheStock().objects[static_cast<std::size_t>(index)];
}

Bitmap* DefaultBitmap() {
    return TheStock().defaultBitmap;
}

Brush* SysColorBrush(int index) {
    if (!HasSysColor(index))
        return nullptr;
    return TheStock().sysColorBrushes[static_cast<std::size_t>(index)];
}

} // namespace platform
