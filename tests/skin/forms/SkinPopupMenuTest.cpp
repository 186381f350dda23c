// Skinned popup menus: which menu windows get a skin, the skin's border, background, item
// frames, separator and check mark on the screen, the menu each skin learns, and the messages
// the skin passes on.

#include "tests/skin/forms/SkinEngineFixture.h"
#include "tests/skin/forms/SkinMenuTestSupport.h"

#include "framework/menus/Menus.h"
#include "skin/forms/SkinMenuOwnerDraw.h"
#include "skin/forms/SkinMenuStyle.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinPopMenu.h"

using namespace skinmenus;
namespace headless = platform::headless;

namespace {

// The row of the default skin's separator line in its item image.
constexpr int SeparatorRow = 16;

class SkinPopupMenuTest : public SkinEngineTest {
protected:
    void SetUp() override {
        SkinEngineTest::SetUp();
        data = NewSkinData();
        form = NewForm();
        popup = new TPopupMenu(form);
        first = AddItem(*popup->Items(), "第一(&A)");
        first->SetChecked(true);
        AddItem(*popup->Items(), "-");
        second = AddItem(*popup->Items(), "第二(&B)");
        more = AddItem(*popup->Items(), "更多(&M)");
        AddItem(*more, "内层(&C)");
        SwitchPopupMenus(*data, *form, true);
        form->Show();
        Pump();
    }

    static TMenuItem* AddItem(TMenuItem& parent, const std::string& caption) {
        auto* item = new TMenuItem(parent.Owner());
        item->SetCaption(caption);
        parent.Add(item);
        return item;
    }

    TSkinElements& Skin() { return data->Elements(); }

