// The main window's skin component: the skin is read while the window is built, the window is
// handed to its skin when it is first activated, and every control wears the skin its class
// calls for until the window is unskinned.

#include "MainWindowFixture.h"

#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/grid/StringGrid.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Edits.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panels.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/WinSubClass.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"

namespace {

TEST_F(MainWindowTest, TheSkinIsReadWithTheWindowAndWornFromItsFirstActivation) {
    WriteDatabase();
    form.reset(new TForm1(nullptr));
    ASSERT_NE(form->SkinData1, nullptr);
    EXPECT_EQ(form->SkinData1->NoSkin(), 0) << "the stored skin is built while the window is read";
    EXPECT_EQ(SkinManager(), nullptr) << "the manager comes when the window has finished loading";
    form->AfterConstruction();
    ASSERT_NE(SkinManager(), nullptr);
    TSkinManage& manager = *SkinManager();
    EXPECT_EQ(manager.MainSkinData(), form->SkinData1);
    EXPECT_TRUE(form->SkinData1->Active());
    EXPECT_EQ(manager.PendingAction(), saSkin);
    EXPECT_EQ(manager.Active(), 1);
    EXPECT_EQ(manager.SkinnedWindowCount(), 0);

    form->Show();
    TWinSkinForm* skin = manager.FindSkinnedWindow(form->Handle());
    ASSERT_NE(skin, nullptr) << "the first activation hands the window to its skin";
    EXPECT_EQ(skin->Form(), form.get());
    EXPECT_EQ(skin->SkinData(), form->SkinData1);
    EXPECT_EQ(manager.RunState(), rsStarted);
    Pump();
    EXPECT_TRUE(skin->Started());

    platform::headless::RunFor(250);
    EXPECT_EQ(manager.SkinnedWindowCount(), 1) << "one skin for the window, whatever the timer does";
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, EveryControlOfTheWindowWearsTheSkinItsClassCallsFor) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    TWinSkinForm* skin = SkinManager()->FindSkinnedWindow(window->Handle());
    ASSERT_NE(skin, nullptr);
    ASSERT_TRUE(skin->Started());
    auto skinOf = [skin](const TControl* control) {
        const TSkinControl* controlSkin = skin->FindSkinControl(control);
        return controlSkin ? controlSkin->ClassName() : std::string("(none)");
    };
    EXPECT_EQ(skinOf(window->StringGrid1), "TSkinScrollbar");
    EXPECT_EQ(skinOf(window->Memo1), "TSkinScrollbar");
    for (TControl* button :
         {window->Button_Refresh, window->Button1, window->Button2, window->Button3, window->Button_IPVer,
          window->Button_TCPUDP, window->Button_TCP, window->Button_UDP, window->Button_Remotetcp})
        EXPECT_EQ(skinOf(button), "TSkinButton") << button->Name();
    for (TControl* radio :
         {window->Radio_TcpUDP, window->Radio_Tcp, window->Radio_UDP, window->Radio_Remotetcp})
        EXPECT_EQ(skinOf(radio), "TSkinRadioButton") << radio->Name();
    const TColor background = SkinBackgroundColour(window->SkinData1->Elements());
    for (TPanel* panel : {window->Panel1, window->Panel2}) {
        EXPECT_EQ(skinOf(panel), "TSkinBox") << panel->Name();
        EXPECT_EQ(ColorToRGB(panel->Color()), ColorToRGB(background))
            << panel->Name() << " takes the skin's colour";
    }
    EXPECT_EQ(skinOf(window->PageControl1), "TSkinTab");
    EXPECT_EQ(skinOf(window->TabSheet1), "TSkinTabSheet");
    EXPECT_EQ(skinOf(window->TabSheet2), "TSkinTabSheet");
    EXPECT_EQ(skinOf(window->StatusBar1), "TSkinStatusBar");
    EXPECT_EQ(skinOf(window->Edit_Ver), "TSkinEdit");
    EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindowTest, UnskinnedTheWindowsControlsAreTheirOwnAgain) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    const TColor panelColour = ColorToRGB(window->Panel1->Color());
    window->SkinData1->SetActive(false);
    platform::headless::RunFor(250);
    Pump();
    ASSERT_EQ(SkinManager()->SkinnedWindowCount(), 0);
    for (TWinControl* control :
         {static_cast<TWinControl*>(window->StringGrid1), static_cast<TWinControl*>(window->Button_Refresh),
          static_cast<TWinControl*>(window->PageControl1)})
        EXPECT_NE(SendMessageA(control->Handle(), SM_SKINNEDQUERY, 0, 0), SkinnedAnswer) << control->Name();
    EXPECT_NE(ColorToRGB(window->Panel1->Color()), panelColour) << "the panel's own colour is back";
}

} // namespace
