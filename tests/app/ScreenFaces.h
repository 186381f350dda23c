#pragma once
// Skin frames against the screen, for the program's X11 tests: a frame of a skin image composed
// the way the skin engine draws it, and how a part of the screen differs from it.

#include "tests/framework/DemoPerson.h"
#include "tests/platform/display/XTestClient.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/controls/WinSubClass.h"
#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElements.h"

#include <cstdint>
#include <ostream>

namespace testing_support {

constexpr std::uint32_t Magenta = 0x00FF00FF;

// A frame of a skin image composed over a rectangle of the size, nine parts with the margins,
// drawn keyed over magenta: what the skin leaves transparent stays magenta and is not compared.
struct TFace {
    TFace(TBitmap& image, int frame, int frames, int width, int height, TSkinMargins margins = {},
          bool tileCentre = false, bool stacked = false) {
        bitmap.SetPixelFormat(pf24bit);
        bitmap.SetSize(width, height);
        HDC dc = bitmap.Canvas()->Handle();
        FillColor(dc, RECT{0, 0, width, height}, clFuchsia);
        TSkinFrameStyle style;
        style.margins = margins;
        style.tileCentre = tileCentre;
        style.transparent = true;
        DrawSkinFrame(dc, RECT{0, 0, width, height}, image, frame, frames, stacked, style);
    }
    TFace(const TDataSkinObject& element, int frame, int width, int height)
        : TFace(*element.Image, frame, element.FrameCount, width, height,
                {element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight},
                element.Tile == 1) {}

    std::uint32_t At(int x, int y) { return Rgb(GetPixel(bitmap.Canvas()->Handle(), x, y)); }

    TBitmap bitmap;
};

// How the screen at (left, top) differs from a face, over the face's part `within`.
struct TComparison {
    int compared = 0;
    int differing = 0;
    bool Same() const { return compared > 0 && differing == 0; }
};

inline TComparison Compare(XTestClient& client, int left, int top, TFace& face, RECT within) {
    const ScreenArea screen = client.ReadScreen(left + within.left, top + within.top,
                                                within.right - within.left, within.bottom - within.top);
    TComparison result;
    for (int y = within.top; y < within.bottom; ++y) {
        for (int x = within.left; x < within.right; ++x) {
            const std::uint32_t expected = face.At(x, y);
            if (expected == Magenta)
                continue;
            ++result.compared;
            result.differing += screen.Pixel(left + x, top + y) == expected ? 0 : 1;
        }
    }
    return result;
}

inline TComparison Compare(XTestClient& client, POINT at, TFace& face) {
    return Compare(client, at.x, at.y, face, RECT{0, 0, face.bitmap.Width(), face.bitmap.Height()});
}

inline std::ostream& operator<<(std::ostream& out, const TComparison& c) {
    return out << c.differing << " of " << c.compared << " pixels differ";
}

} // namespace testing_support