    TSkinData* data = nullptr;
    TForm* form = nullptr;
    TPopupMenu* popup = nullptr;
    TMenuItem* first = nullptr;
    TMenuItem* second = nullptr;
    TMenuItem* more = nullptr;
};

TEST_F(SkinPopupMenuTest, PopupWindowsAreSkinnedAndLearnTheirMenusCascadesIncluded) {
    int skinnersOpen = 0;
    HMENU learnedFirst = nullptr;
    HMENU learnedSecond = nullptr;
    Script({[&] {
                skinnersOpen = Manager().PopupSkinnerCount();
                HWND window = OpenMenuWindow();
                EXPECT_EQ(SendMessageA(window, SM_SKINNEDQUERY, 0, 0), SkinnedAnswer);
                ASSERT_NE(Manager().FindPopupByMenu(popup->Handle()), nullptr);
                learnedFirst = Manager().FindPopupByMenu(popup->Handle())->Menu();
                headless::TypeKey(VK_UP); // the last item, which opens the cascade
                headless::TypeKey(VK_RIGHT);
            },
            [&] {
                if (TWinSkinPopMenu* inner = Manager().FindPopupByMenu(more->Handle()))
                    learnedSecond = inner->Menu();
                EXPECT_EQ(Manager().PopupSkinnerCount(), 2);
                headless::TypeKey(VK_ESCAPE);
                headless::TypeKey(VK_ESCAPE);
            }});
    popup->Popup(200, 150);
    EXPECT_EQ(skinnersOpen, 1);
    EXPECT_EQ(learnedFirst, popup->Handle());
    EXPECT_EQ(learnedSecond, more->Handle()) << "the submenu's window learns the submenu";
    EXPECT_EQ(Manager().PopupSkinnerCount(), 0);
}

TEST_F(SkinPopupMenuTest, TheDropDownShowsTheSkinsBorderBackgroundItemFramesSeparatorAndCheckMark) {
    TBitmap& background = *Skin().MenuBackground->Image;
    TBitmap& items = *Skin().MenuItem->Image;
    const int frameWidth = items.Width() / 5;
    const int frameHeight = items.Height();
    const TSkinMenuColours colours = SkinMenuColours(*data);
    COLORREF corner = 0, border = 0, underRoundCorner = 0, selected = 0, normal = 0, separatorLine = 0;
    int checkPixels = 0;
    Script({[&] { headless::TypeKey(VK_DOWN); }, // selects the first item
            [&] {
                HWND window = OpenMenuWindow();
                corner = headless::ReadPixel(window, 0, 0);
                border = headless::ReadPixel(window, 1, 1);
                const RECT firstRect = ItemInWindow(window, popup->Handle(), 0);
                const RECT separator = ItemInWindow(window, popup->Handle(), 1);
                const RECT secondRect = ItemInWindow(window, popup->Handle(), 2);
                underRoundCorner = headless::ReadPixel(window, firstRect.left, firstRect.top);
                selected = headless::ReadPixel(window, firstRect.right - 8, firstRect.top + 1);
                normal = headless::ReadPixel(window, secondRect.right - 8, secondRect.top + 1);
                // Bottom-aligned: the separator's last row is the image's last row.
                separatorLine = headless::ReadPixel(window, (separator.left + separator.right) / 2,
                                                    separator.bottom - (frameHeight - SeparatorRow));
                const RECT glyph{firstRect.left + 1, firstRect.top, firstRect.left + 24, firstRect.bottom};
                checkPixels = CountPixels(window, glyph, colours.selectedText);
                headless::TypeKey(VK_ESCAPE);
            }});
    popup->Popup(200, 150);
    EXPECT_EQ(corner, ImagePixel(background, 0, 0)) << "the border from the menu background";
    EXPECT_EQ(border, ImagePixel(background, 1, 1));
    EXPECT_EQ(underRoundCorner, ImagePixel(background, background.Width() / 2, background.Height() / 2))
        << "the popup's background shows through the item frame's transparent corner";
    EXPECT_EQ(selected, ImagePixel(items, 3 * frameWidth + frameWidth / 2, 1)) << "frame 4 when selected";
    EXPECT_EQ(normal, ImagePixel(items, frameWidth / 2, 1)) << "frame 1 otherwise";
    EXPECT_EQ(separatorLine, ImagePixel(items, frameWidth + frameWidth / 2, SeparatorRow))
        << "frame 2's line";
    EXPECT_GT(checkPixels, 8) << "the check mark in the selected text colour";
}

TEST_F(SkinPopupMenuTest, WithoutTheSystemMenuKindTheSystemMenuKeepsItsLookWhilePopupsAreSkinned) {
    data->SetSkinControls(data->SkinControls() - TSkinControlTypes{xcSystemMenu});
    HWND window = form->Handle();
    int skinnedSystem = -1;
    Script({[&] {
        skinnedSystem = Manager().PopupSkinnerCount();
        headless::TypeKey(VK_ESCAPE);
    }});
    Manager().SetMenuMode(mmSystemMenu);
    SendMessageA(window, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    EXPECT_EQ(skinnedSystem, 0);
    int skinnedPopup = -1;
    Script({[&] {
        skinnedPopup = Manager().PopupSkinnerCount();
        headless::TypeKey(VK_ESCAPE);
    }});
    popup->Popup(200, 150);
    EXPECT_EQ(skinnedPopup, 1);
}

TEST_F(SkinPopupMenuTest, OwnerDrawingGoesOnAndOffLeavingTheProgramsOwnHandlers) {
    EXPECT_TRUE(popup->OwnerDraw());
    EXPECT_TRUE(HasSkinPainter(*first));
    EXPECT_TRUE(HasSkinMeasurer(*first));
    EXPECT_TRUE(HasSkinPainter(*more->Items(0))) << "items of every level";

    auto* own = new TPopupMenu(form);
    TMenuItem* measured = AddItem(*own->Items(), "自量");
    bool ownMeasureRan = false;
    measured->OnMeasureItem = [&](TObject*, TCanvas*, int&, int&) { ownMeasureRan = true; };
    auto* disabled = new TPopupMenu(form);
    disabled->SetTag(data->DisableTag());
    TMenuItem* left = AddItem(*disabled->Items(), "不画");
    SwitchPopupMenus(*data, *form, true);
    EXPECT_TRUE(HasSkinPainter(*measured));
    EXPECT_FALSE(HasSkinMeasurer(*measured)) << "an item that measures itself keeps its measure";
    EXPECT_FALSE(HasSkinPainter(*left)) << "a menu with the disabling tag is left alone";
    EXPECT_FALSE(disabled->OwnerDraw());

    SwitchPopupMenus(*data, *form, false);
    EXPECT_FALSE(HasSkinPainter(*first));
    EXPECT_FALSE(HasSkinMeasurer(*first));
    ASSERT_TRUE(measured->OnMeasureItem);
    int width = 0, height = 0;
    measured->OnMeasureItem(measured, nullptr, width, height);
    EXPECT_TRUE(ownMeasureRan);
}

TEST_F(SkinPopupMenuTest, TheSkinnedMenuWindowPassesOnWhatItDoesNotPaint) {
    int frameCalls = 0;
    Script({[&] {
        HWND window = OpenMenuWindow();
        // A part of the frame comes as a region: the window's own painting does it.
        HRGN part = CreateRectRgn(0, 0, 1, 1);
        SendMessageA(window, WM_NCPAINT, reinterpret_cast<WPARAM>(part), 0);
        DeleteObject(part);
        EXPECT_EQ(SendMessageA(window, WM_ERASEBKGND, 0, 0), 1) << "the background is the skin's";
        Manager().SetActive(0);
        EXPECT_EQ(SendMessageA(window, SM_SKINNEDQUERY, 0, 0), SkinnedAnswer) << "answered even when off";
        Manager().SetActive(1);
        ++frameCalls;
        headless::TypeKey(VK_ESCAPE);
    }});
    popup->Popup(200, 150);
    EXPECT_EQ(frameCalls, 1);
}

} // namespace

TEST_F(SkinPopupMenuTest, MenusOpenedAfterAnotherSkinIsLoadedWearTheNewSkin) {
    auto cornerAndItem = [&] {
        std::pair<COLORREF, COLORREF> seen{};
        Script({[&] {
            HWND window = OpenMenuWindow();
            const RECT secondRect = ItemInWindow(window, popup->Handle(), 2);
            seen = {headless::ReadPixel(window, 0, 0),
                    headless::ReadPixel(window, secondRect.right - 8, secondRect.top + 1)};
            headless::TypeKey(VK_ESCAPE);
        }});
        popup->Popup(200, 150);
        return seen;
    };
    const auto before = cornerAndItem();
    data->SetSkinFile(skinengine::SkinFilePath("dark"));
    Pump();
    ASSERT_EQ(data->NoSkin(), 0) << "the dark skin is built into build/skins";
    TBitmap& background = *Skin().MenuBackground->Image;
    TBitmap& items = *Skin().MenuItem->Image;
    const COLORREF darkCorner = ImagePixel(background, 0, 0);
    const COLORREF darkItem = ImagePixel(items, items.Width() / 10, 1);
    ASSERT_NE(darkCorner, before.first);
    ASSERT_NE(darkItem, before.second);
    const auto after = cornerAndItem();
    EXPECT_EQ(after.first, darkCorner) << "the border from the new skin's background";
    EXPECT_EQ(after.second, darkItem) << "the item frame from the new skin's item image";
}
