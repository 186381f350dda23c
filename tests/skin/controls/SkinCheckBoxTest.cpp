// Check boxes and radio buttons: the frame of the skin's strip for each state (strips of 4, 8
// and 12 frames), the box at the left or at the right, the caption beside it, the focus box,
// the transparent erase, and the system's own look when the skin has no strip.

#include "ControlSkinFixture.h"
#include "StripFixture.h"

#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Panels.h"
#include "platform/controls/buttons/Button.h"
#include "skin/controls/SkinCheckBoxes.h"

using controlskins::FrameOf;

namespace {

constexpr int Box = 13;

class SkinCheckBoxTest : public ControlSkinTest {
protected:
    void UseCheckStrip(int frames) {
        controlskins::MakeNumberedStrip(*skinData->Elements().Buttons->CheckButton, frames, Box, Box);
        skinData->Elements().Buttons->CheckButtonFrame = frames;
    }
    void UseRadioStrip(int frames) {
        controlskins::MakeNumberedStrip(*skinData->Elements().Buttons->RadioButton, frames, Box, Box);
        skinData->Elements().Buttons->RadioButtonFrame = frames;
    }
    // The frame shown in the middle of the box at the left of a control 20 pixels high.
    static int BoxFrame(TWinControl* control, int frames, bool boxRight = false) {
        const int x = boxRight ? control->Width() - Box / 2 - 1 : Box / 2;
        return FrameOf(Pixel(control, x, 10), frames);
    }
    TCheckBox* CheckBox(TForm* form, TCheckBoxState state, bool enabled = true) {
        auto* box = Add<TCheckBox>(form, 10, 10 + 25 * static_cast<int>(form->ControlCount()), 120, 20);
        box->SetCaption("选项");
        box->SetAllowGrayed(true);
        box->SetState(state);
        box->SetEnabled(enabled);
        return box;
    }
};

TEST_F(SkinCheckBoxTest, FourFrameStripShowsTheStateWithGrayedAndDisabledCheckedAlike) {
    UseCheckStrip(4);
    TForm* form = NewForm(200, 240);
    struct Case {
        TCheckBoxState state;
        bool enabled;
        int frame;
    };
    const Case cases[] = {{cbUnchecked, true, 1}, {cbChecked, true, 2}, {cbUnchecked, false, 3},
                          {cbChecked, false, 4},  {cbGrayed, true, 4},  {cbGrayed, false, 4}};
    for (const Case& c : cases) {
        TCheckBox* box = CheckBox(form, c.state, c.enabled);
        auto* skin = SkinOf<TSkinCheckBox>(box);
        EXPECT_EQ(skin->Kind(), 1) << "the skin has a check strip: it draws the box";
        EXPECT_EQ(BoxFrame(box, 4), c.frame) << "state " << c.state << (c.enabled ? " enabled" : " disabled");
    }
}

TEST_F(SkinCheckBoxTest, TwelveFrameStripKeepsAFrameForEachState) {
    UseCheckStrip(12);
    TForm* form = NewForm(200, 240);
    struct Case {
        TCheckBoxState state;
        bool enabled;
        int frame;
    };
    const Case cases[] = {{cbUnchecked, true, 1}, {cbChecked, true, 5}, {cbUnchecked, false, 4},
                          {cbChecked, false, 8},  {cbGrayed, true, 9},  {cbGrayed, false, 12}};
    for (const Case& c : cases) {
        TCheckBox* box = CheckBox(form, c.state, c.enabled);
        SkinOf<TSkinCheckBox>(box);
        EXPECT_EQ(BoxFrame(box, 12), c.frame)
            << "state " << c.state << (c.enabled ? " enabled" : " disabled");
    }
}

TEST_F(SkinCheckBoxTest, ClickingChangesTheFrameAtOnce) {
    UseCheckStrip(4);
    TForm* form = NewForm();
    TCheckBox* box = CheckBox(form, cbUnchecked);
    box->SetAllowGrayed(false);
    SkinOf<TSkinCheckBox>(box);
    const TPoint at = box->ClientToScreen(Point(5, 10));
    platform::headless::Click(at.x, at.y);
    Pump();
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(BoxFrame(box, 4), 2);
    box->SetChecked(false);
    Pump();
    EXPECT_EQ(BoxFrame(box, 4), 1);
}

TEST_F(SkinCheckBoxTest, RadioStripOfEightFramesAndTheBoxAtTheRightForLeftText) {
    UseRadioStrip(8);
    TForm* form = NewForm(200, 200);
    auto* first = Add<TRadioButton>(form, 10, 10, 120, 20);
    auto* second = Add<TRadioButton>(form, 10, 40, 120, 20);
    // On a panel of its own, so that checking the others leaves it checked.
    auto* group = Add<TPanel>(form, 10, 70, 130, 24);
    auto* disabled = new TRadioButton(form);
    disabled->SetParent(group);
    disabled->SetBounds(0, 0, 120, 20);
    first->SetCaption("甲");
    second->SetCaption("乙");
    disabled->SetEnabled(false);
    disabled->SetChecked(true);
    second->SetAlignment(taLeftJustify);
    first->SetChecked(true);
    SkinOf<TSkinRadioButton>(first);
    SkinOf<TSkinRadioButton>(second);
    SkinOf<TSkinRadioButton>(disabled);
    EXPECT_EQ(BoxFrame(first, 8), 5);
    EXPECT_EQ(BoxFrame(second, 8, true), 1) << "the box at the right of a left-text button";
    EXPECT_EQ(BoxFrame(disabled, 8), 8);
    second->SetChecked(true);
    Pump();
    EXPECT_EQ(BoxFrame(first, 8), 1);
    EXPECT_EQ(BoxFrame(second, 8, true), 5);
}

TEST_F(SkinCheckBoxTest, CaptionIsDrawnBesideTheBoxWithAFocusBoxWhenFocused) {
    UseCheckStrip(12);
    TForm* form = NewForm();
    TCheckBox* box = CheckBox(form, cbUnchecked);
    box->SetFont(form->Font());
    box->Font()->SetColor(clBlue);
    SkinOf<TSkinCheckBox>(box);
    // Somewhere right of the box the caption's blue shows; nothing blue over the box.
    auto blueIn = [&](int left, int right) {
        for (int x = left; x < right; ++x)
            for (int y = 0; y < 20; ++y)
                if (Pixel(box, x, y) == RGB(0, 0, 255))
                    return true;
        return false;
    };
    EXPECT_TRUE(blueIn(Box + 2, 110));
    EXPECT_FALSE(blueIn(0, Box));
    EXPECT_EQ(Pixel(box, 115, 1), Background()) << "the rest is filled with the skin's background";
    // The focus box: dotted pixels around the caption that were background before.
    const COLORREF beforeFocus = Pixel(box, Box + 2, 10);
    box->SetFocus();
    Pump();
    EXPECT_NE(Pixel(box, Box + 2, 10), beforeFocus) << "the focus box's left edge";
}

TEST_F(SkinCheckBoxTest, TransparentBoxErasesToTheParentsBackground) {
    UseCheckStrip(12);
    TForm* form = NewForm();
    form->SetColor(clRed);
    TCheckBox* box = CheckBox(form, cbChecked);
    box->SetTag(5555);
    SkinOf<TSkinCheckBox>(box);
    EXPECT_EQ(Pixel(box, 115, 1), RGB(255, 0, 0)) << "the form's colour shows around the caption";
    EXPECT_EQ(BoxFrame(box, 12), 5);
}

TEST_F(SkinCheckBoxTest, WithoutAStripTheSystemDrawsTheBox) {
    skinData->Elements().Buttons->CheckButton->SetSize(0, 0);
    TForm* form = NewForm();
    TCheckBox* box = CheckBox(form, cbChecked);
    auto* skin = SkinOf<TSkinCheckBox>(box);
    EXPECT_EQ(skin->Kind(), 0);
    EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(FrameOf(Pixel(box, Box / 2, 10), 12), 0) << "no skin frame drawn";
}

TEST_F(SkinCheckBoxTest, BareCheckBoxRemembersTheCheckItWasSent) {
    UseCheckStrip(4);
    TForm* form = NewForm();
    HWND window = CreateWindowExA(0, "BUTTON", "bare", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, 10, 100, 120,
                                  20, form->Handle(), nullptr, nullptr, nullptr);
    auto* skin = new TSkinCheckBox(skinForm->BareWindowSkinOwner());
    skin->InitSkinByHandle(window, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    SendMessageW(window, BM_SETCHECK, BST_INDETERMINATE, 0);
    Pump();
    EXPECT_EQ(skin->CheckValue(), 4) << "indeterminate";
    EXPECT_EQ(FrameOf(Pixel(window, Box / 2, 10), 4), 0)
        << "a bare window's skin takes over nothing but the erase";
}

} // namespace
