#pragma once
// Owner-drawn items of list boxes and combo boxes: the drawing and measuring events, and the
// drawing of one item on the control's canvas (the event's, or the plain text on the
// selection colours).

#include "framework/classes/Strings.h"
#include "framework/controls/OwnerDrawState.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/Canvas.h"
#include "platform/controls/OwnerDraw.h"

#include <functional>
#include <string>

using TDrawItemEvent =
    std::function<void(TWinControl* control, int index, const TRect& rect, TOwnerDrawState state)>;
using TMeasureItemEvent = std::function<void(TWinControl* control, int index, int& height)>;

// Answers the reflected CN_DRAWITEM (drawing the item named, with its text from `items`) or
// CN_MEASUREITEM (`itemHeight`, or for a variable-height list what `measure` makes of it).
void OwnerDrawMessage(TMessage& message, TWinControl& control, TCanvas& canvas, const TStrings& items,
                      const TDrawItemEvent& draw, const TMeasureItemEvent& measure, int itemHeight,
                      bool variableHeight);
