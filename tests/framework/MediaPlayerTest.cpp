// TMediaPlayer: nine glyph buttons among the program's bitmaps, clicked by the mouse or the
// keyboard to raise OnClick with the button's kind, enabled, shown and coloured by set.

#include "FrameworkTestSupport.h"

#include "framework/classes/Module.h"
#include "framework/classes/TypInfo.h"
#include "framework/extctrls/MediaPlayer.h"
#include "platform/gdi/WinUserDraw.h"

namespace {

using enum TMPBtnType;

class MediaPlayers : public FrameworkTest {
protected:
    TMediaPlayer* NewPlayer(TForm* form) {
        auto* player = new TMediaPlayer(form);
        player->SetParent(form);
        player->SetBounds(10, 10, 270, 30);
        player->OnClick = [this](TObject*, TMPBtnType button) { clicked.push_back(button); };
        return player;
    }
    void PressOn(TMediaPlayer* player, TMPBtnType from, TMPBtnType to) {
        const TRect a = player->ButtonRect(from);
        const TRect b = player->ButtonRect(to);
        const TPoint press = OnScreen(player, (a.left + a.right) / 2, 15);
        const TPoint release = OnScreen(player, (b.left + b.right) / 2, 15);
        platform::headless::AdvanceClock(1000);
        platform::headless::PressButton(press.x, press.y);
        Pump();
        platform::headless::MoveMouse(release.x, release.y);
        platform::headless::ReleaseButton(release.x, release.y);
        Pump();
    }

    std::vector<TMPBtnType> clicked;
};

} // namespace

TEST(MediaPlayerGlyphs, EveryButtonHasItsThreeGlyphsOfOneSize) {
    for (const char* name :
         {"MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"}) {
        for (const char* prefix : {"EN_", "DI_", "CL_"}) {
            const std::string resource = std::string(prefix) + name;
            HBITMAP bitmap = LoadBitmapA(HInstance(), resource.c_str());
            ASSERT_NE(bitmap, nullptr) << resource;
            BITMAP info{};
            GetObjectA(bitmap, sizeof info, &info);
            EXPECT_EQ(info.bmWidth, 16) << resource;
            EXPECT_EQ(info.bmHeight, 11) << resource;
            DeleteObject(bitmap);
        }
    }
}

TEST_F(MediaPlayers, AClickOnAnEnabledButtonRaisesOnClickWithItsKind) {
    TForm* form = NewForm(300, 100);
    TMediaPlayer* player = NewPlayer(form);
    player->SetEnabledButtons(AllMediaButtons - TButtonSet{btRecord});
    form->Show();
    Pump();
    EXPECT_EQ(RectWidth(player->ButtonRect(btPlay)), 30);
    PressOn(player, btStop, btStop);
    PressOn(player, btRecord, btRecord);
    PressOn(player, btPlay, btPause);
    EXPECT_EQ(clicked, std::vector<TMPBtnType>{btStop}) << "not a disabled one, not a release elsewhere";

    // Fewer shown buttons share the width.
    player->SetVisibleButtons(TButtonSet{btPlay, btStop, btEject});
    EXPECT_EQ(player->ShownButtons(), (std::vector<TMPBtnType>{btPlay, btStop, btEject}));
    EXPECT_EQ(player->ButtonRect(btEject).left, 180);
    EXPECT_EQ(RectWidth(player->ButtonRect(btPause)), 0);
    PressOn(player, btEject, btEject);
    EXPECT_EQ(clicked.back(), btEject);
    player->SetEnabled(false);
    PressOn(player, btPlay, btPlay);
    EXPECT_EQ(clicked.size(), 2u);
}

TEST_F(MediaPlayers, TheArrowKeysChooseAButtonAndTheSpaceBarClicksIt) {
    TForm* form = NewForm(300, 100);
    TMediaPlayer* player = NewPlayer(form);
    player->SetEnabledButtons(AllMediaButtons - TButtonSet{btPause});
    form->Show();
    player->SetFocus();
    Pump();
    EXPECT_EQ(player->FocusedButton(), btPlay);
    platform::headless::TypeKey(VK_RIGHT);
    platform::headless::TypeKey(VK_SPACE);
    platform::headless::TypeKey(VK_RIGHT);
    platform::headless::TypeKey(VK_SPACE);
    platform::headless::TypeKey(VK_LEFT);
    platform::headless::TypeKey(VK_LEFT);
    platform::headless::TypeKey(VK_LEFT);
    platform::headless::TypeKey(VK_SPACE);
    Pump();
    EXPECT_EQ(clicked, (std::vector<TMPBtnType>{btStop, btPlay})) << "the disabled pause takes no click";
    EXPECT_TRUE(platform::headless::SaveWindowPng(form->Handle(), std::string(QUILLMERE_BIN_DIR) +
                                                                      "/../framework-mediaplayer.png"));
}

TEST_F(MediaPlayers, EachStateDrawsItsGlyph) {
    TForm* form = NewForm(300, 100);
    TMediaPlayer* player = NewPlayer(form);
    player->SetColoredButtons(TButtonSet{btPlay});
    player->SetEnabledButtons(AllMediaButtons - TButtonSet{btStop});
    form->Show();
    Pump();
    // A pixel of a button's glyph: 16 x 11, centred in the face inside the 2-pixel edge.
    const auto glyphPixel = [&](TMPBtnType button, int x, int y) {
        const TRect cell = player->ButtonRect(button);
        const TPoint point =
            player->ClientToScreen(Point(cell.left + 2 + (26 - 16) / 2 + x, 2 + (26 - 11) / 2 + y));
        return platform::headless::ReadScreenPixel(point.x, point.y);
    };
    EXPECT_EQ(glyphPixel(btPlay, 7, 5), RGB(0, 0x80, 0)) << "coloured";
    EXPECT_EQ(glyphPixel(btPause, 5, 5), RGB(0, 0, 0)) << "enabled";
    EXPECT_EQ(glyphPixel(btStop, 7, 5), RGB(0x80, 0x80, 0x80)) << "disabled";
    EXPECT_EQ(glyphPixel(btPlay, 1, 1), GetSysColor(COLOR_BTNFACE)) << "the olive background is left out";
    player->SetColoredButtons(AllMediaButtons);
    Pump();
    EXPECT_EQ(glyphPixel(btPause, 5, 5), RGB(0, 0, 0xA0));
}

TEST(MediaPlayerProperties, TheSkinReadsTheButtonSetsByName) {
    TMediaPlayer player(nullptr);
    EXPECT_EQ(GetSetProp(&player, "VisibleButtons"),
              "[btPlay,btPause,btStop,btNext,btPrev,btStep,btBack,btRecord,btEject]");
    EXPECT_TRUE(SetSetProp(&player, "EnabledButtons", "[btPlay,btEject]"));
    EXPECT_TRUE(player.ButtonEnabled(btEject));
    EXPECT_FALSE(player.ButtonEnabled(btStop));
    EXPECT_EQ(GetOrdProp(&player, "ColoredButtons"), 0x1FF);
    std::vector<TMPBtnType> seen;
    EXPECT_TRUE(SetMethodProp(
        &player, "OnClick", TMPBtnClickEvent([&](TObject*, TMPBtnType button) { seen.push_back(button); })));
    EXPECT_TRUE(static_cast<bool>(player.OnClick));
    EXPECT_EQ(player.ClassName(), "TMediaPlayer");
}
