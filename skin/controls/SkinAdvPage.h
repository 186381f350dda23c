#pragma once
// TSkinAdvPage: a page control that draws its own tabs on background pictures is skinned by
// handing it pictures made from the skin's tab image (the resting and the selected face) and the
// skin's tab text colour rather than by painting over it; its tab scroller is skinned as an up-down.

#include "skin/controls/WinSubClass.h"

#include <optional>

// The page kind whose control takes the tab pictures.
constexpr int AdvPageKindTabPictures = 4;

class TSkinAdvPage : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;
    TSkinAdvPage(TComponent* owner, int pageKind) : TSkinControl(owner), m_pageKind(pageKind) {}

    // Chosen by the creator before attaching: only AdvPageKindTabPictures hands out pictures.
    int PageKind() const { return m_pageKind; }
    void SetPageKind(int kind) { m_pageKind = kind; }

    void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) override;
    void Unskin() override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void SkinChanged() override;

    // The size of the pictures handed to the control.
    static constexpr int PictureWidth = 100;
    static constexpr int PictureHeight = 21;

private:
    void AssignTabPictures();
    void SkinScroller();

    int m_pageKind = 0;
    HWND m_scrollerWindow = nullptr;
    // The control's font colour before the skin's tab text colour replaced it.
    std::optional<TColor> m_savedFontColour;
};
