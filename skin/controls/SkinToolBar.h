#pragma once
// The tool-bar painters a skinned form hangs on a tool bar's custom-draw events: the bar's
// background stretched from the skin's tool-bar image, and each button's face from the skin's
// tool-bar button strip by its state, the bar then drawing the button's image and caption.

#include "framework/comctrls/ToolBar.h"

class TSkinData;

class TSkinToolBarPainter {
public:
    explicit TSkinToolBarPainter(TSkinData* skinData) : m_skinData(skinData) {}

    // Points the tool bar's unassigned custom-draw events at these painters; the painter must
    // outlive the tool bar's use of them.
    void Attach(TToolBar* toolBar);

    // The background event: nothing is drawn without the image or with xoToolbarBK.
    void PaintBackground(TToolBar* toolBar, const TRect& rect, bool& defaultDraw) const;
    // The button event: nothing is drawn without the strip or with xoToolbarButton.
    void PaintButton(TToolBar* toolBar, TToolButton* button, TCustomDrawState state, bool& defaultDraw) const;

    // The strip frame a button in the state shows: 2 selected, 4 focused or hot, 1 default and
    // neither grayed nor disabled; 0 for none.
    static int FrameFor(TCustomDrawState state);

private:
    TSkinData* m_skinData;
};
