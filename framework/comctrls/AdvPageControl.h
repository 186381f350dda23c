#pragma once
// TAdvPageControl: a page control that draws its own tabs, each on a background picture: one
// for the tabs at rest and one for the selected tab ("TabBackGround", "TabBackGroundActive").
// A picture is stretched over the whole tab; a tab without one is filled with the control's
// colour. The caption (and image) are centred over it.

#include "framework/comctrls/PageControl.h"
#include "framework/graphics/Bitmap.h"

class TAdvPageControl : public TPageControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TAdvPageControl(TComponent* owner);
    ~TAdvPageControl() override;

    // The pictures are copied in; null (or an empty picture) clears them.
    TBitmap* TabBackGround() const { return m_background.get(); }
    void SetTabBackGround(TBitmap* picture);
    TBitmap* TabBackGroundActive() const { return m_activeBackground.get(); }
    void SetTabBackGroundActive(TBitmap* picture);

protected:
    void DrawTab(int index, const TRect& rect, bool active) override;

private:
    std::unique_ptr<TBitmap> m_background;
    std::unique_ptr<TBitmap> m_activeBackground;
};
