// A skinned form with a menu bar on a private Xvfb server, with real input: a click on the
// caption icon opens the skinned system menu, whose close item closes the window; a click opens
// a drop-down of the bar, the pointer and the arrows switch between them and Escape closes; Alt
// with a mnemonic opens one, and Enter chooses its item. The steps inside the menu's loop run
// from a timer. Skips when Xvfb is missing.

#include "tests/platform/display/X11Session.h"
#include "tests/skin/forms/SkinEngineFixture.h"

#include "framework/menus/Menus.h"
#include "skin/forms/SkinFrameMenuBar.h"
#include "skin/forms/SkinMenuNavigation.h"
#include "skin/forms/WinSkinCaption.h"
#include "skin/forms/WinSkinForm.h"
#include "skin/forms/WinSkinMenu.h"
#include "skin/forms/WinSysButton.h"

#include <X11/keysym.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

HWND OpenMenuWindow();

// Runs the steps in turn; a step, or a menu left open after the last one, that waits too long
// ends the menu, so that a test fails rather than hangs.
void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_steps.empty() && g_steps.front()()) {
        g_steps.pop_front();
        g_waited = 0;
    } else if (g_steps.empty() && !OpenMenuWindow()) {
        g_waited = 0;
    } else if (++g_waited > PatienceTicks) {
        g_steps.clear();
        g_waited = 0;
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

    // The centre of a menu-bar button on the screen.
    POINT BarButton(int index) const { return OnScreen(skin->MenuBar()->Bar().Button(index).rect); }

    void ClickAt(POINT point) {
        m_client->MovePointer(point.x, point.y);
        m_client->Button(1, true);
        m_client->Button(1, false);
    }

    void Press(unsigned long keysym) {
        m_client->Key(keysym, true);
        m_client->Key(keysym, false);
    }

    // The form and what drops below it, as the screen shows it, into the build folder.
    void SavePicture(const std::string& name) {
        RECT window{};
        GetWindowRect(form->Handle(), &window);
        m_client->SaveScreenPng(std::string(QUILLMERE_BIN_DIR) + "/../" + name, window.left, window.top,
                                window.right - window.left, window.bottom - window.top);
    }

    // A step that waits for the drop-down of the button to be open, then does what it is given.
    Step WhenOpen(int button, std::function<void()> then) {
        return [this, button, then] {
            if (!OpenMenuWindow() || CurrentMenuBarButton() != button)
                return false;
            then();
            return true;
        };
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
        SavePicture("skinned-menu-system-x11.png");
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

TEST_F(SkinnedMenuXvfbTest, TheMenuBarSwitchesDropDownsByPointerAndArrowAndClosesOnEscape) {
    ShowForm();
    std::vector<int> opened;
    g_steps = {WhenOpen(0,
                        [&] {
                            opened.push_back(0);
                            const POINT second = BarButton(1);
                            m_client->MovePointer(second.x, second.y);
                        }),
               // The last button's drop-down: the right arrow wraps round to the first.
               WhenOpen(1,
                        [&] {
                            opened.push_back(1);
                            SavePicture("skinned-menu-bar-x11.png");
                            Press(XK_Right);
                        }),
               WhenOpen(0, [&] { opened.push_back(0), Press(XK_Escape); })};
    SetTimer(form->Handle(), StepTimer, StepInterval, RunStep);
    ClickAt(BarButton(0));
    EXPECT_TRUE(m_session->RunUntil(
        [&] { return g_gaveUp || (g_steps.empty() && !OpenMenuWindow() && CurrentMenuBarButton() < 0); },
        12000));
    EXPECT_FALSE(g_gaveUp);
    EXPECT_EQ(opened, (std::vector<int>{0, 1, 0})) << "click, pointer onto the second button, right arrow";
    EXPECT_FALSE(skin->MenuTracking()) << "Escape closed the menu";
}

TEST_F(SkinnedMenuXvfbTest, AltAndAMnemonicOpenADropDownWhoseItemEnterChooses) {
    ShowForm();
    bool refreshed = false;
    refresh->OnClick = [&](TObject*) { refreshed = true; };
    // The pointer rests in the client area, where the view menu does not drop.
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    const POINT resting{window.right - 20, window.bottom - 20};
    m_client->MovePointer(resting.x, resting.y);
    ASSERT_TRUE(m_session->RunUntil([&] {
        POINT at{};
        GetCursorPos(&at);
        return at.x == resting.x && at.y == resting.y;
    }));
    bool opened = false;
    g_steps = {WhenOpen(1, [&] { opened = true, Press(XK_Return); })};
    SetTimer(form->Handle(), StepTimer, StepInterval, RunStep);
    m_client->Key(XK_Alt_L, true);
    Press(XK_v);
    m_client->Key(XK_Alt_L, false);
    EXPECT_TRUE(m_session->RunUntil([&] { return refreshed || g_gaveUp; }, 12000));
    EXPECT_TRUE(opened) << "Alt+V opened the view menu";
    EXPECT_TRUE(refreshed) << "Enter chose its first item";
    EXPECT_FALSE(g_gaveUp);
}

} // namespace
