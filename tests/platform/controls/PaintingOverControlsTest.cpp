// What a window procedure that subclasses a standard control and paints over it relies on: the
// border shows in the client rectangle, WM_PRINT draws the frame into the given DC, drawing done
// on the window DC after the control's own WM_PAINT or WM_NCPAINT stays, a combo box names its
// parts in each style, and a child window inside an edit is painted again after the edit.

#include "ControlTestSupport.h"

#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/controls/edit/Edit.h"
#include "platform/gdi/WinGdi.h"
#include "platform/gdi/WinUserDraw.h"

#include <algorithm>
#include <cctype>
#include <string>

using namespace testing_support;
using platform::headless::ReadPixel;
using platform::headless::RunUntilIdle;

namespace {

constexpr COLORREF Marker = RGB(255, 0, 0);

WNDPROC g_previousProcedure = nullptr;
std::vector<UINT> g_paintedAfter;

// Lets the control paint, then outlines its window rectangle in the marker colour, as a skin
// object's frame painter does.
LRESULT CALLBACK OutlineAfterPainting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallWindowProcW(g_previousProcedure, window, message, wParam, lParam);
    if (message == WM_PAINT || message == WM_NCPAINT) {
        g_paintedAfter.push_back(message);
        HDC dc = GetWindowDC(window);
        RECT bounds{};
        GetWindowRect(window, &bounds);
        OffsetRect(&bounds, -bounds.left, -bounds.top);
        HBRUSH marker = CreateSolidBrush(Marker);
        FrameRect(dc, &bounds, marker);
        DeleteObject(marker);
        ReleaseDC(window, dc);
    }
    return result;
}

class PaintingOverControlsTest : public ControlTest {
protected:
    void TearDown() override {
        g_previousProcedure = nullptr;
        g_paintedAfter.clear();
        ControlTest::TearDown();
    }

    HWND CreateEdit(DWORD exStyle, DWORD style = 0) {
        HWND edit = CreateWindowExA(exStyle, "EDIT", "text", WS_CHILD | WS_VISIBLE | style, 10, 10, 120, 24,
                                    m_parent, reinterpret_cast<HMENU>(5), nullptr, nullptr);
        RunUntilIdle();
        return edit;
    }

    static SIZE ClientShortfall(HWND window) {
        RECT client{};
        RECT outer{};
        GetClientRect(window, &client);
        GetWindowRect(window, &outer);
        return {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
    }

    static COMBOBOXINFO InfoOf(HWND combo) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        EXPECT_TRUE(GetComboBoxInfo(combo, &info));
        return info;
    }

    static std::string LowerClassName(HWND window) {
        char name[64] = {};
        GetClassNameA(window, name, sizeof name);
        std::string text = name;
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    }
};

TEST_F(PaintingOverControlsTest, Edit_ABorderShowsAsAClientAreaSmallerBothWays) {
    EXPECT_EQ(ClientShortfall(CreateEdit(WS_EX_CLIENTEDGE)).cx, 4);
    EXPECT_EQ(ClientShortfall(CreateEdit(WS_EX_CLIENTEDGE)).cy, 4);
    EXPECT_EQ(ClientShortfall(CreateEdit(0, WS_BORDER)).cx, 2);
    EXPECT_EQ(ClientShortfall(CreateEdit(0, WS_BORDER)).cy, 2);
    SIZE none = ClientShortfall(CreateEdit(0));
    EXPECT_EQ(none.cx, 0) << "a borderless edit has nothing to frame";
    EXPECT_EQ(none.cy, 0);
}

TEST_F(PaintingOverControlsTest, Edit_PrintDrawsTheFrameAndTheTextIntoTheGivenDC) {
    HWND edit = CreateEdit(WS_EX_CLIENTEDGE);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, 120, 24);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, picture);
    RECT all{0, 0, 120, 24};
    HBRUSH marker = CreateSolidBrush(Marker);
    FillRect(memory, &all, marker);
    DeleteObject(marker);

    SendMessageA(edit, WM_PRINT, reinterpret_cast<WPARAM>(memory),
                 PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    EXPECT_EQ(GetPixel(memory, 0, 0), GetSysColor(COLOR_3DSHADOW)) << "the sunken edge at the corner";
    EXPECT_EQ(GetPixel(memory, 119, 23), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(GetPixel(memory, 60, 20), GetSysColor(COLOR_WINDOW)) << "the client below the text";
    int dark = 0;
    for (int x = 2; x < 40; ++x)
        for (int y = 2; y < 22; ++y)
            dark += GetPixel(memory, x, y) == GetSysColor(COLOR_WINDOWTEXT) ? 1 : 0;
    EXPECT_GT(dark, 10) << "the text, at the client's place";

    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
}

TEST_F(PaintingOverControlsTest, Edit_WhatASubclassDrawsAfterPaintingStays) {
    HWND edit = CreateEdit(WS_EX_CLIENTEDGE);
    g_previousProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&OutlineAfterPainting)));
    RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_FALSE(g_paintedAfter.empty());
    EXPECT_EQ(g_paintedAfter.front(), static_cast<UINT>(WM_NCPAINT)) << "the frame before the client";
    EXPECT_EQ(ReadPixel(edit, 0, 0), Marker);
    EXPECT_EQ(ReadPixel(edit, 119, 12), Marker);

    SetFocus(edit);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("more"));
    RunUntilIdle();
    EXPECT_EQ(ReadPixel(edit, 0, 0), Marker) << "typing repaints the text, not the frame";
    EXPECT_EQ(ReadPixel(edit, 60, 23), Marker);
    SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_previousProcedure));
}

