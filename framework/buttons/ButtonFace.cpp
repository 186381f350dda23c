#include "framework/buttons/ButtonFace.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinRect.h"
#include "platform/gdi/WinUserDraw.h"

TRect DrawPushFace(TCanvas& canvas, const TRect& bounds, bool down, bool isDefault) {
    HDC dc = canvas.Handle();
    TRect face = bounds;
    if (isDefault) {
        FrameRect(dc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&face, -1, -1);
    }
    if (down && isDefault) {
        // The pressed default button: a flat shadow line inside the outline.
        FrameRect(dc, &face, GetSysColorBrush(COLOR_BTNSHADOW));
        TRect inner = face;
        InflateRect(&inner, -1, -1);
        FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        TRect edge = face;
        DrawFrameControl(dc, &edge, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    }
    InflateRect(&face, -2, -2);
    return face;
}

void FillDithered(TCanvas& canvas, const TRect& rect) {
    TBitmap pattern;
    pattern.SetPixelFormat(pf24bit);
    pattern.SetSize(8, 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            pattern.Canvas()->SetPixels(x, y, (x + y) % 2 ? clBtnHighlight : clBtnFace);
    }
    HBRUSH brush = CreatePatternBrush(pattern.Handle());
    FillRect(canvas.Handle(), &rect, brush);
    DeleteObject(brush);
}
