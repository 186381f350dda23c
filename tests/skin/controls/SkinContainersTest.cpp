// The skinned containers: a group box's rounded outline in the skin's border colour under its
// caption (a bare group box's own frame erased first), a panel recoloured without its procedure
// taken and given its colour back, a bare container's background and its statics' brush, and a
// size grip that vanishes into the background.

#include "ControlSkinFixture.h"

#include "framework/graphics/Font.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Panels.h"
#include "platform/controls/buttons/Button.h"
#include "platform/controls/scrollbar/ScrollBarControl.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinContainers.h"
#include "skin/forms/SkinMessages.h"

namespace {

class SkinContainersTest : public ControlSkinTest {
protected:
    COLORREF Border() const { return ColorToRGB(SkinBorderColour(Skin())); }
    static int Count(HWND window, const RECT& area, COLORREF colour) {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += Pixel(window, x, y) == colour ? 1 : 0;
        return count;
    }
};

TEST_F(SkinContainersTest, AGroupBoxIsOutlinedInTheBorderColourUnderItsCaption) {
    TForm* form = NewForm();
    auto* box = Add<TGroupBox>(form, 10, 10, 200, 120);
    box->SetCaption("分组 group");
    auto* skin = SkinOf<TSkinGroupBox>(box);
    box->Invalidate();
    Pump();
    EXPECT_EQ(skin->Kind(), 1);
    HWND window = box->Handle();
    EXPECT_EQ(Pixel(window, 1, 60), Border()) << "the left side";
    EXPECT_EQ(Pixel(window, 198, 60), Border()) << "the right side";
    EXPECT_EQ(Pixel(window, 100, 118), Border()) << "the bottom";
    EXPECT_EQ(Pixel(window, 1, 118), ColorToRGB(Skin().Colours[3])) << "a rounded corner";
    EXPECT_EQ(Pixel(window, 100, 60), ColorToRGB(Skin().Colours[3])) << "the skin's background inside";
    const COLORREF text = ColorToRGB(SkinnedSystemColour(Skin(), clWindowText));
    EXPECT_GT(Count(window, RECT{8, 0, 70, 16}, text), 5) << "the caption 8 pixels in";
    EXPECT_EQ(Count(window, RECT{8, 0, 40, 16}, Border()), 0) << "the outline passes behind the caption";
    EXPECT_EQ(Count(window, RECT{0, 0, 8, 16}, text), 0);
}

TEST_F(SkinContainersTest, ABareGroupBoxLosesTheSystemsFrameForTheSkinsOutline) {
    TForm* form = NewForm();
    HWND box = CreateWindowExA(0, "BUTTON", "bare", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 10, 200, 120,
                               form->Handle(), nullptr, nullptr, nullptr);
    auto* skin = new TSkinGroupBox(skinForm->BareWindowSkinOwner());
    skin->InitSkinByHandle(box, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    InvalidateRect(box, nullptr, TRUE);
    Pump();
    EXPECT_EQ(skin->Kind(), 0);
    EXPECT_EQ(Pixel(box, 1, 60), Border());
    EXPECT_EQ(Count(box, RECT{0, 10, 200, 120}, GetSysColor(COLOR_3DSHADOW)), 0)
        << "the etched frame is gone";
}

TEST_F(SkinContainersTest, APanelIsOnlyRecolouredAndGetsItsColourBack) {
    TForm* form = NewForm();
    auto* panel = Add<TPanel>(form, 10, 10, 150, 80);
    panel->SetColor(clRed);
    auto* skin = new TSkinBox(panel);
    skin->InitSkin(skinForm.get(), skinData.get(), true, skinForm->ControlCanvas());
    Pump();
    EXPECT_EQ(panel->Color(), Skin().Colours[3]);
    EXPECT_EQ(SendMessageW(panel->Handle(), SM_SKINNEDQUERY, 0, 0), 0) << "its procedure is its own";
    ASSERT_EQ(skinForm->listed.size(), 1u);
    skin->Unskin();
    EXPECT_EQ(panel->Color(), clRed);
}

// On the dark skin's background the system's black text would hardly show: a recoloured
// panel's caption takes the skin's text colour, and gets the system's back when unskinned. A
// colour the program chose stays, and on the default skin's light background nothing changes.
TEST_F(SkinContainersTest, APanelsCaptionTakesTheSkinsTextColourWhereTheSystemsWouldNotShow) {
    TForm* form = NewForm();
    auto* plain = Add<TPanel>(form, 10, 10, 150, 40);
    plain->SetCaption("Panel");
    auto* own = Add<TPanel>(form, 10, 60, 150, 40);
    own->SetCaption("Own");
    own->Font()->SetColor(clRed);
    auto* plainSkin = new TSkinBox(plain);
    plainSkin->InitSkin(skinForm.get(), skinData.get(), true, skinForm->ControlCanvas());
    Pump();
    EXPECT_EQ(plain->Font()->Color(), clWindowText) << "black reads on the default skin";

    LoadSkin(controlskins::SkinFileBytes("dark"));
    form = NewForm();
    plain = Add<TPanel>(form, 10, 10, 150, 40);
    plain->SetCaption("Panel");
    own = Add<TPanel>(form, 10, 60, 150, 40);
    own->SetCaption("Own");
    own->Font()->SetColor(clRed);
    plainSkin = new TSkinBox(plain);
    plainSkin->InitSkin(skinForm.get(), skinData.get(), true, skinForm->ControlCanvas());
    auto* ownSkin = new TSkinBox(own);
    ownSkin->InitSkin(skinForm.get(), skinData.get(), true, skinForm->ControlCanvas());
    Pump();
    ASSERT_TRUE(Skin().ColourGiven[0]);
    const TColor text = Skin().Colours[0];
    EXPECT_EQ(plain->Font()->Color(), text);
    EXPECT_EQ(own->Font()->Color(), clRed);
    const RECT caption{0, 0, 150, 40};
    EXPECT_GT(Count(plain->Handle(), caption, ColorToRGB(text)), 10)
        << "the caption shows in the skin's text";
    EXPECT_EQ(Count(plain->Handle(), caption, RGB(0, 0, 0)), 0);

    plainSkin->Unskin();
    EXPECT_EQ(plain->Font()->Color(), clWindowText);
    EXPECT_TRUE(plain->ParentFont()) << "it follows its parent's font again";
}

TEST_F(SkinContainersTest, ABareContainerShowsTheBackgroundAndLendsItsBrushToStatics) {
    TForm* form = NewForm();
    HWND container = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 150, 80, form->Handle(),
                                     nullptr, nullptr, nullptr);
    auto* skin = new TSkinBoxH(skinForm->BareWindowSkinOwner());
    skin->InitSkinByHandle(container, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    Pump();
    auto picture = Picture(
        150, 80, [&](HDC dc) { SendMessageW(container, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0); });
    EXPECT_EQ(PictureAt(*picture, 75, 40), ColorToRGB(Skin().Colours[3]));
    EXPECT_EQ(SendMessageW(container, WM_CTLCOLORSTATIC, 0, 0),
              reinterpret_cast<LRESULT>(Skin().FaceBrush.Get()));
}

TEST_F(SkinContainersTest, ASizeGripVanishesIntoTheBackground) {
    TForm* form = NewForm();
    HWND grip = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, 100, 100, 17, 17,
                                form->Handle(), nullptr, nullptr, nullptr);
    auto* skin = new TSkinSizer(skinForm->BareWindowSkinOwner());
    skin->InitSkinByHandle(grip, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    InvalidateRect(grip, nullptr, TRUE);
    Pump();
    EXPECT_EQ(Count(grip, RECT{0, 0, 17, 17}, ColorToRGB(Skin().Colours[3])), 17 * 17);
}

} // namespace
