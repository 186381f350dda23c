// TToolBar and TToolButton over the platform's tool bar: buttons written into the window and
// placed where it draws them, clicks raising the button's OnClick, check buttons and groups in
// step with the window, drop-down menus, a main menu shown as buttons, the custom-draw events
// with the button's state, and the published properties a painter reads and writes by name.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/comctrls/ImageList.h"
#include "framework/comctrls/ToolBar.h"
#include "framework/graphics/Canvas.h"
#include "framework/menus/Menus.h"
#include "platform/controls/common/CommCtrl.h"

namespace {

class ToolBars : public FrameworkTest {
protected:
    TToolButton* AddButton(const std::string& caption, TToolButtonStyle style = tbsButton) {
        auto* button = new TToolButton(form);
        button->SetCaption(caption);
        button->SetStyle(style);
        button->SetParent(bar);
        return button;
    }

    void MakeBar() {
        form = NewForm(400, 200);
        bar = new TToolBar(form);
        bar->SetParent(form);
        bar->SetShowCaptions(true);
        open = AddButton("打开");
        AddButton("", tbsSeparator);
        bold = AddButton("粗体", tbsCheck);
        left = AddButton("左", tbsCheck);
        right = AddButton("右", tbsCheck);
        left->SetGrouped(true);
        right->SetGrouped(true);
        left->SetDown(true);
        form->Show();
        Pump();
    }

    void ClickOn(TToolButton* button) {
        const TPoint centre =
            OnScreen(bar, button->Left() + button->Width() / 2, button->Top() + button->Height() / 2);
        platform::headless::AdvanceClock(1000);
        platform::headless::Click(centre.x, centre.y);
        Pump();
    }

    TForm* form = nullptr;
    TToolBar* bar = nullptr;
    TToolButton* open = nullptr;
    TToolButton* bold = nullptr;
    TToolButton* left = nullptr;
    TToolButton* right = nullptr;
};

} // namespace

TEST_F(ToolBars, ButtonsSitWhereTheWindowDrawsThem) {
    MakeBar();
    EXPECT_EQ(bar->ButtonCount(), 5);
    EXPECT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 5);
    RECT second{};
    SendMessageA(bar->Handle(), TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(bold->Left(), second.left);
    EXPECT_EQ(bold->Width(), second.right - second.left);
    EXPECT_EQ(bold->Index(), 2);
    EXPECT_EQ(bar->Top(), 0);
    EXPECT_EQ(bar->Width(), form->ClientWidth());
    EXPECT_GE(bar->Height(), bold->Top() + bold->Height()) << "as tall as its buttons";
    char text[16] = {};
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_TEXT | TBIF_BYINDEX;
    info.pszText = text;
    info.cchText = 16;
    SendMessageA(bar->Handle(), TB_GETBUTTONINFOA, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, "打开");

    const int boldLeft = bold->Left();
    bold->SetVisible(false);
    EXPECT_EQ(left->Left(), boldLeft) << "the others close up";
    RECT hidden{};
    EXPECT_FALSE(SendMessageA(bar->Handle(), TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&hidden)));
    delete right;
    EXPECT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 4) << "a button that goes leaves the window";
}

TEST_F(ToolBars, ClicksRaiseOnClickAndCheckButtonsFollowTheWindow) {
    MakeBar();
    std::vector<std::string> clicked;
    for (TToolButton* button : {open, bold, left, right})
        button->OnClick = [&clicked, button](TObject*) { clicked.push_back(button->Caption()); };
    ClickOn(open);
    ClickOn(bold);
    EXPECT_EQ(clicked, (std::vector<std::string>{"打开", "粗体"}));
    EXPECT_TRUE(bold->Down());
    ClickOn(right);
    EXPECT_TRUE(right->Down());
    EXPECT_FALSE(left->Down()) << "one of a group is down";
    left->SetDown(true);
    EXPECT_FALSE(right->Down());
    EXPECT_EQ(GetEnumProp(right, "Down"), "False");

    open->SetEnabled(false);
    clicked.clear();
    ClickOn(open);
    EXPECT_TRUE(clicked.empty()) << "a disabled button is not clicked";
}

