#include "framework/stdctrls/OwnerDrawItems.h"

#include "framework/controls/DrawItemCanvas.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>

namespace {

// Draws the item `draw` names on `canvas`, bound to the item's DC for the call: the handler
// when there is one, else `text` plainly; then the focus rectangle when the item has the focus.
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

} // namespace

void OwnerDrawMessage(TMessage& message, TWinControl& control, TCanvas& canvas, const TStrings& items,
                      const TDrawItemEvent& draw, const TMeasureItemEvent& measure, int itemHeight,
                      bool variableHeight) {
    if (message.Msg == CN_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        const int index = static_cast<int>(item.itemID);
        const std::string text = index >= 0 && index < items.Count() ? items.Strings(index) : std::string();
        DrawListItem(canvas, control, item, draw, text);
    } else {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        int height = itemHeight;
        if (variableHeight && measure)
            measure(&control, static_cast<int>(item.itemID), height);
        item.itemHeight = static_cast<UINT>(std::max(height, 0));
    }
    message.Result = TRUE;
}
