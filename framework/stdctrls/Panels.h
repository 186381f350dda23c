#pragma once
// TCustomPanel / TPanel: a container that draws itself: an outer and an inner bevel (raised,
// lowered, or a plain space) with a border between them, its own colour (or the parent's,
// with ParentBackground) inside, and the caption on one line, vertically centred. Controls
// placed on it align within the bevels.

#include "framework/controls/GraphicControl.h"
#include "framework/controls/StdTypes.h"

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

const TEnumInfo& PanelBevelIdents();

class TCustomPanel : public TCustomControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TCustomPanel(TComponent* owner);

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment alignment);
    TPanelBevel BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TPanelBevel bevel);
    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel bevel);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int width);
    // The space between the outer and the inner bevel, in the panel's colour.
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int width);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle style);

    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void AlignControls(TControl* control, TRect& rect) override;
    void Paint() override;

private:
    // How far the bevels and the border reach into the client area on each side.
    int FrameWidth() const;
    void Changed();

    TAlignment m_alignment = taCenter;
    TPanelBevel m_bevelInner = bvNone;
    TPanelBevel m_bevelOuter = bvRaised;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    TBorderStyle m_borderStyle = bsNone;
};

class TPanel : public TCustomPanel {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TCustomPanel::TCustomPanel;
};
