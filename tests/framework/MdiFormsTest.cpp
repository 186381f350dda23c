// MDI forms: an fsMDIForm with its client window where its aligned controls leave room and
// fsMDIChild forms made in it, activated, maximised with their buttons in the frame's menu
// bar, cascaded, tiled, closed, and listed in the window menu.

#include "FrameworkTestSupport.h"

#include "framework/menus/Menus.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panels.h"
#include "platform/user/mdi/WinMdi.h"

namespace {

class MdiForms : public FrameworkTest {
protected:
    // The MDI form with a window menu and a top panel, shown.
    TForm* NewFrame() {
        auto* frame = new TForm(nullptr);
        forms.emplace_back(frame);
        frame->SetCaption("Frame");
        frame->SetFormStyle(fsMDIForm);
        frame->SetBounds(50, 50, 500, 400);
        auto* menu = new TMainMenu(frame);
        auto* file = new TMenuItem(frame);
        file->SetCaption("文件(&F)");
        file->Add(new TMenuItem(frame));
        file->Items(0)->SetCaption("新建(&N)");
        m_windowMenu = new TMenuItem(frame);
        m_windowMenu->SetCaption("窗口(&W)");
        m_tile = new TMenuItem(frame);
        m_tile->SetCaption("平铺(&T)");
        m_windowMenu->Add(m_tile);
        menu->Items()->Add(file);
        menu->Items()->Add(m_windowMenu);
        frame->SetMenu(menu);
        frame->SetWindowMenu(m_windowMenu);
        m_panel = new TPanel(frame);
        m_panel->SetParent(frame);
        m_panel->SetAlign(alTop);
        m_panel->SetHeight(30);
        frame->AfterConstruction();
        frame->Show();
        Pump();
        return frame;
    }
    TForm* NewChild(const std::string& caption) {
        auto* child = new TForm(nullptr);
        forms.emplace_back(child);
        child->SetFormStyle(fsMDIChild);
        child->SetCaption(caption);
        child->SetBounds(0, 0, 200, 150);
        auto* memo = new TMemo(child);
        memo->SetParent(child);
        memo->SetAlign(alClient);
        child->AfterConstruction();
        child->Show();
        Pump();
        return child;
    }
    // The window menu's entries after its own items.
    std::vector<std::string> WindowList() const {
        std::vector<std::string> list;
        HMENU menu = m_windowMenu->Handle();
        for (int i = 1; i < GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            list.push_back(
                (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED ? "* " : "") +
                std::string(text));
        }
        return list;
    }

    TMenuItem* m_windowMenu = nullptr;
    TMenuItem* m_tile = nullptr;
    TPanel* m_panel = nullptr;
};

} // namespace

TEST_F(MdiForms, ChildrenLiveInTheClientAndFollowActivation) {
    TForm* frame = NewFrame();
    HWND client = frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    RECT area{};
    GetWindowRect(client, &area);
    MapWindowPoints(nullptr, frame->Handle(), reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(area.top, 30) << "the client takes what the aligned panel leaves";
    EXPECT_EQ(frame->ActiveMDIChild(), nullptr);

    std::vector<std::string> activations;
    TForm* one = NewChild("one");
    one->OnActivate = [&](TObject*) { activations.push_back("one"); };
    TForm* two = NewChild("two");
    two->OnActivate = [&](TObject*) { activations.push_back("two"); };
    EXPECT_EQ(GetParent(one->Handle()), client);
    EXPECT_TRUE(GetWindowLongA(one->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
    EXPECT_EQ(frame->MDIChildCount(), 2);
    EXPECT_EQ(frame->MDIChildren(0), one);
    EXPECT_EQ(frame->ActiveMDIChild(), two);
    EXPECT_EQ(WindowList(), (std::vector<std::string>{"", "&1 one", "* &2 two"}));
    EXPECT_TRUE(errors.empty());

    one->Show();
    Pump();
    EXPECT_EQ(frame->ActiveMDIChild(), one);
    frame->Next();
    EXPECT_EQ(frame->ActiveMDIChild(), two);
    EXPECT_EQ(activations, (std::vector<std::string>{"one", "two"}));

    // A menu item added to the window menu leaves the child list in place.
    auto* arrange = new TMenuItem(frame);
    arrange->SetCaption("排列(&A)");
    m_windowMenu->Add(arrange);
    Pump();
    EXPECT_EQ(WindowList(), (std::vector<std::string>{"排列(&A)", "", "&1 one", "* &2 two"}));
}

TEST_F(MdiForms, MaximiseCascadeTileAndCloseTheChildren) {
    TForm* frame = NewFrame();
    TForm* one = NewChild("one");
    TForm* two = NewChild("two");
    HMENU bar = GetMenu(frame->Handle());
    const int items = GetMenuItemCount(bar);

    two->SetWindowState(wsMaximized);
    Pump();
    EXPECT_EQ(two->WindowState(), wsMaximized);
    EXPECT_EQ(GetMenuItemCount(bar), items + 4) << "the child's system menu and its three buttons";
    EXPECT_EQ(frame->Caption(), "Frame - [two]");
    // A rebuilt bar keeps them, and the framework's items keep their own entries.
    frame->Menu()->Items()->Items(0)->SetCaption("文件(&E)");
    Pump();
    char text[32] = {};
    GetMenuStringA(bar, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "文件(&E)");
    EXPECT_EQ(GetMenuItemCount(bar), items + 4);

    frame->SetTileMode(tbVertical);
    frame->Tile();
    Pump();
    EXPECT_EQ(two->WindowState(), wsNormal) << "tiling restores the maximised child";
    EXPECT_EQ(GetMenuItemCount(bar), items);
    RECT left{};
    RECT right{};
    GetWindowRect(one->Handle(), &left);
    GetWindowRect(two->Handle(), &right);
    EXPECT_EQ(left.top, right.top) << "side by side";
    EXPECT_NE(left.left, right.left);
    frame->Cascade();
    Pump();
    GetWindowRect(one->Handle(), &left);
    GetWindowRect(two->Handle(), &right);
    EXPECT_GT(right.left, left.left) << "the active child comes last, further in";

    // Closing a child frees it; the other becomes active.
    for (auto& form : forms) {
        if (form.get() == two)
            (void)form.release();
    }
    two->Close();
    Pump();
    EXPECT_EQ(frame->MDIChildCount(), 1);
    EXPECT_EQ(frame->ActiveMDIChild(), one);
}

TEST_F(MdiForms, AChildWithoutAnMDIFormIsRefused) {
    auto* child = new TForm(nullptr);
    forms.emplace_back(child);
    child->SetFormStyle(fsMDIChild);
    child->AfterConstruction();
    EXPECT_THROW(child->Show(), Exception);
}
