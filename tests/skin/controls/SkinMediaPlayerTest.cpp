// The media player's skin: an overlay directly above the player that draws its shown buttons as
// the skin's faces with the program's media glyphs, follows the player's place and visibility,
// and hands presses to the player, whose click comes only from a release on the pressed button.

#include "ControlSkinFixture.h"
#include "StripFixture.h"

#include "framework/classes/Module.h"
#include "framework/extctrls/MediaPlayer.h"
#include "skin/controls/SkinButtons.h"
#include "skin/controls/SkinMediaPlayer.h"

#include <optional>

using controlskins::FrameOf;

namespace {

class SkinMediaPlayerTest : public ControlSkinTest {
protected:
    void UseNumberedFaces() {
        TDataSkinButton& buttons = *skinData->Elements().Buttons;
        controlskins::MakeNumberedStrip(*buttons.Image, 5, 20, 20);
        buttons.LeftWidth = buttons.TopHeight = buttons.RightWidth = buttons.BottomHeight = 0;
        buttons.Trans = 0;
    }
    // A player of three shown buttons, 90 pixels each: play, pause, stop.
    TMediaPlayer* NewPlayer(TForm* form) {
        auto* player = Add<TMediaPlayer>(form, 10, 10, 270, 30);
        player->SetVisibleButtons(TButtonSet{TMPBtnType::btPlay, TMPBtnType::btPause, TMPBtnType::btStop});
        player->OnClick = [this](TObject*, TMPBtnType button) { clicked = button; };
        return player;
    }
    TSkinMP* SkinOfPlayer(TMediaPlayer* player) { return SkinOf<TSkinMP>(player); }
    static RECT ScreenRect(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }
    static COLORREF At(TMediaPlayer* player, int x, int y) {
        const TPoint at = player->ClientToScreen(Point(x, y));
        return platform::headless::ReadScreenPixel(at.x, at.y);
    }
    void Click(TMediaPlayer* player, int pressX, int releaseX) {
        const TPoint press = player->ClientToScreen(Point(pressX, 15));
        const TPoint release = player->ClientToScreen(Point(releaseX, 15));
        platform::headless::MoveMouse(press.x, press.y);
        platform::headless::PressButton(press.x, press.y);
        Pump();
        platform::headless::MoveMouse(release.x, release.y);
        platform::headless::ReleaseButton(release.x, release.y);
        Pump();
    }

    std::optional<TMPBtnType> clicked;
};

TEST_F(SkinMediaPlayerTest, OverlayLiesOnThePlayerAndDrawsItsShownButtonsWithTheirGlyphs) {
    UseNumberedFaces();
    TForm* form = NewForm();
    TMediaPlayer* player = NewPlayer(form);
    player->SetEnabledButtons(TButtonSet{TMPBtnType::btPlay, TMPBtnType::btPause});
    TSkinMP* skin = SkinOfPlayer(player);
    TWMediaPlayer* overlay = skin->Overlay();
    ASSERT_TRUE(overlay);
    const RECT covered = ScreenRect(overlay->Handle());
    const RECT under = ScreenRect(player->Handle());
    EXPECT_TRUE(EqualRect(&covered, &under));
    EXPECT_EQ(GetWindow(player->Handle(), GW_HWNDPREV), overlay->Handle()) << "directly above the player";
    EXPECT_EQ(FrameOf(At(player, 2, 2), 5), bfNormal);
    EXPECT_EQ(FrameOf(At(player, 92, 2), 5), bfNormal);
    EXPECT_EQ(FrameOf(At(player, 182, 2), 5), bfDisabled) << "stop is not enabled";
    // Each glyph centred in its cell, its key colour left out.
    TBitmap play;
    play.LoadFromResourceName(HInstance(), "CL_MPPLAY");
    TBitmap stop;
    stop.LoadFromResourceName(HInstance(), "DI_MPSTOP");
    ASSERT_FALSE(play.Empty());
    ASSERT_FALSE(stop.Empty());
    for (auto [glyph, cell] : {std::pair{&play, 0}, std::pair{&stop, 2}}) {
        const int left = cell * 90 + (90 - glyph->Width()) / 2, top = (30 - glyph->Height()) / 2;
        for (int y = 0; y < glyph->Height(); ++y) {
            for (int x = 0; x < glyph->Width(); ++x) {
                const COLORREF pixel = GetPixel(glyph->Canvas()->Handle(), x, y);
                if (pixel == RGB(128, 128, 0))
                    continue;
                ASSERT_EQ(At(player, left + x, top + y), pixel) << "cell " << cell << " at " << x << "," << y;
            }
        }
    }
}

TEST_F(SkinMediaPlayerTest, ReleaseOnThePressedButtonClicksItAndElsewhereNothing) {
    UseNumberedFaces();
    TForm* form = NewForm();
    TMediaPlayer* player = NewPlayer(form);
    SkinOfPlayer(player);
    const TPoint press = player->ClientToScreen(Point(130, 15));
    platform::headless::MoveMouse(press.x, press.y);
    platform::headless::PressButton(press.x, press.y);
    Pump();
    EXPECT_EQ(FrameOf(At(player, 92, 2), 5), bfPressed);
    platform::headless::ReleaseButton(press.x, press.y);
    Pump();
    ASSERT_TRUE(clicked);
    EXPECT_EQ(*clicked, TMPBtnType::btPause);
    EXPECT_EQ(FrameOf(At(player, 92, 2), 5), bfNormal);
    clicked.reset();
    Click(player, 40, 220);
    EXPECT_FALSE(clicked) << "released on another button";
    EXPECT_EQ(FrameOf(At(player, 2, 2), 5), bfNormal);
    Click(player, 40, 50);
    ASSERT_TRUE(clicked);
    EXPECT_EQ(*clicked, TMPBtnType::btPlay) << "the player works again after a release elsewhere";
}

TEST_F(SkinMediaPlayerTest, OverlayFollowsThePlayerAndGoesWithTheSkin) {
    TForm* form = NewForm();
    TMediaPlayer* player = NewPlayer(form);
    TSkinMP* skin = SkinOfPlayer(player);
    HWND overlay = skin->Overlay()->Handle();
    player->SetBounds(30, 50, 180, 28);
    Pump();
    RECT covered = ScreenRect(overlay);
    RECT under = ScreenRect(player->Handle());
    EXPECT_TRUE(EqualRect(&covered, &under));
    player->Hide();
    Pump();
    EXPECT_FALSE(IsWindowVisible(overlay));
    player->Show();
    Pump();
    EXPECT_TRUE(IsWindowVisible(overlay));
    skin->Unskin();
    EXPECT_FALSE(skin->Overlay());
    EXPECT_FALSE(IsWindow(overlay));
}

} // namespace