TEST_F(PaintingOverControlsTest, ComboBox_NamesItsPartsInEachStyle) {
    HWND list = CreateControl("COMBOBOX", "", CBS_DROPDOWNLIST, 10, 10, 150, 120, 1);
    COMBOBOXINFO info = InfoOf(list);
    EXPECT_EQ(info.hwndItem, list) << "no inner edit: the item is the combo box itself";
    EXPECT_EQ(GetWindow(list, GW_CHILD), nullptr);
    EXPECT_TRUE(GetWindowLongA(info.hwndList, GWL_STYLE) & WS_POPUP) << "the list drops down over others";
    EXPECT_EQ(info.stateButton, 0u);
    RECT outer{};
    GetWindowRect(list, &outer);
    int width = outer.right - outer.left;
    EXPECT_EQ(info.rcButton.right, width - 2) << "inside the sunken edge, at the right";
    EXPECT_EQ(info.rcButton.right - info.rcButton.left, GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_LE(info.rcItem.right, info.rcButton.left);

    HWND editable = CreateControl("COMBOBOX", "", CBS_DROPDOWN, 10, 40, 150, 120, 2);
    info = InfoOf(editable);
    ASSERT_NE(info.hwndItem, editable);
    EXPECT_EQ(GetWindow(editable, GW_CHILD), info.hwndItem) << "the inner edit is the first child";
    EXPECT_EQ(LowerClassName(info.hwndItem), "edit");

    HWND simple = CreateControl("COMBOBOX", "", CBS_SIMPLE, 10, 70, 150, 120, 3);
    info = InfoOf(simple);
    EXPECT_EQ(info.stateButton, static_cast<DWORD>(STATE_SYSTEM_INVISIBLE));
    EXPECT_EQ(GetParent(info.hwndItem), simple);
    LONG listStyle = GetWindowLongA(info.hwndList, GWL_STYLE);
    EXPECT_TRUE(listStyle & WS_CHILD);
    EXPECT_FALSE(listStyle & WS_POPUP);
    EXPECT_EQ(GetParent(info.hwndList), simple);
}

TEST_F(PaintingOverControlsTest, ComboBox_TellsItsParentWhenTheListOpensAndCloses) {
    HWND combo = CreateControl("COMBOBOX", "", CBS_DROPDOWNLIST, 10, 10, 150, 120, 4);
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    ClearLog();
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    std::vector<WORD> codes = Notifications(combo);
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes.front(), CBN_DROPDOWN);
    EXPECT_EQ(codes.back(), CBN_CLOSEUP);
}

TEST_F(PaintingOverControlsTest, Edit_AnUpDownInsideItIsFoundByClassAndPaintedAfterTheEdit) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
    ASSERT_TRUE(InitCommonControlsEx(&classes));
    HWND edit = CreateEdit(WS_EX_CLIENTEDGE);
    HWND spin = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 100, 0, 16, 20, edit, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(spin, nullptr);
    RunUntilIdle();
    EXPECT_EQ(GetWindow(edit, GW_CHILD), spin);
    EXPECT_EQ(LowerClassName(spin), "msctls_updown32");

    // The spin's middle column in the edit's window coordinates (inside the 2-pixel edge).
    auto spinColumn = [&] {
        std::vector<COLORREF> column;
        for (int y = 2; y < 22; ++y)
            column.push_back(ReadPixel(edit, 110, y));
        return column;
    };
    std::vector<COLORREF> painted = spinColumn();
    EXPECT_EQ(painted[2], GetSysColor(COLOR_3DFACE)) << "the up button's face";
    InvalidateRect(edit, nullptr, TRUE);
    RunUntilIdle();
    EXPECT_EQ(spinColumn(), painted) << "the edit's repaint brings the child's back";
}

} // namespace
