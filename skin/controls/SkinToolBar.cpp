#include "skin/controls/SkinToolBar.h"

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "platform/gdi/WinGdi.h"
#include "skin/data/SkinDrawing.h"
#include "skin/data/SkinElementSet.h"
#include "skin/forms/WinSkinData.h"

namespace {

constexpr int ButtonFrames = 5;

} // namespace

void TSkinToolBarPainter::Attach(TToolBar* toolBar) {
    if (!toolBar)
        return;
    if (!toolBar->OnCustomDraw)
        toolBar->OnCustomDraw = [this](TToolBar* sender, const TRect& rect, bool& defaultDraw) {
            PaintBackground(sender, rect, defaultDraw);
        };
    if (!toolBar->OnCustomDrawButton)
        toolBar->OnCustomDrawButton = [this](TToolBar* sender, TToolButton* button, TCustomDrawState state,
                                             bool& defaultDraw) {
            PaintButton(sender, button, state, defaultDraw);
        };
}

void TSkinToolBarPainter::PaintBackground(TToolBar* toolBar, const TRect& rect, bool&) const {
    if (!m_skinData || !toolBar || m_skinData->Options().Contains(xoToolbarBK))
        return;
    const TDataSkinObject* image = m_skinData->Elements().Toolbar.get();
    if (!image || image->Image->Empty())
        return;
    HDC dc = toolBar->Canvas()->Handle();
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               image->Image->Canvas()->Handle(), 0, 0, image->Image->Width(), image->Image->Height(),
               SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

int TSkinToolBarPainter::FrameFor(TCustomDrawState state) {
    if (state.Contains(cdsSelected))
        return 2;
    if (state.Contains(cdsFocused) || state.Contains(cdsHot))
        return 4;
    if (!state.Contains(cdsGrayed) && !state.Contains(cdsDisabled) && state.Contains(cdsDefault))
        return 1;
    return 0;
}

void TSkinToolBarPainter::PaintButton(TToolBar* toolBar, TToolButton* button, TCustomDrawState state,
                                      bool&) const {
    if (!m_skinData || !toolBar || !button || m_skinData->Options().Contains(xoToolbarButton))
        return;
    const TDataSkinObject* strip = m_skinData->Elements().ToolBars.get();
    const int frame = FrameFor(state);
    if (!strip || strip->Image->Empty() || frame == 0)
        return;
    const std::int32_t colour = frame == 2   ? strip->PressedColour
                                : frame == 4 ? strip->MouseOverColour
                                             : strip->NormalColour;
    if (colour != -1)
        toolBar->Canvas()->Font()->SetColor(static_cast<TColor>(colour));
    TRect bounds = button->BoundsRect();
    const RECT face{bounds.left + 1, bounds.top + 1, bounds.right - 1, bounds.bottom - 1};
    TSkinFrameStyle style;
    style.margins = {strip->LeftWidth, strip->TopHeight, strip->RightWidth, strip->BottomHeight};
    style.tileCentre = strip->Tile == 1;
    style.transparent = strip->Trans != 0;
    DrawSkinFrame(toolBar->Canvas()->Handle(), face, *strip->Image, frame, ButtonFrames, false, style);
}
