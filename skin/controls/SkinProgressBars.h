#pragma once
// The skins of the two bars that show a value along a line: the progress bar, drawn whole from
// the skin's progress track and fill, and the track bar, whose channel and thumb the skin draws
// through the bar's custom-draw notification while the bar keeps drawing its tick marks.

#include "platform/controls/common/CommCtrl.h"
#include "skin/controls/WinSubClass.h"

class TDataSkinObject;

// How much of `length` pixels a position shows filled between min and max: nothing at or
// below min or in an empty range, everything at or above max.
int FilledLength(int length, int position, int min, int max);

class TSkinProgress : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

private:
    bool SkinHasProgress() const;
    // The bar laid horizontally (a vertical bar's picture is turned afterwards).
    void DrawTrackAndFill(HDC dc, int length, int thickness, int filled) const;
    void DrawChunks(HDC dc, int length, int thickness, int filled) const;
};

class TSkinTrackBar : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;

private:
    // The answer to one stage of the bar's custom drawing.
    LRESULT CustomDraw(const NMCUSTOMDRAW& draw);
    void DrawThumb(HDC dc) const;
    void DrawChannel(HDC dc) const;
    bool Vertical() const;
};