TEST_F(ToolBars, DropDownMenusAndAMainMenuAsButtons) {
    MakeBar();
    auto* popup = new TPopupMenu(form);
    auto* item = new TMenuItem(form);
    item->SetCaption("详细");
    popup->Items()->Add(item);
    TToolButton* view = AddButton("视图", tbsDropDown);
    view->SetDropdownMenu(popup);
    Pump();
    int popups = 0;
    popup->OnPopup = [&](TObject*) {
        ++popups;
        // The menu closes at once.
        PostMessageA(GetParentForm(bar)->Handle(), WM_CANCELMODE, 0, 0);
    };
    const TPoint arrow = OnScreen(bar, view->Left() + view->Width() - 4, view->Top() + view->Height() / 2);
    platform::headless::Click(arrow.x, arrow.y);
    Pump();
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(popup->PopupComponent(), view);

    auto* menu = new TMainMenu(form);
    auto* file = new TMenuItem(form);
    file->SetCaption("文件");
    auto* exit = new TMenuItem(form);
    exit->SetCaption("退出");
    file->Add(exit);
    auto* help = new TMenuItem(form);
    help->SetCaption("帮助");
    int helped = 0;
    help->OnClick = [&](TObject*) { ++helped; };
    menu->Items()->Add(file);
    menu->Items()->Add(help);
    auto* menuBar = new TToolBar(form);
    menuBar->SetParent(form);
    menuBar->SetMenu(menu);
    Pump();
    ASSERT_EQ(menuBar->ButtonCount(), 2);
    EXPECT_EQ(menuBar->Buttons(0)->MenuItem(), file);
    EXPECT_EQ(menuBar->Buttons(1)->Caption(), "帮助");
    EXPECT_EQ(GetObjectProp(menuBar, "Menu"), menu);
    menuBar->Buttons(1)->Click();
    EXPECT_EQ(helped, 1) << "a button for an item without items runs it";
    menuBar->SetMenu(nullptr);
    EXPECT_EQ(menuBar->ButtonCount(), 0);
}

TEST_F(ToolBars, CustomDrawEventsSeeTheBarAndEachButtonsState) {
    MakeBar();
    std::vector<TRect> backgrounds;
    std::vector<std::pair<std::string, TCustomDrawState>> buttons;
    bar->OnCustomDraw = [&](TToolBar* sender, const TRect& rect, bool&) {
        backgrounds.push_back(rect);
        sender->Canvas()->Brush()->SetColor(clRed);
        sender->Canvas()->FillRect(rect);
    };
    bar->OnCustomDrawButton = [&](TToolBar*, TToolButton* button, TCustomDrawState state, bool& defaultDraw) {
        buttons.emplace_back(button->Caption(), state);
        if (button == bold)
            defaultDraw = false;
    };
    bar->Invalidate();
    Pump();
    ASSERT_EQ(backgrounds.size(), 1u);
    EXPECT_EQ(backgrounds[0].right, bar->ClientWidth());
    ASSERT_EQ(buttons.size(), 4u) << "every button but the separator";
    EXPECT_TRUE(buttons[2].second.Contains(cdsChecked)) << "the group's button that is down";
    EXPECT_FALSE(buttons[1].second.Contains(cdsChecked));
    const int x = bold->Left() + bold->Width() / 2;
    const int y = bold->Top() + bold->Height() / 2;
    EXPECT_EQ(platform::headless::ReadPixel(bar->Handle(), x, y), RGB(255, 0, 0))
        << "a button not drawn by default shows the painted background";

    EXPECT_TRUE(SetEnumProp(bar, "Flat", "True"));
    EXPECT_TRUE(bar->Flat());
    EXPECT_TRUE(GetWindowLongA(bar->Handle(), GWL_STYLE) & TBSTYLE_FLAT);
    EXPECT_TRUE(IsPublishedProp(bar, "OnCustomDraw"));
    EXPECT_TRUE(IsPublishedProp(bar, "OnCustomDrawButton"));
    EXPECT_EQ(SendMessageA(bar->Handle(), TB_BUTTONCOUNT, 0, 0), 5) << "the buttons survive a new window";
}
