// The skin's menu items away from an open menu: how the two measurers widen an item, how the
// painters place the content (a right-to-left menu mirrored), and which items the switches give
// the skin's handlers to and take them from.

#include "tests/skin/forms/SkinEngineFixture.h"

#include "framework/graphics/Canvas.h"
#include "framework/menus/Menus.h"
#include "platform/gdi/WinGdi.h"
#include "skin/forms/SkinMenuHandlers.h"
#include "skin/forms/SkinMenuOwnerDraw.h"
#include "skin/forms/SkinMenuPainter.h"
#include "skin/forms/SkinMenuStyle.h"

namespace {

class SkinMenuItemTest : public SkinEngineTest {
protected:
    void SetUp() override {
        SkinEngineTest::SetUp();
        data = NewSkinData();
        form = NewForm();
    }

    static TMenuItem* AddItem(TMenuItem& parent, const std::string& caption) {
        auto* item = new TMenuItem(parent.Owner());
        item->SetCaption(caption);
        parent.Add(item);
        return item;
    }

    int ItemMargin() const { return std::max(data->Elements().MenuItem->LeftWidth, 0); }

    TSkinData* data = nullptr;
    TForm* form = nullptr;
};

// A memory DC of a given size, filled white, with the menu font.
class TestSurface {
public:
    TestSurface(int width, int height)
        : m_dc(CreateCompatibleDC(nullptr)), m_bitmap(CreateBitmap(width, height, 1, 32, nullptr)),
          m_old(SelectObject(m_dc, m_bitmap)), m_width(width), m_height(height) {
        PatBlt(m_dc, 0, 0, width, height, WHITENESS);
        SelectObject(m_dc, SkinMenuFont(false));
    }
    ~TestSurface() {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    // The leftmost and rightmost columns holding a pixel of the colour.
    std::pair<int, int> ColumnsOf(COLORREF colour) const {
        int first = -1, last = -1;
        for (int x = 0; x < m_width; ++x) {
            for (int y = 0; y < m_height; ++y) {
                if (GetPixel(m_dc, x, y) == colour) {
                    if (first < 0)
                        first = x;
                    last = x;
                    break;
                }
            }
        }
        return {first, last};
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    int m_width;
    int m_height;
};

TEST_F(SkinMenuItemTest, AnEmptyOrAmpersandCaptionMeasuresAsOneBlank) {
    TestSurface surface(50, 20);
    const SIZE blank = MenuTextExtent(surface.Dc(), " ");
    EXPECT_GT(blank.cx, 0);
    EXPECT_EQ(MenuTextExtent(surface.Dc(), "").cx, blank.cx);
    EXPECT_EQ(MenuTextExtent(surface.Dc(), "&").cx, blank.cx);
    EXPECT_EQ(MenuTextExtent(surface.Dc(), "&").cy, blank.cy);
    EXPECT_GT(MenuTextExtent(surface.Dc(), "&&").cx, 0) << "a doubled ampersand is a character";
}

TEST_F(SkinMenuItemTest, TheMeasurersWidenForTheMarginAndForTheGlyphColumnWithoutImages) {
    auto* popup = new TPopupMenu(form);
    TMenuItem* item = AddItem(*popup->Items(), "项目");
    int width = 100;
    WidenForPopup(*data, *item, width);
    EXPECT_EQ(width, 100 + ItemMargin() + 12 + 23);
    width = 100;
    WidenForMainMenu(*data, *item, width);
    EXPECT_EQ(width, 100 + ItemMargin() + 10 + 25);

    auto* images = new TImageList(form);
    popup->SetImages(images);
    width = 100;
    WidenForPopup(*data, *item, width);
    EXPECT_EQ(width, 100 + ItemMargin() + 12) << "a menu with pictures has its glyph column already";
    width = 100;
    WidenForMainMenu(*data, *item, width);
    EXPECT_EQ(width, 100 + ItemMargin() + 10);
}

TEST_F(SkinMenuItemTest, TheMainMenuMeasurerStartsFromTheFrameworksOwnMeasure) {
    auto* bar = new TMainMenu(form);
    TMenuItem* file = AddItem(*bar->Items(), "文件(&F)");
    TMenuItem* item = AddItem(*file, "打开(&O)");
    bool ownRan = false;
    item->OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { ownRan = true; };
    TCanvas canvas;
    TestSurface surface(10, 10);
    canvas.SetHandle(surface.Dc());
    int plainWidth = 0, plainHeight = 0;
    TMenuMeasureItemEvent own = std::move(item->OnMeasureItem);
    item->OnMeasureItem = nullptr;
    item->MeasureItem(&canvas, plainWidth, plainHeight);
    item->OnMeasureItem = std::move(own);
    int width = 0, height = 0;
    MeasureMainMenuItem(*data, *item, canvas, width, height);
    canvas.SetHandle(nullptr);
    EXPECT_FALSE(ownRan) << "the item's own measure is left out of the call";
    EXPECT_TRUE(item->OnMeasureItem) << "and given back";
    EXPECT_EQ(height, plainHeight);
    EXPECT_EQ(width, plainWidth + ItemMargin() + 10 + 25);
}

TEST_F(SkinMenuItemTest, APlainItemIsFilledInItsColourAndARightToLeftOneHasItsMarkAtTheRight) {
    const TSkinMenuColours colours = SkinMenuColours(*data);
    TSkinMenuItem item;
    item.caption = "项目";
    item.checked = true;
    TestSurface left(200, 20);
    DrawPlainMenuItem(*data, left.Dc(), {0, 0, 200, 20}, item);
    EXPECT_EQ(GetPixel(left.Dc(), 199, 0), colours.itemBackground);
    const auto [markLeft, markRight] = left.ColumnsOf(colours.itemText);
    ASSERT_GE(markLeft, 0);
    EXPECT_LT(markLeft, 1 + ItemMargin() + 16) << "the check mark is in the glyph box at the left";

    item.rightToLeft = true;
    item.selected = true;
    TestSurface right(200, 20);
    DrawPlainMenuItem(*data, right.Dc(), {0, 0, 200, 20}, item);
    EXPECT_EQ(GetPixel(right.Dc(), 0, 0), colours.selectedBackground);
    const auto [mirroredLeft, mirroredRight] = right.ColumnsOf(colours.selectedText);
    ASSERT_GE(mirroredRight, 0);
    EXPECT_GE(mirroredRight, 200 - 1 - ItemMargin() - 16) << "mirrored: the glyph box is at the right";
}

TEST_F(SkinMenuItemTest, MainMenusGetTheHandlersBelowTheBarAndLoseOnlyTheSkinsOwn) {
    auto* bar = new TMainMenu(form);
    TMenuItem* file = AddItem(*bar->Items(), "文件(&F)");
    TMenuItem* open = AddItem(*file, "打开(&O)");
    TMenuItem* recent = AddItem(*file, "最近(&R)");
    TMenuItem* deep = AddItem(*recent, "一.txt");
    TMenuItem* drawn = AddItem(*file, "自画");
    drawn->OnDrawItem = [](TObject*, TCanvas*, const TRect&, bool) {};
    // A skin that draws no menu bar of its own has the main menus' items drawn by their skin.
    data->SetSkinControls(data->SkinControls() - TSkinControlTypes{xcMainMenu} +
                          TSkinControlTypes{xcMenuItem});
    SwitchMainMenus(*data, *form, true);
    EXPECT_TRUE(bar->OwnerDraw());
    EXPECT_FALSE(HasSkinPainter(*file)) << "the bar's own items are the bar's";
    EXPECT_TRUE(HasSkinPainter(*open));
    EXPECT_TRUE(HasSkinMeasurer(*open));
    EXPECT_TRUE(HasSkinPainter(*deep)) << "every level below the bar";
    EXPECT_FALSE(HasSkinPainter(*drawn)) << "an item that draws itself is left alone";

    SwitchMainMenus(*data, *form, false);
    EXPECT_FALSE(HasSkinPainter(*open));
    EXPECT_FALSE(HasSkinMeasurer(*deep));
    EXPECT_TRUE(drawn->OnDrawItem);
}

TEST_F(SkinMenuItemTest, WithoutItsKindTheSwitchesLeaveTheMenusAlone) {
    data->SetSkinControls(data->SkinControls() - TSkinControlTypes{xcPopupMenu, xcMenuItem});
    auto* popup = new TPopupMenu(form);
    TMenuItem* item = AddItem(*popup->Items(), "项目");
    auto* bar = new TMainMenu(form);
    TMenuItem* open = AddItem(*AddItem(*bar->Items(), "文件"), "打开");
    SwitchPopupMenus(*data, *form, true);
    SwitchMainMenus(*data, *form, true);
    EXPECT_FALSE(popup->OwnerDraw());
    EXPECT_FALSE(HasSkinPainter(*item));
    EXPECT_FALSE(HasSkinPainter(*open));
}

TEST_F(SkinMenuItemTest, AnItemTreeKeepsItsMeasurerWhenSwitchedOff) {
    auto* popup = new TPopupMenu(form);
    TMenuItem* root = AddItem(*popup->Items(), "工具");
    TMenuItem* child = AddItem(*root, "选项");
    SwitchMenuItemTree(*data, *root, true);
    EXPECT_TRUE(HasSkinPainter(*root));
    EXPECT_TRUE(HasSkinPainter(*child));
    EXPECT_TRUE(HasSkinMeasurer(*child));
    SwitchMenuItemTree(*data, *root, false);
    EXPECT_FALSE(HasSkinPainter(*child));
    EXPECT_TRUE(HasSkinMeasurer(*child));
}

TEST_F(SkinMenuItemTest, ANativeMenuBecomesOwnerDrawnThroughItsSubmenus) {
    HMENU menu = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuA(sub, MF_STRING, 3, "内层");
    AppendMenuA(menu, MF_STRING, 1, "第一");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "更多");
    MakeMenuOwnerDrawn(menu);
    auto type = [](HMENU m, UINT position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(m, position, TRUE, &info);
        return info.fType;
    };
    EXPECT_NE(type(menu, 0) & MFT_OWNERDRAW, 0u);
    EXPECT_EQ(type(menu, 1), static_cast<UINT>(MFT_SEPARATOR | MFT_OWNERDRAW)) << "the separator stays one";
    EXPECT_NE(type(sub, 0) & MFT_OWNERDRAW, 0u);
    MENUITEMINFOA text{};
    char buffer[16] = "";
    text.cbSize = sizeof text;
    text.fMask = MIIM_STRING;
    text.dwTypeData = buffer;
    text.cch = sizeof buffer;
    GetMenuItemInfoA(menu, 0, TRUE, &text);
    EXPECT_STREQ(buffer, "第一") << "the item keeps its text";
    DestroyMenu(menu);
}

} // namespace
