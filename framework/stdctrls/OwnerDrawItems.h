#pragma once
// Owner-drawn items of list boxes and combo boxes: the drawing and measuring events, and the
// drawing of one item on the control's canvas (the event's, or the plain text on the
// selection colours).

#include "framework/controls/OwnerDrawState.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Canvas.h"
#include "platform/controls/OwnerDraw.h"

#include <functional>
#include <string>

using TDrawItemEvent =
    std::function<void(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state)>;
using TMeasureItemEvent = std::function<void(TWinControl* control, int index, int& height)>;

// Draws the item `draw` names on `canvas`, bound to the item's DC for the call: the handler
// when there is one, else `text` plainly; then the focus rectangle when the item has the focus.
void DrawListItem(TCanvas& canvas, TWinControl& control, const DRAWITEMSTRUCT& draw,
                  const TDrawItemEvent& handler, const std::string& text);
// The height the handler gives an item of a variable-height list (the message's is the default).
void MeasureListItem(TWinControl& control, MEASUREITEMSTRUCT& measure, const TMeasureItemEvent& handler);
