// Push buttons: the face for each state (normal, hot, pressed, disabled, focused or default) as
// the skin's own frames draw it, the click made by the skin on the release, the held space
// key, the "||" line break, the parent's background behind a transparent button, bare button
// windows, and the system's look when the skin has no button image.

#include "ControlSkinFixture.h"
#include "StripFixture.h"

#include "framework/stdctrls/Buttons.h"
#include "platform/controls/buttons/Button.h"
#include "platform/user/VirtualKeys.h"
#include "skin/controls/SkinButtons.h"

#include <set>

using controlskins::FrameOf;

namespace {

class SkinButtonTest : public ControlSkinTest {
protected:
    // Numbered solid faces without margins: a pixel near the border tells the frame.
    void UseNumberedFaces() {
        TDataSkinButton& buttons = *skinData->Elements().Buttons;
        controlskins::MakeNumberedStrip(*buttons.Image, 5, 20, 20);
        buttons.LeftWidth = buttons.TopHeight = buttons.RightWidth = buttons.BottomHeight = 0;
        buttons.Trans = 0;
    }
    TButton* NewButton(TForm* form, const std::string& caption = "") {
        auto* button = Add<TButton>(form, 20, 20 + 40 * (form->ControlCount()), 90, 28);
        button->SetCaption(caption);
        return button;
    }
    static int FaceFrame(TButton* button) { return FrameOf(Pixel(button, 2, 2), 5); }
    void MoveOver(TControl* control) {
        const TPoint at = control->ClientToScreen(Point(45, 3));
        platform::headless::MoveMouse(at.x, at.y);
        Pump();
    }
    // The rows of the button holding text of the colour.
    static std::set<int> TextRows(TButton* button, COLORREF colour) {
        std::set<int> rows;
        for (int y = 0; y < button->Height(); ++y)
            for (int x = 0; x < button->Width(); ++x)
                if (Pixel(button, x, y) == colour)
                    rows.insert(y);
        return rows;
    }
};

TEST_F(SkinButtonTest, DefaultButtonShowsTheDefaultFaceThenTheDisabledOne) {
    UseNumberedFaces();
    TForm* form = NewForm();
    TButton* plain = NewButton(form);
    TButton* byDefault = NewButton(form);
    byDefault->SetDefault(true);
    SkinOf<TSkinButton>(plain);
    SkinOf<TSkinButton>(byDefault);
    EXPECT_EQ(FaceFrame(plain), bfNormal);
    EXPECT_EQ(FaceFrame(byDefault), bfDefault) << "neither focused nor hot";
    byDefault->SetEnabled(false);
    Pump();
    EXPECT_EQ(FaceFrame(byDefault), bfDisabled);
}

TEST_F(SkinButtonTest, HoverPressAndReleaseShowTheirFacesAndTheReleaseClicksOnce) {
    UseNumberedFaces();
    TForm* form = NewForm();
    TButton* button = NewButton(form, "确定");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    SkinOf<TSkinButton>(button);
    MoveOver(button);
    EXPECT_EQ(FaceFrame(button), bfHot);
    const TPoint at = button->ClientToScreen(Point(45, 3));
    platform::headless::PressButton(at.x, at.y);
    Pump();
    EXPECT_EQ(FaceFrame(button), bfPressed);
    EXPECT_EQ(GetFocus(), button->Handle()) << "the press focuses the button";
    platform::headless::ReleaseButton(at.x, at.y);
    Pump();
    EXPECT_EQ(clicks, 1) << "the skin clicks; the system button never saw the press";
    EXPECT_EQ(FaceFrame(button), bfHot);
    platform::headless::MoveMouse(5, 5);
    Pump();
    EXPECT_EQ(FaceFrame(button), bfDefault) << "left: focused";
}

TEST_F(SkinButtonTest, HeldSpaceShowsThePressedFaceUntilReleased) {
    UseNumberedFaces();
    TForm* form = NewForm();
    TButton* button = NewButton(form, "空格");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    SkinOf<TSkinButton>(button);
    button->SetFocus();
    Pump();
    platform::headless::PressKey(VK_SPACE);
    Pump();
    EXPECT_EQ(FaceFrame(button), bfPressed);
    platform::headless::AdvanceClock(600);
    Pump();
    EXPECT_EQ(FaceFrame(button), bfPressed) << "still held";
    platform::headless::ReleaseKey(VK_SPACE);
    Pump();
    EXPECT_EQ(FaceFrame(button), bfDefault);
    EXPECT_EQ(clicks, 1) << "the system's own click of the space key";
}

TEST_F(SkinButtonTest, FacesAreTheSkinsOwnFrames) {
    TForm* form = NewForm();
    TButton* button = NewButton(form);
    SkinOf<TSkinButton>(button);
    const TDataSkinButton& buttons = *Skin().Buttons;
    auto expectFace = [&](int frame) {
        auto expected = ElementFrame(buttons, frame, buttons.FrameCount, 90, 28, Skin().Colours[3]);
        for (POINT p : {POINT{0, 0}, POINT{1, 1}, POINT{45, 1}, POINT{45, 14}, POINT{2, 14}, POINT{88, 26}})
            EXPECT_EQ(Pixel(button, p.x, p.y), PictureAt(*expected, p.x, p.y))
                << "frame " << frame << " at " << p.x << "," << p.y;
    };
    expectFace(bfNormal);
    MoveOver(button);
    expectFace(bfHot);
    button->SetEnabled(false);
    Pump();
    expectFace(bfDisabled);
}

TEST_F(SkinButtonTest, DoubleBarBreaksTheCaptionOnceAndTheSecondStaysText) {
    TForm* form = NewForm(320, 260);
    const COLORREF text = ColorToRGB(static_cast<TColor>(Skin().Buttons->NormalColour));
    TButton* one = NewButton(form, "上下");
    TButton* two = NewButton(form, "上||下");
    TButton* three = NewButton(form, "上||下||");
    for (TButton* b : {one, two, three})
        b->SetHeight(40);
    SkinOf<TSkinButton>(one);
    SkinOf<TSkinButton>(two);
    SkinOf<TSkinButton>(three);
    const std::set<int> single = TextRows(one, text);
    const std::set<int> broken = TextRows(two, text);
    ASSERT_FALSE(single.empty());
    ASSERT_FALSE(broken.empty());
    const int singleHeight = *single.rbegin() - *single.begin();
    const int brokenHeight = *broken.rbegin() - *broken.begin();
    EXPECT_GT(brokenHeight, singleHeight + 8) << "two lines";
    const std::set<int> again = TextRows(three, text);
    EXPECT_EQ(*again.rbegin() - *again.begin(), brokenHeight) << "still two lines: the second bar is text";
}

TEST_F(SkinButtonTest, TransparentButtonShowsTheParentWhereTheFaceIsKeyed) {
    TForm* form = NewForm();
    form->SetColor(clRed);
    TDataSkinButton& buttons = *skinData->Elements().Buttons;
    ASSERT_NE(buttons.Trans, 0) << "the default skin's faces are keyed";
    TButton* button = NewButton(form);
    button->SetTag(5555);
    SkinOf<TSkinButton>(button);
    auto face = ElementFrame(buttons, bfNormal, buttons.FrameCount, 90, 28, clRed);
    EXPECT_EQ(Pixel(button, 0, 0), PictureAt(*face, 0, 0));
    TButton* opaque = NewButton(form);
    SkinOf<TSkinButton>(opaque);
    auto onSkin = ElementFrame(buttons, bfNormal, buttons.FrameCount, 90, 28, Skin().Colours[3]);
    EXPECT_EQ(Pixel(opaque, 0, 0), PictureAt(*onSkin, 0, 0));
}

// Counts the WM_COMMAND messages of one control id a form receives.
class TCommandWatch : public TObject {
public:
    TCommandWatch(TForm* form, WORD id) : m_form(form), m_previous(form->WindowProc()), m_id(id) {
        form->SetWindowProc(TWndMethod::Of(this, &TCommandWatch::WndProc));
    }
    ~TCommandWatch() override { m_form->SetWindowProc(m_previous); }
    void WndProc(TMessage& message) {
        if (message.Msg == WM_COMMAND && LOWORD(message.WParam) == m_id)
            ++count;
        m_previous(message);
    }
    int count = 0;

private:
    TForm* m_form;
    TWndMethod m_previous;
    WORD m_id;
};

TEST_F(SkinButtonTest, BareButtonTellsItsParentOfTheClick) {
    UseNumberedFaces();
    TForm* form = NewForm();
    HWND window = CreateWindowExA(0, "BUTTON", "bare", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 150, 90, 28,
                                  form->Handle(), reinterpret_cast<HMENU>(77), nullptr, nullptr);
    auto* skin = new TSkinButton(skinForm->BareWindowSkinOwner());
    skin->InitSkinByHandle(window, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    Pump();
    EXPECT_EQ(FrameOf(Pixel(window, 2, 2), 5), bfNormal);
    TCommandWatch commands(form, 77);
    RECT onScreen{};
    GetWindowRect(window, &onScreen);
    platform::headless::Click(onScreen.left + 5, onScreen.top + 5);
    Pump();
    EXPECT_EQ(commands.count, 1) << "posted by the skin, once";
}

TEST_F(SkinButtonTest, WithoutAButtonImageTheSystemDrawsTheButton) {
    skinData->Elements().Buttons->Image->SetSize(0, 0);
    TForm* form = NewForm();
    TButton* button = NewButton(form, "系统");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    SkinOf<TSkinButton>(button);
    EXPECT_EQ(Pixel(button, 4, 14), ColorToRGB(clBtnFace)) << "the classic face";
    const TPoint at = button->ClientToScreen(Point(45, 3));
    platform::headless::Click(at.x, at.y);
    Pump();
    EXPECT_EQ(clicks, 1);
}

} // namespace
