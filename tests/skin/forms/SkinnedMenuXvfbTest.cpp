// The skinned system menu of a skinned form with a menu bar on a private Xvfb server, with real
// input: a click on the caption icon opens the skinned system menu, and a click on its close
// item closes the window. The steps inside the menu's loop run from a timer. Skips when Xvfb is
// missing.

#include "tests/platform/display/X11Session.h"
#include "tests/skin/forms/SkinEngineFixture.h"

#include "framework/menus/Menus.h"
#include "skin/forms/SkinFrameMenuBar.h"
#include "skin/forms/WinSkinCaption.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSkinMenu.h"
#include "skin/forms/WinSysButton.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>

using namespace testing_support;

namespace {

constexpr UINT_PTR StepTimer = 7;
constexpr UINT StepInterval = 100;
// Steps wait this many ticks for their moment before the menu is given up.
constexpr int PatienceTicks = 40;

// A step returns false while its moment has not come.
using Step = std::function<bool()>;
std::deque<Step> g_steps;
int g_waited = 0;
bool g_gaveUp = false;

void CALLBACK RunStep(HWND window, UINT, UINT_PTR id, DWORD) {
    if (g_steps.empty()) {
        KillTimer(window, id);
        return;
    }
    if (g_steps.front()()) {
        g_steps.pop_front();
        g_waited = 0;
    } else if (++g_waited > PatienceTicks) {
        g_steps.clear();
        g_gaveUp = EndMenu() != FALSE;
    }
}

HWND OpenMenuWindow() {
    HWND window = FindWindowA(POPUPMENU_CLASS_NAME, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

class SkinnedMenuXvfbTest : public OnX11Session<SkinEngineTest> {
protected:
    void SetUp() override {
        g_steps.clear();
        g_waited = 0;
        g_gaveUp = false;
        OnX11Session<SkinEngineTest>::SetUp();
    }
    void TearDown() override {
        g_steps.clear();
        OnX11Session<SkinEngineTest>::TearDown();
    }

    TMenuItem* AddItem(TMenuItem& parent, const std::string& caption) {
        auto* item = new TMenuItem(form);
        item->SetCaption(caption);
        parent.Add(item);
        return item;
    }

    // A skinned form with a menu bar, on the screen.
    void ShowForm() {
        NewSkinData();
        form = NewForm(360, 240);
        auto* menu = new TMainMenu(form);
        file = AddItem(*menu->Items(), "文件(&F)");
        AddItem(*file, "打开(&O)");
        AddItem(*file, "退出(&X)");
        TMenuItem* view = AddItem(*menu->Items(), "查看(&V)");
        refresh = AddItem(*view, "刷新(&R)");
        form->SetMenu(menu);
        form->Show();
        ASSERT_TRUE(
            m_session->RunUntil([&] { return m_client->IsShown(m_display->NativeWindow(form->Handle())); }));
        // The keys go to the window with the X focus.
        m_client->Focus(m_display->NativeWindow(form->Handle()));
        m_session->Settle();
        skin = Manager().FindSkinnedWindow(form->Handle());
        ASSERT_NE(skin, nullptr);
        ASSERT_NE(skin->MenuBar(), nullptr);
    }

    // A window point of the form on the screen.
    POINT OnScreen(const RECT& windowRect) const {
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        return {window.left + (windowRect.left + windowRect.right) / 2,
                window.top + (windowRect.top + windowRect.bottom) / 2};
    }

    void ClickAt(POINT point) {
        m_client->MovePointer(point.x, point.y);
        m_client->Button(1, true);
        m_client->Button(1, false);
    }

    TForm* form = nullptr;
    TMenuItem* file = nullptr;
    TMenuItem* refresh = nullptr;
    TWinSkinForm* skin = nullptr;
};

TEST_F(SkinnedMenuXvfbTest, TheCaptionIconOpensTheSkinnedSystemMenuWhoseCloseItemClosesTheWindow) {
    ShowForm();
    const TWinSysButton* icon = nullptr;
    for (int i = 0; i < skin->Caption().ButtonCount(); ++i) {
        const TWinSysButton& button = skin->Caption().Button(i);
        if (button.Visible && button.IsIconButton())
            icon = &button;
    }
    ASSERT_NE(icon, nullptr) << "the skin has a caption icon";
    bool closed = false;
    form->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    int skinnedMenus = 0;
    g_steps = {[&] {
        TPopupMenu* copy = skin->Caption().SystemMenuCopy();
        if (!OpenMenuWindow() || !copy)
            return false;
        skinnedMenus = Manager().PopupSkinnerCount();
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        m_client->SaveScreenPng(std::string(QUILLMERE_BIN_DIR) + "/../skinned-menu-system-x11.png",
                                window.left, window.top, window.right - window.left,
                                window.bottom - window.top);
        for (int i = 0; i < copy->Items()->Count(); ++i) {
            if (copy->Items()->Items(i)->Tag() != SC_CLOSE)
                continue;
            RECT item{};
            GetMenuItemRect(nullptr, copy->Items()->Handle(), static_cast<UINT>(i), &item);
            ClickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
            return true;
        }
        ADD_FAILURE() << "the system menu has no close item";
        EndMenu();
        return true;
    }};
    SetTimer(form->Handle(), StepTimer, StepInterval, RunStep);
    ClickAt(OnScreen(icon->Bounds));
    EXPECT_TRUE(m_session->RunUntil([&] { return closed || g_gaveUp; }, 8000));
    EXPECT_EQ(skinnedMenus, 1) << "the system menu wears the skin";
    EXPECT_TRUE(closed) << "\"关闭\" closed the window";
    EXPECT_FALSE(g_gaveUp);
}

} // namespace
