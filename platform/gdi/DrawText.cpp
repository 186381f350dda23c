// DrawTextA and DrawTextW: formatted text in a rectangle, drawn or measured.

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/RasterOp.h"
#include "platform/gdi/StockObjects.h"
#include "platform/gdi/TextLayout.h"
#include "platform/gdi/TextRun.h"
#include "platform/gdi/TextSupport.h"
#include "platform/gdi/WinUserDraw.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"

#include <algorithm>
#include <cstring>

using namespace platform;

namespace {

void DrawLines(DeviceContext& context, const FontInstance& font, const TextLayout& layout, const RECT& rect,
               int top, UINT flags) {
    Painter painter(context);
    if (!painter.Ready())
        return;
    const DcState& state = context.State();
    const FontMetrics& metrics = font.Metrics();
    const RECT targetRect = context.LogicalToTarget(rect);
    const RECT* clip = (flags & DT_NOCLIP) ? nullptr : &targetRect;
    RunStyle style;
    style.color = context.Realize(state.textColor);
    style.underline = metrics.underline;
    style.strikeOut = metrics.strikeOut;
    const bool prefixOnly = flags & DT_PREFIXONLY;
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        const LaidOutLine& line = layout.lines[i];
        const int lineTop = top + static_cast<int>(i) * layout.lineHeight;
        // An edit control shows no partly visible last line.
        if ((flags & DT_EDITCONTROL) && lineTop + layout.lineHeight > rect.bottom && i > 0)
            break;
        int left = rect.left;
        if (flags & DT_CENTER)
            left = rect.left + (rect.right - rect.left - line.width) / 2;
        else if (flags & DT_RIGHT)
            left = rect.right - line.width;
        const POINT origin = context.LogicalToTarget(left, lineTop);
        if (state.bkMode == OPAQUE && !prefixOnly && line.width > 0) {
            RECT cell{origin.x, origin.y, origin.x + line.width, origin.y + layout.lineHeight};
            if (clip)
                cell = RECT{std::max(cell.left, clip->left), std::max(cell.top, clip->top),
                            std::min(cell.right, clip->right), std::min(cell.bottom, clip->bottom)};
            painter.FillRect(cell, BrushSource(context.Realize(state.bkColor)), RopIndex(PATCOPY));
        }
        const int baseline = origin.y + metrics.ascent;
        if (!prefixOnly)
            DrawRun(painter, font, origin.x, baseline, line.text, line.advances.data(), style, clip);
        for (int index : line.underlined) {
            int x = origin.x;
            for (int j = 0; j < index; ++j)
                x += line.advances[static_cast<std::size_t>(j)];
            RECT bar{x, baseline + metrics.underlinePosition,
                     x + line.advances[static_cast<std::size_t>(index)],
                     baseline + metrics.underlinePosition + 1};
            if (clip)
                bar = RECT{std::max(bar.left, clip->left), std::max(bar.top, clip->top),
                           std::min(bar.right, clip->right), std::min(bar.bottom, clip->bottom)};
            painter.FillRect(bar, BrushSource(style.color), RopIndex(PATCOPY));
        }
    }
}

int DrawTextCore(HDC dc, std::u16string_view text, LPRECT rect, UINT format) {
    DeviceContext* context = FindDC(dc);
    if (!context || !rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const UINT flags = DrawTextFlags(format);
    const FontInstance& font = (flags & DT_INTERNAL)
                                   ? static_cast<const Font*>(StockObject(SYSTEM_FONT))->Instance()
                                   : FontOf(*context);
    const bool measuring = flags & DT_CALCRECT;
    const int width = rect->right - rect->left;
    const TextLayout layout = LayOutText(font, text, format, width, !measuring);
    const int height = layout.Height();

    if (measuring) {
        rect->right = rect->left + layout.maxWidth;
        rect->bottom = rect->top + height;
        return height;
    }
    // Vertical placement applies to single lines only.
    int top = rect->top;
    if (flags & DT_SINGLELINE) {
        if (flags & DT_VCENTER)
            top = rect->top + (rect->bottom - rect->top - height) / 2;
        else if (flags & DT_BOTTOM)
            top = rect->bottom - height;
    }
    DrawLines(*context, font, layout, *rect, top, flags);
    if ((flags & DT_SINGLELINE) && (flags & (DT_VCENTER | DT_BOTTOM)))
        return top - rect->top + height;
    return height;
}

} // namespace

int DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
    if (!text || count < -1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::u16string_view view = count == -1 ? std::u16string_view(text) : std::u16string_view(text, count);
    return DrawTextCore(dc, view, rect, format);
}

int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) {
    if (!text || count < -1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string_view bytes = count == -1 ? std::string_view(text) : std::string_view(text, count);
    const GbkText wide = WidenGbk(bytes);
    return DrawTextCore(dc, wide.text, rect, format);
}
