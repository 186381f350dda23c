#pragma once
// TSkinHeader: a header control (also a list view's header) drawn whole from the skin's header
// image: each item's face (hot under the mouse), its image and text with the item's alignment,
// and the normal face filling the rest of the bar after the last item. A skin without a header
// image leaves the header its own look.

#include "skin/controls/WinSubClass.h"

#include <vector>

class TSkinHeader : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;

    void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) override;
    void InitSkinByHandle(HWND window, TSkinData* skinData, SkinFormServices* form, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The item under the mouse as last drawn hot; -1 for none.
    int HotItem() const { return m_hotItem; }

private:
    bool SkinHasHeader() const;
    void DrawItem(HDC dc, int index, const RECT& rect);
    void DrawFace(HDC dc, const RECT& rect, int frame) const;
    void TrackHot(POINT point);

    // Each item's rectangle as last drawn, 3 pixels narrower at each side.
    std::vector<RECT> m_itemRects;
    int m_hotItem = -1;
};
