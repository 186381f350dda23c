// DrawFrameControl: the classic faces of push buttons, check boxes, radio buttons, caption
// buttons, scroll arrows, size grips and menu marks.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/EdgeDrawing.h"
#include "platform/gdi/Rasterizer.h"
#include "platform/gdi/WinUserDraw.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <algorithm>

using namespace platform;

namespace {

struct Glyph {
    int width;
    int height;
    const char* const* rows;
};

constexpr const char* CheckRows[] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};
constexpr Glyph CheckGlyph{7, 7, CheckRows};

constexpr const char* CloseRows[] = {
    "##....##", ".##..##.", "..####..", "...##...", "..####..", ".##..##.", "##....##",
};
constexpr Glyph CloseGlyph{8, 7, CloseRows};

constexpr const char* MinimizeRows[] = {
    "......", "......", "......", "......", "......", "......", "######", "######",
};
constexpr Glyph MinimizeGlyph{6, 8, MinimizeRows};

constexpr const char* MaximizeRows[] = {
    "#########", "#########", "#.......#", "#.......#", "#.......#", "#.......#", "#.......#", "#########",
};
constexpr Glyph MaximizeGlyph{9, 8, MaximizeRows};

constexpr const char* RestoreRows[] = {
    "..######", "..######", "..#....#", "######.#", "######.#", "#....###", "#....#..", "######..",
};
constexpr Glyph RestoreGlyph{8, 8, RestoreRows};

constexpr const char* HelpRows[] = {
    ".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##..",
};
constexpr Glyph HelpGlyph{6, 8, HelpRows};

constexpr const char* MenuArrowRows[] = {
    "#...", "##..", "###.", "####", "###.", "##..", "#...",
};
constexpr Glyph MenuArrowGlyph{4, 7, MenuArrowRows};

RECT CentredSquare(const RECT& rect) {
    const int side = std::min(rect.right - rect.left, rect.bottom - rect.top);
    const int left = rect.left + (rect.right - rect.left - side) / 2;
    const int top = rect.top + (rect.bottom - rect.top - side) / 2;
    return RECT{left, top, left + side, top + side};
}

// A glyph centred in the rectangle, moved one pixel down and right when pushed; inactive glyphs
// are grey with a white shadow, as the classic look embosses them.
void DrawCentredGlyph(EdgePainter& painter, const RECT& rect, const Glyph& glyph, UINT state,
                      COLORREF colour = GetSysColor(COLOR_BTNTEXT)) {
    int x = rect.left + (rect.right - rect.left - glyph.width) / 2;
    int y = rect.top + (rect.bottom - rect.top - glyph.height) / 2;
    if (state & DFCS_PUSHED) {
        ++x;
        ++y;
    }
    if (state & DFCS_INACTIVE) {
        painter.Mask(glyph.rows, glyph.width, glyph.height, x + 1, y + 1, GetSysColor(COLOR_BTNHIGHLIGHT),
                     rect);
        colour = GetSysColor(COLOR_BTNSHADOW);
    }
    painter.Mask(glyph.rows, glyph.width, glyph.height, x, y, colour, rect);
}

UINT EdgeStyleFlags(UINT state) {
    UINT flags = BF_RECT;
    if (state & DFCS_FLAT)
        flags |= BF_FLAT;
    if (state & DFCS_MONO)
        flags |= BF_MONO;
    return flags;
}

// A button face: raised, or sunken when pushed; a checked (toggled) face is dithered.
RECT DrawButtonFace(EdgePainter& painter, const RECT& rect, UINT state) {
    RECT inner = rect;
    const UINT edge = (state & (DFCS_PUSHED | DFCS_CHECKED)) ? EDGE_SUNKEN : EDGE_RAISED;
    // Buttons have the soft edge: white outermost on the upper left.
    DrawEdgeWith(painter, &inner, edge, EdgeStyleFlags(state) | BF_SOFT | BF_ADJUST);
    if ((state & DFCS_CHECKED) && !(state & DFCS_PUSHED))
        painter.Checker(inner, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE));
    else if (!(state & DFCS_TRANSPARENT))
        painter.Fill(inner, GetSysColor(COLOR_BTNFACE));
    return inner;
}

void DrawCheckBox(EdgePainter& painter, const RECT& rect, UINT state) {
    RECT box = CentredSquare(rect);
    DrawEdgeWith(painter, &box, EDGE_SUNKEN, EdgeStyleFlags(state) | BF_ADJUST);
    const bool grey = (state & DFCS_INACTIVE) || (state & DFCS_PUSHED);
    const bool threeState = (state & DFCS_BUTTON3STATE) && (state & DFCS_CHECKED);
    if (threeState)
        painter.Checker(box, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNFACE));
    else
        painter.Fill(box, GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
    if (state & DFCS_CHECKED) {
        const COLORREF colour =
            GetSysColor((state & DFCS_INACTIVE) || threeState ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT);
        DrawCentredGlyph(painter, box, CheckGlyph, state & ~(DFCS_PUSHED | DFCS_INACTIVE), colour);
    }
}

