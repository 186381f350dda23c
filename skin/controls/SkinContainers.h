#pragma once
// The skins of the controls that hold others: the group box (a rounded outline in the skin's
// border colour under its caption), panels that only take the skin's background colour
// (TSkinBox), bare container windows painted in it (TSkinBoxH), and a bare window's size grip
// made to vanish into the background (TSkinSizer).

#include "skin/controls/WinSubClass.h"

class TSkinGroupBox : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;

    void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

private:
    std::u16string Caption() const;
};

// Recolours a panel and nothing more: its window procedure stays its own.
class TSkinBox : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;

    void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) override;
    void Unskin() override;
    void SkinChanged() override;

private:
    // A recoloured panel draws its caption in the skin's text colour where the system's would
    // not stand out from the skin's background; the program's own font colour stays.
    void FollowSkinTextColour();
    void GiveTextColourBack();

    bool m_switchedParentBackground = false;
    bool m_hadParentColor = false;
    bool m_tookTextColour = false;
    TColor m_savedTextColour = clWindowText;
    TColor m_givenTextColour = clWindowText;
    bool m_hadParentFont = false;
};

class TSkinBoxH : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;

    bool BeforeMessage(TMessage& message) override;
};

class TSkinSizer : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinControl::TSkinControl;

    void DrawSkin(HDC dc, const RECT& rect) override;
};
