#pragma once
// The skins of scrolled windows. The system keeps drawing and tracking the bars; overlays
// (TWScrollbar) lie over them and show the skin. TSkinScrollbar serves framework controls with
// window bars (memos, grids, list boxes), TSkinListView list views, TSkinScrollbarH bare
// windows, and TSkinScControl the stand-alone scroll bar control.

#include "skin/controls/WScrollbar.h"
#include "skin/controls/WinSubClass.h"

#include <memory>

class TSkinScrollbar : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TSkinScrollbar(TComponent* owner);
    ~TSkinScrollbar() override;

    // Attaches to the owning control in place of InitSkin: the overlays over both bars, a
    // border in the skin's colours, and a grid's fixed cells in the skin's background colour.
    virtual void InitScrollSkin(TWinControl* control, TSkinData* skinData, SkinFormServices* form,
                                TCanvas* canvas);
    void Unskin() override;
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    TWScrollbar* HorizontalOverlay() const { return m_horizontal.get(); }
    TWScrollbar* VerticalOverlay() const { return m_vertical.get(); }

protected:
    // The skin's 2-pixel border over the window's edge: outer pixel in the border colour,
    // inner pixel in the background colour.
    void DrawBorder(HDC windowDC);
    void PlaceOverlays();
    void HideOverlays();

    std::unique_ptr<TWScrollbar> m_horizontal;
    std::unique_ptr<TWScrollbar> m_vertical;
    bool m_border = false;

private:
    // A grid's titles on the skin's fixed colour take the skin's text colour where the system's
    // would hardly show on it; a title colour the program chose stays.
    void FollowSkinTitleColour();
    void GiveTitleColourBack();

    bool m_fixedColorChanged = false;
    TColor m_savedFixedColor = 0;
    bool m_tookTitleColour = false;
    TColor m_givenTitleColour = clDefault;
};

// A list view: its bars as any scrolled control's, and its header skinned as a bare window
// (the form owns that skin).
class TSkinListView : public TSkinScrollbar {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinScrollbar::TSkinScrollbar;

    void InitScrollSkin(TWinControl* control, TSkinData* skinData, SkinFormServices* form,
                        TCanvas* canvas) override;
};

// The bars of a window the framework did not make.
class TSkinScrollbarH : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;
    ~TSkinScrollbarH() override;

    void InitSkinByHandle(HWND window, TSkinData* skinData, SkinFormServices* form, TCanvas* canvas) override;
    void Unskin() override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    TWScrollbar* HorizontalOverlay() const { return m_horizontal.get(); }
    TWScrollbar* VerticalOverlay() const { return m_vertical.get(); }

private:
    std::unique_ptr<TWScrollbar> m_horizontal;
    std::unique_ptr<TWScrollbar> m_vertical;
};

// A scroll bar control, covered whole by one overlay.
class TSkinScControl : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;
    ~TSkinScControl() override;

    // Attaches to the owning scroll bar control.
    void InitScControl(TWinControl* control, TSkinData* skinData, SkinFormServices* form, TCanvas* canvas);
    void Unskin() override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    TWScrollbar* Overlay() const { return m_overlay.get(); }

private:
    std::unique_ptr<TWScrollbar> m_overlay;
};

// Fills the square between a window's two shown bars with the skin's background colour; dc
// draws in window coordinates.
void FillScrollCorner(HDC dc, HWND window, const TWScrollbar* horizontal, const TWScrollbar* vertical,
                      TColor colour);
