#include "platform/user/SystemIcons.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

#include <functional>
#include <map>

namespace platform {

namespace {

constexpr int IconSize = 32;

enum class IconKind { Application, Error, Question, Warning, Information };

// Draws the icon's shape twice: in colour, and in black on white for the mask (black is opaque).
using Shape = std::function<void(HDC dc, bool mask)>;

void WithPenAndBrush(HDC dc, COLORREF pen, int width, COLORREF brush, const std::function<void()>& draw) {
    HPEN newPen = CreatePen(PS_SOLID, width, pen);
    HBRUSH newBrush = CreateSolidBrush(brush);
    HGDIOBJ oldPen = SelectObject(dc, newPen);
    HGDIOBJ oldBrush = SelectObject(dc, newBrush);
    draw();
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(newPen);
    DeleteObject(newBrush);
}

void Disc(HDC dc, bool mask, COLORREF fill, COLORREF rim) {
    WithPenAndBrush(dc, mask ? 0 : rim, 1, mask ? 0 : fill, [&] { Ellipse(dc, 1, 1, 31, 31); });
}

void Bar(HDC dc, bool mask, COLORREF color, RECT rect) {
    if (mask)
        return;
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

Shape ShapeOf(IconKind kind) {
    constexpr COLORREF White = RGB(255, 255, 255);
    constexpr COLORREF Navy = RGB(0, 0, 128);
    switch (kind) {
    case IconKind::Error:
        return [](HDC dc, bool mask) {
            Disc(dc, mask, RGB(224, 0, 0), RGB(128, 0, 0));
            if (mask)
                return;
            WithPenAndBrush(dc, White, 4, White, [&] {
                POINT down[] = {{10, 10}, {22, 22}};
                POINT up[] = {{22, 10}, {10, 22}};
                Polyline(dc, down, 2);
                Polyline(dc, up, 2);
            });
        };
    case IconKind::Warning:
        return [](HDC dc, bool mask) {
            POINT triangle[] = {{16, 1}, {31, 29}, {1, 29}};
            WithPenAndBrush(dc, 0, 1, mask ? 0 : RGB(255, 224, 0), [&] { Polygon(dc, triangle, 3); });
            Bar(dc, mask, 0, {14, 9, 18, 21});
            Bar(dc, mask, 0, {14, 23, 18, 27});
        };
    case IconKind::Information:
        return [=](HDC dc, bool mask) {
            Disc(dc, mask, RGB(0, 64, 224), Navy);
            Bar(dc, mask, White, {14, 7, 18, 11});
            Bar(dc, mask, White, {14, 13, 18, 25});
        };
    case IconKind::Question:
        return [=](HDC dc, bool mask) {
            Disc(dc, mask, RGB(0, 64, 224), Navy);
            if (mask)
                return;
            WithPenAndBrush(dc, White, 3, White, [&] {
                POINT hook[] = {{11, 12}, {13, 8}, {16, 7}, {19, 8}, {21, 11}, {20, 14}, {16, 17}, {16, 21}};
                Polyline(dc, hook, 8);
            });
            Bar(dc, mask, White, {14, 23, 18, 27});
        };
    case IconKind::Application:
    default:
        return [=](HDC dc, bool mask) {
            WithPenAndBrush(dc, 0, 1, mask ? 0 : White, [&] { Rectangle(dc, 2, 4, 30, 28); });
            Bar(dc, mask, Navy, {3, 5, 29, 10});
        };
    }
}

HICON Build(IconKind kind) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP color = CreateBitmap(IconSize, IconSize, 1, 32, nullptr);
    HBITMAP mask = CreateBitmap(IconSize, IconSize, 1, 1, nullptr);
    Shape shape = ShapeOf(kind);
    RECT all = {0, 0, IconSize, IconSize};

    HGDIOBJ old = SelectObject(dc, color);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    shape(dc, false);
    SelectObject(dc, mask);
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    shape(dc, true);
    SelectObject(dc, old);
    DeleteDC(dc);

    ICONINFO info{TRUE, IconSize / 2, IconSize / 2, mask, color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(color);
    return icon;
}

// Standard icons are shared; one destroyed by a program is drawn again when asked for.
HICON Shared(IconKind kind) {
    static std::map<IconKind, HICON> icons;
    HICON& icon = icons[kind];
    ICONINFO probe{};
    if (icon && GetIconInfo(icon, &probe)) {
        DeleteObject(probe.hbmMask);
        DeleteObject(probe.hbmColor);
        return icon;
    }
    icon = Build(kind);
    return icon;
}

} // namespace

} // namespace platform

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    using platform::IconKind;
    if (!instance && IS_INTRESOURCE(name)) {
        switch (reinterpret_cast<ULONG_PTR>(name)) {
        case 32512:
        case 32517:
            return platform::Shared(IconKind::Application);
        case 32513:
            return platform::Shared(IconKind::Error);
        case 32514:
            return platform::Shared(IconKind::Question);
        case 32515:
            return platform::Shared(IconKind::Warning);
        case 32516:
            return platform::Shared(IconKind::Information);
        default:
            break;
        }
    }
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) {
    if (!IS_INTRESOURCE(name)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    return LoadIconA(instance, reinterpret_cast<LPCSTR>(name));
}
