// The main window's skin component: the skin is read while the window is built, and the window
// is handed to its skin when it is first activated.

#include "MainWindowFixture.h"

#include "framework/comctrls/StatusBar.h"
#include "framework/grid/StringGrid.h"
#include "framework/stdctrls/Buttons.h"

#include "skin/forms/SkinManage.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"

#include <vector>

namespace {

// A control's pixels, row by row, as its top-level window shows them.
std::vector<COLORREF> ControlPixels(TWinControl* control) {
    HWND top = GetAncestor(control->Handle(), GA_ROOT);
    RECT window{};
    RECT rect{};
    GetWindowRect(top, &window);
    GetWindowRect(control->Handle(), &rect);
    std::vector<COLORREF> pixels;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x)
            pixels.push_back(platform::headless::ReadPixel(top, x - window.left, y - window.top));
    }
    return pixels;
}

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

TEST_F(MainWindowTest, TheControlsLookTheSameInTheSkinnedFrame) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    ASSERT_NE(SkinManager()->FindSkinnedWindow(window->Handle()), nullptr);
    // The form takes the skin's colour (the panels that take their parent's show it); the
    // controls keep their own look until their skins come.
    std::vector<TWinControl*> controls = {window->StringGrid1, window->Button_Refresh, window->Radio_Tcp,
                                          window->StatusBar1};
    std::vector<std::vector<COLORREF>> skinned;
    for (TWinControl* control : controls)
        skinned.push_back(ControlPixels(control));
    window->SkinData1->SetActive(false);
    platform::headless::RunFor(250);
    Pump();
    ASSERT_EQ(SkinManager()->SkinnedWindowCount(), 0);
    for (std::size_t i = 0; i < controls.size(); ++i)
        EXPECT_EQ(ControlPixels(controls[i]), skinned[i]) << controls[i]->Name();
}

} // namespace
