#pragma once
// The push button skins. TSkinButton draws the whole button from the skin's button faces
// (1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused or default) in a bitmap of its own and
// copies it once; it keeps presses from the system button and makes the click itself on the
// release. TSkinMenuButton is a button with a drop-down arrow right of its caption.

#include "skin/controls/WinSubClass.h"

#include <memory>

class TBitmap;
class TFont;

// The caption colours the skin gives the normal, hot and pressed faces; clNone where it gives
// none. A colour of the second set wins where the skin names it, else the first set's.
struct TButtonFaceColours {
    TColor normal = clNone;
    TColor hot = clNone;
    TColor pressed = clNone;
};
TButtonFaceColours ButtonFaceColours(const TDataSkinButton& buttons);

// The face frames of the button image.
enum TButtonFace { bfNormal = 1, bfPressed = 2, bfDisabled = 3, bfHot = 4, bfDefault = 5 };

// Frame `frame` of the skin's button image over the rectangle, nine-sliced by its margins.
void DrawButtonFace(HDC dc, const RECT& rect, const TDataSkinButton& buttons, int frame);

class TSkinButton : public TSkinControl {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TSkinButton(TComponent* owner);
    ~TSkinButton() override;

    void InitSkin(SkinFormServices* form, TSkinData* skinData, bool recolor, TCanvas* canvas) override;
    bool BeforeMessage(TMessage& message) override;
    void AfterMessage(TMessage& message) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    // The face the button shows now (after the state was read by a draw).
    TButtonFace Face() const;

protected:
    // Whether the skin has a button image to draw with.
    bool HasFaceImage() const;
    // Reads focus, enabled state, default flag and caption.
    void ReadState();
    // Sizes the face bitmap and fills it with the background (the parent's or the skin's).
    HDC StartFace(const RECT& rect);
    // Draws face frame `face` over the whole face bitmap.
    void DrawFaceFrame(HDC face, const RECT& rect, int frame);
    // Selects the caption font and the text colour of the face into the face DC.
    void PrepareCaptionFont(HDC face, int frame, bool normalColourOnNormalFaceOnly);
    // The caption with the first "||" turned into a line break.
    std::u16string CaptionText() const;
    // Measures and draws the caption centred in the rectangle; gives the block it used.
    RECT DrawCentredCaption(HDC face, const RECT& rect);
    void FinishFace(HDC dc, const RECT& rect);
    void Click();

    std::unique_ptr<TBitmap> m_face;
    bool m_transparent = false;
    bool m_default = false;

private:
    HGDIOBJ m_oldFont = nullptr;
};

class TSkinMenuButton : public TSkinButton {
public:
    static const TClass& ClassInfo();
    const TClass& ClassType() const override { return ClassInfo(); }

    using TSkinButton::TSkinButton;

    void DrawSkin(HDC dc, const RECT& rect) override;
};
