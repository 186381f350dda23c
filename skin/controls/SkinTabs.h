#pragma once
// TSkinTab: a tab control or page control drawn from the skin's tab image and pane image, its
// tabs on any of the four sides (composed as if on top, then turned), the focused tab's face
// selected, close boxes on the tabs of a page control that asks for them, and the scroller of
// overflowing tabs skinned as an up-down and left on top.

#include "skin/controls/WinSubClass.h"

#include <memory>
#include <vector>

class TBitmap;

// Where the tabs sit.
enum TSkinTabSide { tsTop = 0, tsBottom = 1, tsLeft = 2, tsRight = 3 };

// The Tag of a page control whose tabs get close boxes.
constexpr int CloseBoxTag = 7777;

// The Kind of a tab skin that also paints the tab control's graphic children.
constexpr int TabKindWithGraphicChildren = 2;

class TSkinTab : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TSkinTab(TComponent* owner);
    ~TSkinTab() override;

    void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) override;
    void InitSkinByHandle(HWND window, TSkinData* skinData, SkinFormServices* form, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    TSkinTabSide Side() const { return m_side; }
    bool CloseBoxes() const { return m_closeBoxes; }
    // Each tab's close box as last drawn (window coordinates); empty without close boxes.
    const std::vector<RECT>& CloseBoxRects() const { return m_closeBoxRects; }
    // The window of the skinned tab scroller; null when there is none (yet).
    HWND ScrollerWindow() const { return m_scrollerWindow; }

private:
    void AfterAttach();
    void PrepareImages();
    void SkinScroller();
    // The area the pages take, as the skin draws the pane around it.
    RECT DisplayRect(const RECT& rect) const;
    void DrawStrip(HDC dc, const RECT& rect, const RECT& display);
    void DrawTab(HDC dc, int index, const RECT& face);
    void DrawPane(HDC dc, const RECT& display) const;
    // A press on a close box asks the form, and frees the page when the form agrees.
    bool PressCloseBox(POINT point);

    TSkinTabSide m_side = tsTop;
    bool m_closeBoxes = false;
    std::vector<RECT> m_closeBoxRects;
    std::unique_ptr<TBitmap> m_tabImage;
    std::unique_ptr<TBitmap> m_paneImage;
    // The pane is the tab sheet's image (with its margins) rather than the tab image's second.
    bool m_paneFromSheet = false;
    HWND m_scrollerWindow = nullptr;
};

// Button-style tabs (a page control whose style is not tabs, a tab control with TCS_BUTTONS):
// each tab a push button's face from the skin, the focused one pressed, on the skin's background.
class TSkinTabBtn : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
};

// A tab sheet: with Kind 0 painted whole in the skin's background colour, its graphic children
// over it.
class TSkinTabSheet : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
};

// The framework's tab set: its tabs drawn from the skin's tab image turned upside down (they
// hang from the top edge), from its start margin on until the first that does not fit; its
// scroller skinned as an up-down.
class TSkinTab31 : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TSkinTab31(TComponent* owner);
    ~TSkinTab31() override;

    // Attaches to the tab set by its window, as a bare window.
    void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    // How many tabs the last drawing showed.
    int DrawnTabs() const { return m_drawnTabs; }

private:
    void PrepareImage();
    void SkinScroller();

    std::unique_ptr<TBitmap> m_flippedTabs;
    TControl* m_tabSet = nullptr;
    bool m_scrollerSkinned = false;
    int m_drawnTabs = 0;
};
