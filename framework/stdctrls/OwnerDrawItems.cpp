#include "framework/stdctrls/OwnerDrawItems.h"

#include "framework/comctrls/DrawItemCanvas.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>

void DrawListItem(TCanvas& canvas, TWinControl& control, const DRAWITEMSTRUCT& draw,
                  const TDrawItemEvent& handler, const std::string& text) {
    const TOwnerDrawState state(static_cast<std::int64_t>(draw.itemState));
    const TRect rect = draw.rcItem;
    DrawItemCanvas lent(canvas, control, draw.hDC);
    if (state.Contains(odSelected)) {
        canvas.Brush()->SetColor(clHighlight);
        canvas.Font()->SetColor(clHighlightText);
    }
    const int index = static_cast<int>(draw.itemID);
    if (handler && index >= 0) {
        handler(&control, index, rect, state);
    } else {
        canvas.FillRect(rect);
        canvas.TextRect(rect, rect.left + 2, rect.top, text);
    }
    if (state.Contains(odFocused) && !state.Contains(odNoFocusRect))
        canvas.DrawFocusRect(rect);
}

void MeasureListItem(TWinControl& control, MEASUREITEMSTRUCT& measure, const TMeasureItemEvent& handler) {
    if (!handler)
        return;
    int height = static_cast<int>(measure.itemHeight);
    handler(&control, static_cast<int>(measure.itemID), height);
    measure.itemHeight = static_cast<UINT>(std::max(height, 0));
}
