// The native menu items of a window with a skinned menu bar: a bare window's items are measured
// by their text, a framework form's by its framework items, and the program's commands the
// framework does not know are left to the window; the system's items are drawn from the skin
// with their text and shortcut text apart.

#include "tests/skin/forms/SkinEngineFixture.h"
#include "tests/skin/forms/SkinMenuTestSupport.h"

#include "framework/menus/Menus.h"
#include "skin/forms/SkinMenuNative.h"
#include "skin/forms/SkinMenuPainter.h"
#include "skin/forms/SkinMenuStyle.h"
#include "skin/forms/WinSkinMenu.h"

#include <algorithm>
#include <memory>

using namespace skinmenus;

namespace {

constexpr UINT UnknownCommand = 77;
constexpr int ItemWidth = 160;
constexpr int ItemHeight = 20;

class SkinMenuNativeTest : public SkinEngineTest {
protected:
    void SetUp() override {
        SkinEngineTest::SetUp();
        data = NewSkinData();
        form = NewForm();
        mainMenu = new TMainMenu(form);
        auto* file = new TMenuItem(form);
        file->SetCaption("文件(&F)");
        open = new TMenuItem(form);
        open->SetCaption("打开(&O)");
        file->Add(open);
        mainMenu->Items()->Add(file);
        form->SetMenu(mainMenu);
        form->Show();
        Pump();
    }

    int ItemMargin() const { return std::max(data->Elements().MenuItem->LeftWidth, 0); }

    static MEASUREITEMSTRUCT Measure(UINT command) {
        MEASUREITEMSTRUCT measure{};
        measure.CtlType = ODT_MENU;
        measure.itemID = command;
        return measure;
    }

    TSkinData* data = nullptr;
    TForm* form = nullptr;
    TMainMenu* mainMenu = nullptr;
    TMenuItem* open = nullptr;
};

TEST_F(SkinMenuNativeTest, ABareWindowsItemsAreMeasuredByTheirText) {
    TWinSkinMenu bar(*data, form->Handle(), nullptr);
    MEASUREITEMSTRUCT close = Measure(SC_CLOSE);
    ASSERT_TRUE(MeasureNativeMenuItem(*data, bar, close));
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, SkinMenuFont(false));
    const SIZE caption = MenuTextExtent(dc, "关闭(&C)");
    const SIZE shortCut = MenuTextExtent(dc, "Alt+F4");
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // The painter puts the caption after the margin, the glyph box and a gap, and ends the
    // shortcut 11 pixels before the item's right edge; a blank of 8 keeps the two apart.
    const int painted = 1 + ItemMargin() + 16 + 3 + caption.cx + 8 + shortCut.cx + 11;
    EXPECT_GE(static_cast<int>(close.itemWidth), painted)
        << "read from the system menu, room for the shortcut";
    EXPECT_LE(static_cast<int>(close.itemWidth), painted + 16);
    EXPECT_EQ(close.itemHeight, static_cast<UINT>(caption.cy + 4));

    MEASUREITEMSTRUCT unknown = Measure(UnknownCommand);
    ASSERT_TRUE(MeasureNativeMenuItem(*data, bar, unknown)) << "a bare window has no framework to ask";
    EXPECT_EQ(unknown.itemHeight, 8u) << "an item without text";
    EXPECT_EQ(unknown.itemWidth, static_cast<UINT>(26 + ItemMargin()));
}

TEST_F(SkinMenuNativeTest, AFormsItemsAreItsFrameworkItemsAndItsUnknownCommandsAreLeftToIt) {
    TWinSkinMenu bar(*data, form->Handle(), mainMenu);
    MEASUREITEMSTRUCT known = Measure(open->Command());
    ASSERT_TRUE(MeasureNativeMenuItem(*data, bar, known));
    EXPECT_GT(known.itemWidth, static_cast<UINT>(26 + ItemMargin())) << "the caption measured and widened";
    EXPECT_GT(known.itemHeight, 8u);

    MEASUREITEMSTRUCT unknown = Measure(UnknownCommand);
    EXPECT_FALSE(MeasureNativeMenuItem(*data, bar, unknown));
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = UnknownCommand;
    TBitmap target;
    target.SetPixelFormat(pfDevice);
    target.SetSize(ItemWidth, ItemHeight);
    draw.hDC = target.Canvas()->Handle();
    EXPECT_FALSE(DrawNativeMenuItem(*data, bar, draw));

    MEASUREITEMSTRUCT close = Measure(SC_CLOSE);
    EXPECT_TRUE(MeasureNativeMenuItem(*data, bar, close)) << "the system's commands are the skin's";
}

TEST_F(SkinMenuNativeTest, ASystemItemIsDrawnInTheSkinsSelectedFrameWithItsShortcutAtTheRight) {
    TWinSkinMenu bar(*data, form->Handle(), mainMenu);
    TBitmap target;
    target.SetPixelFormat(pfDevice);
    target.SetSize(ItemWidth, ItemHeight);
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = SC_CLOSE;
    draw.itemState = ODS_SELECTED;
    draw.hwndItem = reinterpret_cast<HWND>(GetSystemMenu(form->Handle(), FALSE));
    draw.hDC = target.Canvas()->Handle();
    draw.rcItem = {0, 0, ItemWidth, ItemHeight};
    ASSERT_TRUE(DrawNativeMenuItem(*data, bar, draw));

    TBitmap& items = *data->Elements().MenuItem->Image;
    const int frameWidth = items.Width() / 5;
    EXPECT_EQ(ImagePixel(target, ItemWidth / 2, 1), ImagePixel(items, 3 * frameWidth + frameWidth / 2, 1))
        << "frame 4 when selected";
    const COLORREF textColour = SkinMenuColours(*data).selectedText;
    auto textPixels = [&](int left, int right) {
        int count = 0;
        for (int y = 0; y < ItemHeight; ++y)
            for (int x = left; x < right; ++x)
                count += ImagePixel(target, x, y) == textColour;
        return count;
    };
    EXPECT_GT(textPixels(ItemWidth - 18, ItemWidth - 11), 3) << "\"Alt+F4\" ends at the right margin";
    EXPECT_EQ(textPixels(ItemWidth - 11, ItemWidth), 0);
}

} // namespace
