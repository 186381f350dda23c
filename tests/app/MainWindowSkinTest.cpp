// The main window's skin component: the skin is read while the window is built, and the window
// is handed to its skin when it is first activated.

#include "MainWindowFixture.h"

#include "skin/forms/SkinManage.h"
#include "skin/forms/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"

#include <vector>

namespace {

std::vector<COLORREF> WindowPixels(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < rect.bottom - rect.top; ++y) {
        for (int x = 0; x < rect.right - rect.left; ++x)
            pixels.push_back(platform::headless::ReadPixel(window, x, y));
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

TEST_F(MainWindowTest, TheSkinnedWindowLooksAsItDidUnskinned) {
    WriteDatabase();
    TForm1* window = OpenWindow();
    ASSERT_NE(SkinManager()->FindSkinnedWindow(window->Handle()), nullptr);
    const std::vector<COLORREF> skinned = WindowPixels(window->Handle());
    window->SkinData1->SetActive(false);
    platform::headless::RunFor(250);
    Pump();
    ASSERT_EQ(SkinManager()->SkinnedWindowCount(), 0);
    EXPECT_EQ(WindowPixels(window->Handle()), skinned);
}

} // namespace
