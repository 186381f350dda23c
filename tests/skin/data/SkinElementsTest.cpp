// Building the skin elements from a description: defaults, image names, colours, the caption
// and MDI buttons, the fixed and computed frame counts.

#include "SkinElementFixture.h"

#include <gtest/gtest.h>

namespace {

using skintest::Entry;
using skintest::SolidBmp;
using skintest::TBuiltSkin;

TSkinEntry Image(std::string name, skintest::Bytes bytes) {
    return {std::move(name), std::move(bytes)};
}

TEST(SkinElements, AnEmptyDescriptionGivesTheDefaults) {
    TBuiltSkin skin("[Other]\r\nkey=1\r\n", {});
    const TSkinElements& e = skin.elements;
    for (const TDataSkinBorder* border :
         {e.BorderLeft.get(), e.BorderRight.get(), e.BorderTop.get(), e.BorderBottom.get()}) {
        EXPECT_TRUE(border->Image->Empty());
        EXPECT_EQ(border->FrameCount, 1);
        EXPECT_EQ(border->Tile, 1);
        EXPECT_EQ(border->Trans, 1);
    }
    EXPECT_EQ(e.Title->FontHeight, 14);
    EXPECT_EQ(e.Title->FrameCount, 2);
    EXPECT_EQ(e.Title->ActiveText, clNone);
    EXPECT_EQ(e.Buttons->FrameCount, 5);
    EXPECT_EQ(e.Buttons->NormalColour, -1);
    EXPECT_EQ(e.Buttons->NormalColour2, SystemColor(18)) << "the button text colour";
    EXPECT_EQ(e.Buttons->RadioButtonFrame, 4);
    const TDataSkinObject* absent[] = {e.Progress.get(),    e.ProgressChunk.get(), e.MenuBar.get(),
                                       e.GroupBox.get(),    e.Tabs.get(),          e.Scrollbar.get(),
                                       e.ComboButton.get(), e.SunkEdge.get(),      e.UpDownVert.get()};
    for (const TDataSkinObject* none : absent)
        EXPECT_EQ(none, nullptr);
    ASSERT_NE(e.ComboArrow, nullptr);
    EXPECT_TRUE(e.ComboArrow->Image->Empty());
    EXPECT_EQ(e.Toolbar->Image->Width(), 10);
    EXPECT_EQ(e.Toolbar->Image->Height(), 40);
    EXPECT_EQ(e.Colours[3], SystemColor(15));
    EXPECT_EQ(e.Colours[13], SystemColor(15)) << "the menu bar takes the button face";
    EXPECT_FALSE(e.ColourGiven[3]);
    EXPECT_EQ(e.CustomColours[9], clWhite);
    EXPECT_EQ(e.FrameColour, SystemColor(15));
    EXPECT_TRUE(e.SkinName.empty());
    ASSERT_EQ(e.SysButtons.size(), 3u) << "the MDI buttons are always there";
    EXPECT_EQ(e.SysButtons[0]->Action, 7);
    EXPECT_EQ(e.SysButtons[2]->FrameCount, 4);
    EXPECT_EQ(e.SysButtons[1]->Visibility1, 100);
}

TEST(SkinElements, ASkinWithoutTracksGetsTheBuiltInOnes) {
    TBuiltSkin skin("[Personality]\r\n", {});
    const TDataSkinObject& track = *skin.elements.Track;
    EXPECT_EQ(track.Image->Width(), 16);
    EXPECT_EQ(track.Image->Height(), 4);
    EXPECT_EQ(track.LeftWidth, 3);
    EXPECT_EQ(track.BottomHeight, 3);
    EXPECT_EQ(track.FrameCount, 1);
    EXPECT_EQ(skin.elements.TrackVert->Image->Width(), 4);
    EXPECT_EQ(skin.elements.TrackVert->Image->Height(), 16);
}

TEST(SkinElements, ImageValuesNameEntriesByTheirFileNameAndOnlyLowerCaseBmp) {
    TBuiltSkin skin("[Scrollbar]\r\nImage=skin\\Scroll.bmp\r\n[HorzScroll]\r\nImage=Scroll.BMP\r\n"
                    "[VertScroll]\r\nImage=c:scroll.bmp\r\n[Headerbar]\r\nImage=missing.bmp\r\n"
                    "[MenuItem]\r\nImage=scroll\r\n",
                    {Image("scroll.bmp", SolidBmp(23, 4))});
    const TSkinElements& e = skin.elements;
    EXPECT_EQ(e.Scrollbar->Image->Width(), 23);
    EXPECT_EQ(e.Scrollbar->Name, "Scrollbar");
    EXPECT_TRUE(e.HorzScroll->Image->Empty()) << "the extension compares with case";
    EXPECT_EQ(e.VertScroll->Image->Width(), 23) << "the drive part goes";
    EXPECT_TRUE(e.Headerbar->Image->Empty());
    EXPECT_TRUE(e.MenuItem->Image->Empty());
}

TEST(SkinElements, ADamagedBitmapLeavesTheElementWithoutItsImage) {
    skintest::Bytes damaged = SolidBmp(8, 8);
    damaged.resize(30);
    TBuiltSkin skin("[Scrollbar]\r\nImage=bad.bmp\r\n", {Image("bad.bmp", damaged)});
    ASSERT_NE(skin.elements.Scrollbar, nullptr);
    EXPECT_TRUE(skin.elements.Scrollbar->Image->Empty());
}

TEST(SkinElements, GenericKeysAndTheirLimits) {
    TBuiltSkin skin("[Tab.Pane]\r\nImage=a.bmp\r\nLeftWidth=10\r\nTopHeight=3\r\nRightWidth=5\r\nTile=2\r\n"
                    "Frame=7\r\nNormalColour=0x0000FF\r\nPressedColour2=1,2,3\r\n"
                    "[Headerbar]\r\nImage=a.bmp\r\n[HorzScrollThumb]\r\nImage=a.bmp\r\nFrameCount=2\r\n"
                    "[VertScrollThumb]\r\nImage=a.bmp\r\n",
                    {Image("a.bmp", SolidBmp(4, 4))});
    const TSkinElements& e = skin.elements;
    EXPECT_EQ(e.TabPane->LeftWidth, 4);
    EXPECT_EQ(e.TabPane->TopHeight, 3);
    EXPECT_EQ(e.TabPane->RightWidth, 4);
    EXPECT_EQ(e.TabPane->Tile, 0) << "a tile value above 1 means stretch";
    EXPECT_EQ(e.TabPane->FrameCount, 1) << "the pane's frame count is fixed";
    EXPECT_EQ(e.TabPane->NormalColour, 0xFF);
    EXPECT_EQ(e.TabPane->MouseOverColour, -1);
    EXPECT_EQ(e.TabPane->PressedColour2, 0x030201);
    EXPECT_EQ(e.Headerbar->FrameCount, 5);
    EXPECT_EQ(e.HorzScrollThumb->FrameCount, 2);
    EXPECT_EQ(e.VertScrollThumb->FrameCount, 3);
}

TEST(SkinElements, BordersTitleMenuBarAndProgress) {
    TBuiltSkin skin(
        "[TitlebarSkin]\r\nSkinName=Test\r\n[Personality]\r\nTop=top.bmp\r\nTopTopHeight=6\r\n"
        "TopBotHeight=7\r\nTopFrame=2\r\nTopStretch=5\r\nTopTrans=0\r\nLeft=top.bmp\r\n"
        "LeftTopHeight=8\r\nTextShift=20\r\nTextRightClip=60\r\nActiveTextR=255\r\nActiveTextG=1\r\n"
        "ActiveTextB=2\r\nInActiveTextR=3\r\nmenuBar=top.bmp\r\nTileMenu=3\r\n"
        "[Fonts]\r\nFontHeight=12\r\n[Progress]\r\nBitmap=top.bmp\r\nStyle=1\r\nTile=4\r\n",
        {Image("top.bmp", skintest::FramesBmp(9, 10, {0x123456, 0x654321}))});
    const TSkinElements& e = skin.elements;
    EXPECT_EQ(e.BorderTop->LeftWidth, 6);
    EXPECT_EQ(e.BorderTop->RightWidth, 7);
    EXPECT_EQ(e.BorderTop->TopHeight, 0);
    EXPECT_EQ(e.BorderTop->FrameCount, 2);
    EXPECT_EQ(e.BorderTop->Tile, 1);
    EXPECT_EQ(e.BorderTop->Trans, 0);
    EXPECT_EQ(e.BorderLeft->TopHeight, 8);
    EXPECT_EQ(e.BorderLeft->LeftWidth, 0);
    EXPECT_EQ(e.Title->LeftWidth, 20);
    EXPECT_EQ(e.Title->RightWidth, 60);
    EXPECT_EQ(e.Title->FontHeight, 12);
    EXPECT_EQ(e.Title->ActiveText, 0x0201FF);
    EXPECT_EQ(e.Title->InActiveText, clNone) << "all three channels are needed";
    EXPECT_EQ(e.MenuBar->Tile, 1);
    EXPECT_EQ(e.MenuBar->LeftWidth, 1);
    EXPECT_EQ(e.MenuBar->FrameCount, 2);
    EXPECT_EQ(e.Progress->FrameCount, 1) << "a progress style other than 0 has one frame";
    EXPECT_EQ(e.Progress->Tile, 1);
    EXPECT_EQ(e.SkinName, "Test");
    EXPECT_EQ(e.FrameColour, 0x563412) << "sampled from the first frame of the caption border";
}

TEST(SkinElements, ColourTableSectionAndCustomColours) {
    TBuiltSkin skin("[Colours]\r\nButtonFace=10,20,30\r\nMenubar=\r\nHilight=255 128\r\n"
                    "[Colour.One]\r\ncolor=1,2,3\r\n[COLOURS]\r\n[colourTwo]\r\n"
                    "[Customcolors]\r\nColor0=0,0,255\r\nColor9=\r\n",
                    {});
    const TSkinElements& e = skin.elements;
    EXPECT_EQ(e.Colours[3], 0x1E140A);
    EXPECT_TRUE(e.ColourGiven[3]);
    EXPECT_EQ(e.Colours[13], 0x1E140A);
    EXPECT_FALSE(e.ColourGiven[13]);
    EXPECT_EQ(e.Colours[12], 0x0000FF);
    ASSERT_EQ(e.SectionColours.size(), 2u);
    EXPECT_EQ(e.SectionColours[0], 0x030201);
    EXPECT_EQ(e.SectionColours[1], SystemColor(8));
    EXPECT_EQ(e.CustomColours[0], 0xFF0000);
    EXPECT_EQ(e.CustomColours[9], clWhite);
    EXPECT_EQ(e.FrameColour, 0x1E140A) << "without a caption border, the button face";
}

TEST(SkinElements, CaptionButtonsAreTheButtonSectionsThatAreNotPushButtons) {
    TBuiltSkin skin("[ButtonClose]\r\nAction=0\r\nButtonImage=w60.bmp\r\n[BUTTON]\r\nAction=0\r\n"
                    "[Buttons]\r\n[ButtonX]\r\nAction=-1\r\n[ButtonY]\r\nAction=-1\r\nVisibility=0\r\n"
                    "ButtonImage=w120.bmp\r\n[Button.Radio]\r\n[Other]\r\n"
                    "[ButtonMax]\r\nAction=1\r\nVisibility=2\r\nXcoord=40\r\nYcoord=3\r\nframe=4\r\n"
                    "ButtonImage=w60.bmp\r\n[ButtonHelp]\r\nAction=4\r\nXcoord=99\r\n"
                    "[ButtonIcon]\r\nAction=3\r\nButtonImage=w60.bmp\r\n",
                    {Image("w60.bmp", SolidBmp(60, 20)), Image("w120.bmp", SolidBmp(120, 20))});
    const auto& buttons = skin.elements.SysButtons;
    ASSERT_EQ(buttons.size(), 5u + 3u);
    EXPECT_EQ(buttons[0]->Name, "BUTTONCLOSE");
    EXPECT_EQ(buttons[0]->FrameCount, 3);
    EXPECT_EQ(buttons[0]->CombineOp, -1);
    EXPECT_EQ(buttons[1]->Name, "BUTTONY");
    EXPECT_EQ(buttons[1]->FrameCount, 6) << "a negative action is always 6 frames";
    EXPECT_EQ(buttons[1]->Visibility1, -1);
    EXPECT_EQ(buttons[2]->FrameCount, 4);
    EXPECT_EQ(buttons[3]->Name, "BUTTONHELP");
    EXPECT_EQ(buttons[3]->Xcoord, 40) << "help takes the maximise button's place";
    EXPECT_EQ(buttons[3]->Ycoord, 3);
    EXPECT_EQ(buttons[3]->FrameCount, 6) << "no image: 6 frames";
    EXPECT_EQ(buttons[4]->FrameCount, 3);
    EXPECT_TRUE(buttons[4]->Image->Empty()) << "the icon button without frames draws the window's icon";
}

TEST(SkinElements, CaptionButtonsOfSixFramesAndTheMdiButtonsCutFromTwelve) {
    TBuiltSkin skin("[ButtonMin]\r\nAction=2\r\nButtonImage=w120.bmp\r\n[MDIControls]\r\nImage=mdi.bmp\r\n",
                    {Image("w120.bmp", SolidBmp(120, 20)),
                     Image("mdi.bmp", skintest::FramesBmp(32, 10, {0x0000FF, 0x00FF00, 0xFF0000}))});
    const auto& buttons = skin.elements.SysButtons;
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_EQ(buttons[0]->FrameCount, 6);
    for (int i = 0; i < 3; ++i) {
        const TDataSkinSysButton& mdi = *buttons[1 + i];
        EXPECT_EQ(mdi.Action, 7 + i);
        EXPECT_EQ(mdi.Align, 100);
        EXPECT_EQ(mdi.Image->Width(), 32);
        EXPECT_EQ(mdi.Image->Height(), 10);
        EXPECT_EQ(mdi.Xcoord, (8 + 4) * (3 - i));
        const platform::Pixel expected[] = {0x0000FF, 0x00FF00, 0xFF0000};
        EXPECT_EQ(skintest::PixelAt(*mdi.Image, 31, 9), expected[i]);
    }
}

TEST(SkinElements, BoxFrameCountsFromTheStripWhenNotGiven) {
    TBuiltSkin radio("[Buttons]\r\nRadioButton=r.bmp\r\nCheckButton=c.bmp\r\n",
                     {Image("r.bmp", SolidBmp(52, 13)), Image("c.bmp", SolidBmp(32, 16))});
    EXPECT_EQ(radio.elements.Buttons->RadioButtonFrame, 4);
    EXPECT_EQ(radio.elements.Buttons->CheckButtonFrame, 4) << "2 computed, raised to 4";
    TBuiltSkin wide("[Buttons]\r\nCheckButton=c.bmp\r\nRadioButtonFrame=3\r\nNormalColour2=1,1,1\r\n",
                    {Image("c.bmp", SolidBmp(160, 16))});
    EXPECT_EQ(wide.elements.Buttons->CheckButtonFrame, 10);
    EXPECT_EQ(wide.elements.Buttons->RadioButtonFrame, 3);
    EXPECT_EQ(wide.elements.Buttons->HasNormalColour2, 1);
    EXPECT_EQ(wide.elements.Buttons->HasPressedColour2, 0);
}

TEST(SkinElements, ElementsOfAnEarlierSkinDoNotSurviveANewOne) {
    TBuiltSkin skin("[Scrollbar]\r\nImage=a.bmp\r\n[ComboButton]\r\nImage=a.bmp\r\n",
                    {Image("a.bmp", SolidBmp(8, 8))});
    TSkinElements& e = skin.elements;
    ASSERT_NE(e.ComboArrow->Image->Width(), 0) << "the arrow from a lone combo button";
    TMemoryStream description = skintest::StreamOf(skintest::FromText("[Other]\r\n"));
    TQuickIni ini;
    ini.LoadFromStream(&description);
    e.ReadSkinElements(skin.reader, ini);
    EXPECT_EQ(e.Scrollbar, nullptr);
    EXPECT_TRUE(e.ComboArrow->Image->Empty());
}

} // namespace
