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

private:
    bool m_switchedParentBackground = false;
    bool m_hadParentColor = false;
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
