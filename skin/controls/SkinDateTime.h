#pragma once
// TSkinDateTime: a date and time picker framed in the skin's border colour, its drop-down button
// covered by TArrowButton, a small child window of the skin's that shows the skin's combo button
// (hot under the mouse) and hands a press to the picker below it, kept at the picker's edge as
// the picker is resized.

#include "skin/controls/WinSubClass.h"

#include "framework/controls/GraphicControl.h"

class TSkinDateTime;

class TArrowButton : public TCustomControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    TArrowButton(TSkinDateTime* skin, TWinControl* picker);

    void Dispatch(TMessage& message) override;
    bool Hot() const { return m_hot; }
    // The strip frame it shows: 4 hot, 1 otherwise.
    int Frame() const { return m_hot ? 4 : 1; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    TSkinDateTime* m_skin;
    TWinControl* m_picker;
    int m_arrowWidth;
    bool m_hot = false;
};

class TSkinDateTime : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;
    ~TSkinDateTime() override;

    void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) override;
    void Unskin() override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    TArrowButton* ArrowButton() const { return m_arrow; }

private:
    friend class TArrowButton;
    // Where the arrow button belongs: over the picker's own button.
    void PlaceArrowButton();

    TArrowButton* m_arrow = nullptr;
};
