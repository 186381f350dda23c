// Writes pictures of the list box and combo box in their states, for a person to look at:
// build/bin/controls-lists-gallery.png (list boxes normal, focused, disabled, with multiple
// selection and both bars; drop-down list combo boxes normal, sorted, disabled, empty) and
// build/bin/controls-lists-dropdown.png (a focused combo box with its list open, the pointer
// over an item).

#include "ListControlTestSupport.h"

#include "platform/controls/combobox/ComboBox.h"
#include "platform/gdi/PngWriter.h"
#include "platform/gdi/WinUserDraw.h"

#include <filesystem>

using namespace testing_support;

namespace {

class ListGalleryTest : public ListControlTest {
protected:
    void SetUp() override {
        ListControlTest::SetUp();
        SetWindowLongA(parent, GWL_STYLE, GetWindowLongA(parent, GWL_STYLE) | WS_CLIPCHILDREN);
        // The parent wears the dialog colour, as the program's windows do.
        SetHandler([](HWND window, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (message != WM_ERASEBKGND || GetParent(window))
                return std::nullopt;
            RECT client{};
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_3DFACE));
            return 1;
        });
    }

    HWND List(DWORD style, int x, int width) {
        HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | style, x, 10,
                                    width, 110, parent, nullptr, nullptr, nullptr);
        AddStrings(list, Cities);
        return list;
    }

    HWND Combo(DWORD style, int x, int y, int width, int selection, bool filled = true) {
        HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | style, x, y, width, 200,
                                     parent, nullptr, nullptr, nullptr);
        if (filled)
            AddStrings(combo, Cities, CB_ADDSTRING);
        SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
        return combo;
    }

    static inline const std::vector<std::string> Cities = {"北京 Beijing",  "上海 Shanghai", "广州 Guangzhou",
                                                           "深圳 Shenzhen", "杭州 Hangzhou", "南京 Nanjing",
                                                           "成都 Chengdu",  "武汉 Wuhan"};

    // What the screen shows in a rectangle, as a PNG.
    static bool SaveScreen(const RECT& area, const std::string& path) {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        int width = area.right - area.left;
        int height = area.bottom - area.top;
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ old = SelectObject(memory, bitmap);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                SetPixelV(memory, x, y, platform::headless::ReadScreenPixel(area.left + x, area.top + y));
        }
        bool written = platform::WriteDcPng(memory, nullptr, path);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return written;
    }
};

TEST_F(ListGalleryTest, WritesTheGalleryOfListAndComboBoxes) {
    SetWindowPos(parent, nullptr, 20, 20, 640, 330, SWP_NOZORDER);
    SendMessageA(List(WS_VSCROLL, 10, 140), LB_SETCURSEL, 2, 0);
    HWND focused = List(WS_VSCROLL, 160, 140);
    SendMessageA(focused, LB_SETCURSEL, 1, 0);
    SendMessageA(List(WS_DISABLED, 310, 140), LB_SETCURSEL, 0, 0);
    HWND multiple = List(LBS_EXTENDEDSEL | WS_VSCROLL | WS_HSCROLL, 460, 150);
    SendMessageA(multiple, LB_SETHORIZONTALEXTENT, 300, 0);
    SendMessageA(multiple, LB_SELITEMRANGE, TRUE, MAKELPARAM(1, 3));
    SendMessageA(multiple, LB_SETSEL, TRUE, 5);
    Combo(CBS_DROPDOWNLIST, 10, 140, 140, 0);
    Combo(CBS_DROPDOWNLIST | CBS_SORT, 160, 140, 140, 3);
    Combo(CBS_DROPDOWNLIST | WS_DISABLED, 310, 140, 140, 4);
    Combo(CBS_DROPDOWNLIST, 460, 140, 150, -1, false);
    SetFocus(focused);
    platform::headless::RunUntilIdle();

    std::string folder = QUILLMERE_BIN_DIR;
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(platform::headless::SaveWindowPng(parent, folder + "/controls-lists-gallery.png"));

    HWND dropped = Combo(CBS_DROPDOWNLIST, 10, 180, 160, 2);
    SetFocus(dropped);
    SendMessageA(dropped, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(dropped, &info);
    POINT item = ItemCentre(info.hwndList, 4);
    platform::headless::MoveMouse(item.x, item.y);
    platform::headless::RunUntilIdle();
    RECT area{};
    GetWindowRect(parent, &area);
    RECT list{};
    GetWindowRect(info.hwndList, &list);
    area.bottom = std::max(area.bottom, list.bottom + 10);
    EXPECT_TRUE(SaveScreen(area, folder + "/controls-lists-dropdown.png"));
    EXPECT_TRUE(std::filesystem::file_size(folder + "/controls-lists-dropdown.png") > 1000);
    SendMessageA(dropped, CB_SHOWDROPDOWN, FALSE, 0);
}

} // namespace
