// The skinned edits and up-downs: the border colour with white inside around an edit that has a
// border and nothing around one that has none, the frame kept after the system draws its own,
// the printed frame, painting the client on request; an up-down's buttons from the skin's spin
// frames in every state, upright and side by side, plainly without spin images, and inside an
// edit whose skin finds it.

#include "ControlSkinFixture.h"

#include "framework/comctrls/UpDown.h"
#include "framework/stdctrls/Edits.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinUserDraw.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinEdits.h"
#include "skin/forms/SkinMessages.h"

namespace {

class SkinEditsTest : public ControlSkinTest {
protected:
    COLORREF Border() const { return ColorToRGB(SkinBorderColour(Skin())); }

    // The spin strip's frame over a button of the size, at a corner point.
    COLORREF SpinFaceAt(const TDataSkinBorder& spin, int frame, int width, int height, int x, int y) const {
        auto face = Picture(width, height, [&](HDC dc) {
            FillColor(dc, RECT{0, 0, width, height}, Skin().Colours[3]);
            TSkinFrameStyle style;
            style.margins = {spin.LeftWidth, spin.TopHeight, spin.RightWidth, spin.BottomHeight};
            style.transparent = true;
            DrawSkinFrame(dc, RECT{0, 0, width, height}, *spin.Image, frame, 8, false, style);
        });
        return PictureAt(*face, x, y);
    }
    // Whether the button area (window coordinates) shows the frame at its corners.
    bool ShowsSpinFrame(HWND window, const TDataSkinBorder& spin, const RECT& area, int frame) const {
        const int w = area.right - area.left;
        const int h = area.bottom - area.top;
        return Pixel(window, area.left, area.top) == SpinFaceAt(spin, frame, w, h, 0, 0) &&
               Pixel(window, area.right - 1, area.bottom - 1) ==
                   SpinFaceAt(spin, frame, w, h, w - 1, h - 1) &&
               Pixel(window, area.left + w / 2, area.top) == SpinFaceAt(spin, frame, w, h, w / 2, 0);
    }
    TUpDown* NewUpDown(TForm* form, TUDOrientation orientation = udVertical) {
        auto* upDown = Add<TUpDown>(form, 50, 30, orientation == udVertical ? 17 : 40,
                                    orientation == udVertical ? 40 : 17);
        upDown->SetOrientation(orientation);
        upDown->SetBounds(50, 30, orientation == udVertical ? 17 : 40, orientation == udVertical ? 40 : 17);
        return upDown;
    }
    static void MouseAt(TWinControl* control, int x, int y) {
        POINT at{x, y};
        ClientToScreen(control->Handle(), &at);
        platform::headless::MoveMouse(at.x, at.y);
    }
};

TEST_F(SkinEditsTest, AnEditWithABorderIsFramedAndOneWithoutIsLeftAlone) {
    TForm* form = NewForm();
    auto* framed = Add<TEdit>(form, 10, 10, 150, 24);
    auto* bare = Add<TEdit>(form, 10, 50, 150, 24);
    bare->SetBorderStyle(bsNone);
    SkinOf<TSkinEdit>(framed);
    SkinOf<TSkinEdit>(bare);
    framed->Invalidate();
    bare->Invalidate();
    Pump();
    EXPECT_EQ(Pixel(framed, 0, 0), Border());
    EXPECT_EQ(Pixel(framed, 149, 12), Border());
    EXPECT_EQ(Pixel(framed, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(framed, 2, 12), RGB(255, 255, 255));
    EXPECT_NE(Pixel(bare, 0, 0), Border()) << "no frame on an edit without a border";
    EXPECT_EQ(Pixel(bare, 0, 0), GetSysColor(COLOR_WINDOW));

    RedrawWindow(framed->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    EXPECT_EQ(Pixel(framed, 0, 0), Border()) << "the skin's frame over the system's again";
    EXPECT_EQ(Pixel(framed, 1, 1), RGB(255, 255, 255));
}

TEST_F(SkinEditsTest, PrintingFramesTheEditInItsOwnBackgroundAndThePaintRequestDrawsTheClient) {
    TForm* form = NewForm();
    auto* edit = Add<TEdit>(form, 10, 10, 150, 24);
    edit->SetText("printed");
    SkinOf<TSkinEdit>(edit);
    auto page = Picture(150, 24, [&](HDC dc) {
        FillColor(dc, RECT{0, 0, 150, 24}, clRed);
        SelectObject(dc, GetStockObject(WHITE_BRUSH));
        SendMessageW(edit->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT | PRF_CLIENT);
    });
    EXPECT_EQ(PictureAt(*page, 0, 0), Border());
    EXPECT_EQ(PictureAt(*page, 75, 23), Border());
    EXPECT_EQ(PictureAt(*page, 1, 1), RGB(255, 255, 255)) << "the DC's brush just inside";

    auto client = Picture(146, 20, [&](HDC dc) {
        FillColor(dc, RECT{0, 0, 146, 20}, clRed);
        EXPECT_EQ(SendMessageW(edit->Handle(), SM_PAINTCLIENT, reinterpret_cast<WPARAM>(dc), SkinMagic),
                  SkinMagic);
    });
    int text = 0;
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < 20; ++y)
            text += PictureAt(*client, x, y) == GetSysColor(COLOR_WINDOWTEXT) ? 1 : 0;
    EXPECT_GT(text, 10) << "the edit's text painted into the DC";
}

TEST_F(SkinEditsTest, UpDownButtonsShowTheirStatesFromTheSpinStrip) {
    TForm* form = NewForm();
    TUpDown* upDown = NewUpDown(form);
    auto* skin = SkinOf<TSkinUpDown>(upDown);
    const TDataSkinBorder& spin = *Skin().UpDownVert;
    ASSERT_FALSE(spin.Image->Empty());
    const RECT up{0, 0, 17, 20};
    const RECT down{0, 20, 17, 40};
    EXPECT_TRUE(ShowsSpinFrame(upDown->Handle(), spin, up, 1));
    EXPECT_TRUE(ShowsSpinFrame(upDown->Handle(), spin, down, 5));

    MouseAt(upDown, 8, 30);
    Pump();
    EXPECT_EQ(skin->ButtonState(1), 4);
    EXPECT_TRUE(ShowsSpinFrame(upDown->Handle(), spin, down, 8)) << "the hot down button";
    EXPECT_TRUE(ShowsSpinFrame(upDown->Handle(), spin, up, 1));

    POINT press{8, 10};
    ClientToScreen(upDown->Handle(), &press);
    platform::headless::PressButton(press.x, press.y);
    Pump();
    EXPECT_EQ(skin->ButtonState(0), 2);
    EXPECT_TRUE(ShowsSpinFrame(upDown->Handle(), spin, up, 2)) << "the pressed up button";
    platform::headless::ReleaseButton(press.x, press.y);
    platform::headless::MoveMouse(5, 5);
    Pump();
    EXPECT_TRUE(ShowsSpinFrame(upDown->Handle(), spin, up, 1));

    upDown->SetEnabled(false);
    Pump();
    EXPECT_TRUE(ShowsSpinFrame(upDown->Handle(), spin, up, 3)) << "disabled";
    EXPECT_TRUE(ShowsSpinFrame(upDown->Handle(), spin, down, 7));
}

TEST_F(SkinEditsTest, SideBySideButtonsTakeTheHorizontalStrip) {
    TForm* form = NewForm();
    TUpDown* upDown = NewUpDown(form, udHorizontal);
    SkinOf<TSkinUpDown>(upDown);
    const TDataSkinBorder& spin = *Skin().UpDownHorz;
    EXPECT_TRUE(ShowsSpinFrame(upDown->Handle(), spin, RECT{0, 0, 20, 17}, 1));
    EXPECT_TRUE(ShowsSpinFrame(upDown->Handle(), spin, RECT{20, 0, 40, 17}, 5));
}

TEST_F(SkinEditsTest, WithoutSpinImagesTheButtonsAreDrawnPlainly) {
    skinData->Elements().UpDownVert.reset();
    TForm* form = NewForm();
    TUpDown* upDown = NewUpDown(form);
    SkinOf<TSkinUpDown>(upDown);
    const COLORREF line = ColorToRGB(SkinnedSystemColour(Skin(), clBtnShadow));
    EXPECT_EQ(Pixel(upDown, 0, 0), line);
    EXPECT_EQ(Pixel(upDown, 16, 19), line) << "the up button's outline";
    EXPECT_EQ(Pixel(upDown, 3, 25), ColorToRGB(Skin().Colours[3])) << "filled with the background";
    EXPECT_EQ(Pixel(upDown, 8, 9), ColorToRGB(SkinnedSystemColour(Skin(), clBtnText))) << "its arrow";
}

TEST_F(SkinEditsTest, AnEditsSkinFindsTheSpinInsideItAndKeepsItInsideTheFrame) {
    TForm* form = NewForm();
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
    ASSERT_TRUE(InitCommonControlsEx(&classes));
    auto* edit = Add<TEdit>(form, 10, 10, 120, 24);
    HWND spinWindow = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 100, 0, 16, 20,
                                      edit->Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(spinWindow, nullptr);
    skinData->SetSkinControls(skinData->SkinControls() + TSkinControlTypes{xcSpin});
    auto* skin = SkinOf<TSkinEdit>(edit);
    edit->Invalidate();
    Pump();
    ASSERT_EQ(skin->SpinWindow(), spinWindow);
    auto* spinSkin = dynamic_cast<TSkinUpDown*>(skinForm->FindSkinControlByWindow(spinWindow));
    ASSERT_NE(spinSkin, nullptr);
    EXPECT_TRUE(spinSkin->Embedded());
    InvalidateRect(spinWindow, nullptr, TRUE);
    Pump();
    // The spin's window starts at the edit's client top (2 pixels in): its first row is white,
    // and its buttons begin 3 pixels inside the edit.
    EXPECT_EQ(Pixel(spinWindow, 8, 0), RGB(255, 255, 255));
    EXPECT_NE(Pixel(spinWindow, 8, 1), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(edit, 0, 0), Border()) << "the edit keeps its frame";
}

} // namespace
