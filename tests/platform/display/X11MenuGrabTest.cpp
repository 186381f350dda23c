// An open menu on the X11 display holds the pointer: a click on the desktop, where none of our
// windows is, closes it, and the pointer is free again afterwards. Skips when Xvfb is missing.

#include "X11Session.h"

#include "platform/display/Display.h"
#include "platform/display/x11/X11Display.h"
#include "platform/user/WindowTestSupport.h"

#include <functional>
#include <memory>
#include <string>

using namespace testing_support;

namespace {

constexpr UINT_PTR ClickTimer = 1;
constexpr UINT_PTR GiveUpTimer = 2;

class X11MenuGrabTest : public OnX11Session<WindowTest> {};

// What the timers inside the menu's loop see and do.
XTestClient* g_client = nullptr;
bool g_menuShown = false;
bool g_heldWhileOpen = false;
bool g_gaveUp = false;

void CALLBACK ClickOnTheDesktop(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    HWND menuWindow = FindWindowA(POPUPMENU_CLASS_NAME, nullptr);
    g_menuShown = menuWindow && IsWindowVisible(menuWindow);
    g_heldWhileOpen = g_client->PointerHeldByAnother();
    g_client->MovePointer(700, 550);
    g_client->Button(1, true);
    g_client->Button(1, false);
}

void CALLBACK GiveUp(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    g_gaveUp = EndMenu();
}

TEST_F(X11MenuGrabTest, AClickOnTheDesktopClosesTheMenuAndFreesThePointer) {
    HWND owner = CreateTopLevel(100, 100, 300, 200);
    ASSERT_TRUE(RunUntil([&] { return m_client->IsShown(m_display->NativeWindow(owner)); }));
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "第一");
    AppendMenuA(menu, MF_STRING, 2, "第二");
    g_client = m_client;
    g_menuShown = g_heldWhileOpen = g_gaveUp = false;
    SetTimer(owner, ClickTimer, 200, ClickOnTheDesktop);
    SetTimer(owner, GiveUpTimer, 4000, GiveUp);
    const BOOL command = TrackPopupMenu(menu, TPM_RETURNCMD, 150, 150, 0, owner, nullptr);
    KillTimer(owner, GiveUpTimer);
    DestroyMenu(menu);
    EXPECT_TRUE(g_menuShown);
    EXPECT_TRUE(g_heldWhileOpen) << "the open menu holds the pointer";
    EXPECT_FALSE(g_gaveUp) << "the click on the desktop closed the menu";
    EXPECT_EQ(command, 0);
    EXPECT_FALSE(m_client->PointerHeldByAnother()) << "the closed menu lets the pointer go";
    g_client = nullptr;
}

} // namespace