// Disc pixels of the square split by the anti-diagonal: the upper-left half and the rest.
void DrawDiscHalves(EdgePainter& painter, const RECT& square, COLORREF upperLeft, COLORREF lowerRight) {
    const std::vector<Span> disc = EllipseSpans(square);
    std::vector<Span> first;
    std::vector<Span> second;
    const int sum = square.left + square.top + square.right + square.bottom - 2;
    for (const Span& span : disc) {
        // Pixel (x, y) is upper-left when x + y lies before the square's diagonal.
        const int split = std::clamp(sum / 2 - span.y + 1, span.left, span.right);
        if (split > span.left)
            first.push_back(Span{span.y, span.left, split});
        if (split < span.right)
            second.push_back(Span{span.y, split, span.right});
    }
    painter.Spans(first, upperLeft);
    painter.Spans(second, lowerRight);
}

void DrawRadioButton(EdgePainter& painter, const RECT& rect, UINT state) {
    RECT square = CentredSquare(rect);
    if ((state & 0xFF) == DFCS_BUTTONRADIOMASK) {
        // The mask: the disc black on white.
        painter.Fill(rect, RGB(255, 255, 255));
        painter.Spans(EllipseSpans(square), RGB(0, 0, 0));
        return;
    }
    if (state & DFCS_MONO) {
        DrawDiscHalves(painter, square, GetSysColor(COLOR_WINDOWFRAME), GetSysColor(COLOR_WINDOWFRAME));
    } else {
        DrawDiscHalves(painter, square, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        InflateRect(&square, -1, -1);
        DrawDiscHalves(painter, square, GetSysColor((state & DFCS_FLAT) ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW),
                       GetSysColor((state & DFCS_FLAT) ? COLOR_BTNSHADOW : COLOR_3DLIGHT));
    }
    InflateRect(&square, -1, -1);
    const bool grey = (state & DFCS_INACTIVE) || (state & DFCS_PUSHED);
    painter.Spans(EllipseSpans(square), GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
    if (state & DFCS_CHECKED) {
        const int side = square.right - square.left;
        const int dot = std::max(2, side / 2 - (side / 2) % 2 + (side % 2));
        const int left = square.left + (side - dot) / 2;
        const int top = square.top + (side - dot) / 2;
        painter.Spans(EllipseSpans(RECT{left, top, left + dot, top + dot}),
                      GetSysColor((state & DFCS_INACTIVE) ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
    }
}

// A solid triangle pointing in a direction, centred in the rectangle and sized by the whole
// button (`size`): seven pixels wide and four deep on a 16-pixel button.
void DrawArrow(EdgePainter& painter, const RECT& rect, int size, UINT direction, UINT state) {
    const int base = std::max(3, ((size / 2) - 1) | 1);
    const int depth = (base + 1) / 2;
    const bool vertical = direction == DFCS_SCROLLUP || direction == DFCS_SCROLLDOWN;
    const int boxWidth = vertical ? base : depth;
    const int boxHeight = vertical ? depth : base;
    int x = rect.left + (rect.right - rect.left - boxWidth) / 2;
    int y = rect.top + (rect.bottom - rect.top - boxHeight) / 2;
    if (state & DFCS_PUSHED) {
        ++x;
        ++y;
    }
    const auto draw = [&](int dx, int dy, COLORREF colour) {
        std::vector<Span> spans;
        for (int i = 0; i < depth; ++i) {
            // Row i from the point: 2i + 1 pixels wide.
            const int half = i;
            switch (direction) {
            case DFCS_SCROLLUP:
                spans.push_back(Span{y + dy + i, x + dx + depth - 1 - half, x + dx + depth + half});
                break;
            case DFCS_SCROLLDOWN:
                spans.push_back(
                    Span{y + dy + depth - 1 - i, x + dx + depth - 1 - half, x + dx + depth + half});
                break;
            default:
                for (int j = -half; j <= half; ++j) {
                    const int column = direction == DFCS_SCROLLLEFT ? x + dx + i : x + dx + depth - 1 - i;
                    spans.push_back(Span{y + dy + depth - 1 + j, column, column + 1});
                }
                break;
            }
        }
        painter.Spans(spans, colour);
    };
    if (state & DFCS_INACTIVE) {
        draw(1, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        draw(0, 0, GetSysColor(COLOR_BTNSHADOW));
    } else {
        draw(0, 0, GetSysColor(COLOR_BTNTEXT));
    }
}

void DrawSizeGrip(EdgePainter& painter, const RECT& rect, UINT state) {
    if (!(state & DFCS_TRANSPARENT))
        painter.Fill(rect, GetSysColor(COLOR_BTNFACE));
    // Three diagonal ridges in the lower-right corner: two shadow pixels, one highlight.
    const int size = std::min(rect.right - rect.left, rect.bottom - rect.top);
    const bool right = !(state & DFCS_SCROLLSIZEGRIPRIGHT);
    for (int step = 0; step < size - 1; ++step) {
        const int phase = step % 4;
        if (phase == 3)
            continue;
        const COLORREF colour = GetSysColor(phase == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
        for (int i = 0; i <= step; ++i) {
            const int y = rect.bottom - 1 - i;
            const int offset = step - i;
            const int x = right ? rect.right - 1 - offset : rect.left + offset;
            painter.Fill(RECT{x, y, x + 1, y + 1}, colour);
        }
    }
}

void DrawMenuMark(EdgePainter& painter, const RECT& rect, UINT state) {
    // Menu marks are drawn black on white, for use as masks.
    painter.Fill(rect, RGB(255, 255, 255));
    switch (state & 0xFF) {
    case DFCS_MENUCHECK:
        DrawCentredGlyph(painter, rect, CheckGlyph, 0, RGB(0, 0, 0));
        break;
    case DFCS_MENUBULLET: {
        const int side = std::max(2, std::min(rect.right - rect.left, rect.bottom - rect.top) / 3);
        const int left = rect.left + (rect.right - rect.left - side) / 2;
        const int top = rect.top + (rect.bottom - rect.top - side) / 2;
        painter.Spans(EllipseSpans(RECT{left, top, left + side, top + side}), RGB(0, 0, 0));
        break;
    }
    case DFCS_MENUARROW:
        DrawCentredGlyph(painter, rect, MenuArrowGlyph, 0, RGB(0, 0, 0));
        break;
    case DFCS_MENUARROWRIGHT: {
        static constexpr const char* LeftRows[] = {"...#", "..##", ".###", "####", ".###", "..##", "...#"};
        DrawCentredGlyph(painter, rect, Glyph{4, 7, LeftRows}, 0, RGB(0, 0, 0));
        break;
    }
    default:
        break;
    }
}

const Glyph* CaptionGlyph(UINT kind) {
    switch (kind) {
    case DFCS_CAPTIONCLOSE:
        return &CloseGlyph;
    case DFCS_CAPTIONMIN:
        return &MinimizeGlyph;
    case DFCS_CAPTIONMAX:
        return &MaximizeGlyph;
    case DFCS_CAPTIONRESTORE:
        return &RestoreGlyph;
    case DFCS_CAPTIONHELP:
        return &HelpGlyph;
    default:
        return nullptr;
    }
}

} // namespace

BOOL DrawFrameControl(HDC dc, LPRECT rect, UINT type, UINT state) {
    DeviceContext* context = FindDC(dc);
    if (!context || !rect)
        return FALSE;
    EdgePainter painter(*context);
    const UINT kind = state & 0xFF;
    switch (type) {
    case DFC_BUTTON:
        if (kind & DFCS_BUTTONPUSH) {
            const RECT inner = DrawButtonFace(painter, *rect, state);
            if (state & DFCS_ADJUSTRECT)
                *rect = inner;
        } else if (kind & (DFCS_BUTTONRADIO | DFCS_BUTTONRADIOIMAGE | DFCS_BUTTONRADIOMASK)) {
            DrawRadioButton(painter, *rect, state);
        } else {
            DrawCheckBox(painter, *rect, state);
        }
        return TRUE;
    case DFC_CAPTION: {
        const Glyph* glyph = CaptionGlyph(kind);
        if (!glyph)
            break;
        const RECT inner = DrawButtonFace(painter, *rect, state);
        DrawCentredGlyph(painter, inner, *glyph, state);
        if (state & DFCS_ADJUSTRECT)
            *rect = inner;
        return TRUE;
    }
    case DFC_SCROLL:
        if (kind == DFCS_SCROLLSIZEGRIP || kind == DFCS_SCROLLSIZEGRIPRIGHT) {
            DrawSizeGrip(painter, *rect, state);
            return TRUE;
        }
        if (kind <= DFCS_SCROLLRIGHT || kind == DFCS_SCROLLCOMBOBOX) {
            const RECT inner = DrawButtonFace(painter, *rect, state & ~DFCS_CHECKED);
            const int size = std::min(rect->right - rect->left, rect->bottom - rect->top);
            DrawArrow(painter, inner, size, kind == DFCS_SCROLLCOMBOBOX ? DFCS_SCROLLDOWN : kind, state);
            return TRUE;
        }
        break;
    case DFC_MENU:
    case DFC_POPUPMENU:
        DrawMenuMark(painter, *rect, state);
        return TRUE;
    default:
        break;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}
