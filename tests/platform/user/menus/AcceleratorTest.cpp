// Accelerator tables: virtual keys with their modifiers, characters, and commands of disabled
// menu items held back.

#include "../WindowTestSupport.h"

using namespace testing_support;
namespace headless = platform::headless;

namespace {

class AcceleratorTest : public WindowTest {
protected:
    // Runs the queue as a program's loop does, offering every message to the table first;
    // how many were translated.
    int TranslateQueue(HWND window, HACCEL table) {
        MSG message{};
        int translated = 0;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (TranslateAcceleratorA(window, table, &message)) {
                ++translated;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return translated;
    }
};

TEST_F(AcceleratorTest, Keys_SendTheirCommandWithTheModifiersTheyName) {
    HWND window = CreateTopLevel();
    ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'N', 101}, {FVIRTKEY, VK_F5, 102}, {0, '?', 103}};
    HACCEL table = CreateAcceleratorTableA(entries, 3);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 3);
    ACCEL copy[2];
    EXPECT_EQ(CopyAcceleratorTableA(table, copy, 2), 2);
    EXPECT_EQ(copy[1].cmd, 102);

    headless::TypeKey('N');
    EXPECT_EQ(TranslateQueue(window, table), 0) << "Ctrl is not down";
    headless::PressKey(VK_CONTROL);
    headless::TypeKey('N');
    EXPECT_EQ(TranslateQueue(window, table), 1);
    headless::ReleaseKey(VK_CONTROL);
    headless::TypeKey(VK_F5);
    EXPECT_EQ(TranslateQueue(window, table), 1);
    auto commands = Logged(window, WM_COMMAND);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(101, 1)) << "the high word marks an accelerator";
    EXPECT_EQ(commands[1].wParam, MAKEWPARAM(102, 1));

    EXPECT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_FALSE(DestroyAcceleratorTable(table));
    MSG message{window, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    EXPECT_EQ(TranslateAcceleratorA(window, table, &message), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_ACCEL_HANDLE);
}

TEST_F(AcceleratorTest, DisabledMenuItem_KeepsItsCommandBack) {
    HWND window = CreateTopLevel();
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING | MF_GRAYED, 201, "保存(&S)\tF2");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "文件(&F)");
    SetMenu(window, bar);
    ACCEL entries[] = {{FVIRTKEY, VK_F2, 201}};
    HACCEL table = CreateAcceleratorTableA(entries, 1);
    ClearLog();
    MSG message{window, WM_KEYDOWN, VK_F2, 0, 0, {0, 0}};
    EXPECT_EQ(TranslateAcceleratorA(window, table, &message), 1) << "the key is still taken";
    EXPECT_TRUE(Logged(window, WM_COMMAND).empty());
    EXPECT_EQ(Logged(window, WM_INITMENU).size(), 1u);
    EnableMenuItem(bar, 201, MF_ENABLED);
    EXPECT_EQ(TranslateAcceleratorA(window, table, &message), 1);
    EXPECT_EQ(Logged(window, WM_COMMAND).size(), 1u);
    DestroyAcceleratorTable(table);
}

} // namespace
