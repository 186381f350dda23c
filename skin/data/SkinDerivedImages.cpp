// The images a skin engine derives itself: the composed combo-box frame, the combo arrow, the
// tool-bar ramp, and the frame colour sampled from the caption border.

#include "skin/data/SkinElementSet.h"

#include "framework/graphics/Canvas.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/WinUser.h"
#include "skin/data/ImgUtil.h"
#include "skin/data/ImgUtilBitmaps.h"
#include "skin/data/SkinDrawing.h"

#include <algorithm>

namespace {

constexpr int ComboFrameWidth = 50;
constexpr int ComboFrameHeight = 21;
constexpr int ComboArrowSize = 17;

void FillMagenta(TBitmap& bitmap, const RECT& rect) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(clFuchsia));
    FillRect(bitmap.Canvas()->Handle(), &rect, brush);
    DeleteObject(brush);
}

TSkinFrameStyle StretchedFrame(const TDataSkinObject& element, bool transparent) {
    return {
        {element.LeftWidth, element.TopHeight, element.RightWidth, element.BottomHeight}, false, transparent};
}

} // namespace

void TSkinElements::ComposeComboImage() {
    if (!SunkEdge || !ComboButton)
        return;
    const int buttonWidth = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const int frames = std::max(SunkEdge->FrameCount, 1);
    TBitmap result;
    result.SetPixelFormat(pf24bit);
    result.SetSize(ComboFrameWidth * frames, ComboFrameHeight);
    FillMagenta(result, RECT{0, 0, result.Width(), result.Height()});
    TBitmap canvas;
    canvas.SetPixelFormat(pf24bit);
    canvas.SetSize(ComboFrameWidth, ComboFrameHeight);
    HDC dc = canvas.Canvas()->Handle();
    const RECT button{ComboFrameWidth - buttonWidth, 0, ComboFrameWidth, ComboFrameHeight};
    for (int b = 1; b <= frames; ++b) {
        FillMagenta(canvas, RECT{0, 0, ComboFrameWidth, ComboFrameHeight});
        DrawSkinFrame(dc, RECT{0, 0, ComboFrameWidth, ComboFrameHeight}, *SunkEdge->Image, b,
                      SunkEdge->FrameCount, false, StretchedFrame(*SunkEdge, SunkEdge->Trans != 0));
        DrawSkinFrame(dc, button, *ComboButton->Image, b, ComboButton->FrameCount, false,
                      StretchedFrame(*ComboButton, true));
        if (ExtraImages && !ExtraImages->Image->Empty()) {
            const RECT glyph = SkinFrameRect(ExtraImages->Image->Width(), ExtraImages->Image->Height(), b,
                                             ExtraImages->FrameCount, false);
            const int width = glyph.right - glyph.left, height = glyph.bottom - glyph.top;
            const int left = button.left + (buttonWidth - width) / 2;
            const int top = (ComboFrameHeight - height) / 2;
            DrawKeyed(dc, RECT{left, top, left + width, top + height}, *ExtraImages->Image, clFuchsia,
                      glyph.left, glyph.top);
        }
        // The text area stays transparent, so the edit's own background shows.
        FillMagenta(canvas, RECT{2, 2, ComboFrameWidth - 1 - buttonWidth, 18});
        BitBlt(result.Canvas()->Handle(), (b - 1) * ComboFrameWidth, 0, ComboFrameWidth, ComboFrameHeight, dc,
               0, 0, SRCCOPY);
    }
    ComboButton->Style = 2;
    ComboButton->LeftWidth = 2;
    ComboButton->TopHeight = SunkEdge->TopHeight;
    ComboButton->BottomHeight = SunkEdge->BottomHeight;
    ComboButton->RightWidth = buttonWidth + 2;
    ComboButton->Image->Assign(&result);
    // The same frames with the button at the left, for left-scroll-bar combo boxes.
    MirrorFrames(result, frames);
    SunkEdge->Image->Assign(&result);
    SunkEdge->LeftWidth = buttonWidth + 2;
    SunkEdge->RightWidth = 2;
}

void TSkinElements::MakeComboArrow() {
    if (!ComboArrow)
        ComboArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    TBitmap& arrow = *ComboArrow->Image;
    if (!SunkEdge && ComboButton) {
        arrow.Assign(ComboButton->Image.get());
        ReplaceMagenta(arrow, Colours[3]);
        ComboArrow->FrameCount = ComboButton->FrameCount;
        return;
    }
    if (SunkEdge && ComboButton && ComboButton->Style == 2) {
        const int frames = std::max(SunkEdge->FrameCount, 1);
        const int f = ComboButton->Image->Width() / frames;
        arrow.SetPixelFormat(pf24bit);
        arrow.SetSize(ComboArrowSize * frames, ComboArrowSize);
        for (int i = 0; i < frames; ++i) {
            const int right = (i + 1) * f - 2;
            arrow.Canvas()->CopyRect(Rect(i * ComboArrowSize, 0, (i + 1) * ComboArrowSize, ComboArrowSize),
                                     ComboButton->Image->Canvas(),
                                     Rect(right - ComboArrowSize, 2, right, 19));
        }
        ComboArrow->FrameCount = SunkEdge->FrameCount;
        return;
    }
    // Nothing to derive it from: no arrow of an earlier skin is kept.
    arrow.SetSize(0, 0);
    ComboArrow->FrameCount = 0;
}

TColor TSkinElements::SampledFrameColour() const {
    TBitmap& top = *BorderTop->Image;
    if (top.Empty())
        return Colours[3];
    const int frames = BorderTop->FrameCount == 0 ? 1 : BorderTop->FrameCount;
    return top.Canvas()->Pixels(top.Width() / 3, top.Height() / frames / 3);
}

void TSkinElements::MakeToolbar(TColor frameColour) {
    if (!Toolbar)
        Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    constexpr int width = 10, height = 40;
    TBitmap& ramp = *Toolbar->Image;
    ramp.SetPixelFormat(pf24bit);
    ramp.SetSize(width, height);
    const TColor top = MixColours(Colours[3], clWhite, 150);
    TColor bottom = MixColours(0x808080, frameColour, 150);
    const int saturation = ColourSaturation(frameColour);
    if (saturation > 110)
        bottom = MixColours(frameColour, clWhite, (5625 - 25 * saturation) / 140 + 50);
    GradientFill(ramp.Canvas()->Handle(), RECT{0, 0, width, height}, top, true, bottom);
    Toolbar->FrameCount = 1;
}
