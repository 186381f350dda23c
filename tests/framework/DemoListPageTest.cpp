// The demo form's list page on the headless display: the tool bar, the header control and the
// list view show one below the other, their buttons and titles act on the list, and a picture
// of the page is written for a person to look at (build/framework-demo-list.png).

#include "FrameworkTestSupport.h"

#include "tools/framework-demo/DemoForm.h"

namespace {

class DemoListPage : public FrameworkTest {
protected:
    TDemoForm* ShowListPage() {
        auto* form = new TDemoForm(nullptr);
        forms.emplace_back(form);
        form->AfterConstruction();
        form->Show();
        form->PageControl1->SetActivePage(form->ListPage->Sheet);
        Pump();
        return form;
    }

    void ClickOn(TControl* control, int x, int y) {
        const TPoint point = OnScreen(control, x, y);
        platform::headless::AdvanceClock(1000);
        platform::headless::Click(point.x, point.y);
        Pump();
    }
};

} // namespace

TEST_F(DemoListPage, TheBarsAndTheListShowAndActOnTheList) {
    TDemoForm* form = ShowListPage();
    TDemoListPage& page = *form->ListPage;
    EXPECT_TRUE(errors.empty());
    for (TWinControl* control :
         std::initializer_list<TWinControl*>{page.ToolBar1, page.HeaderControl1, page.ListView1})
        EXPECT_TRUE(IsWindowVisible(control->Handle())) << control->ClassName();
    EXPECT_EQ(page.ToolBar1->Top(), 0);
    EXPECT_EQ(page.HeaderControl1->Top(), page.ToolBar1->Height());
    EXPECT_EQ(page.ListView1->Top(), page.HeaderControl1->Top() + page.HeaderControl1->Height());

    const std::string folder = std::string(QUILLMERE_BIN_DIR) + "/..";
    EXPECT_TRUE(platform::headless::SaveWindowPng(form->Handle(), folder + "/framework-demo-list.png"));

    TToolButton* add = page.AddButton;
    ClickOn(page.ToolBar1, add->Left() + add->Width() / 2, add->Top() + add->Height() / 2);
    EXPECT_EQ(page.ListView1->Items()->Count(), 61);
    EXPECT_EQ(form->StatusBar1->Panels()->Items(1)->Text(), "新建一行");

    // The title "远程地址" sorts by it; a second click turns the order round.
    HWND header = reinterpret_cast<HWND>(SendMessageA(page.ListView1->Handle(), LVM_GETHEADER, 0, 0));
    RECT title{};
    SendMessageA(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&title));
    POINT middle{(title.left + title.right) / 2, (title.top + title.bottom) / 2};
    ClientToScreen(header, &middle);
    platform::headless::AdvanceClock(1000);
    platform::headless::Click(middle.x, middle.y);
    Pump();
    EXPECT_EQ(page.ListView1->Items()->Item(0)->SubItems()->Strings(1), "10.0.0.10:443")
        << "as text: 10 before 1:";
    platform::headless::AdvanceClock(1000);
    platform::headless::Click(middle.x, middle.y);
    Pump();
    EXPECT_TRUE(page.DescendingButton->Down());
    EXPECT_EQ(page.ListView1->Items()->Item(0)->SubItems()->Strings(1), "10.0.0.9:443")
        << "as text: 9 after 61";

    TToolButton* grid = page.GridButton;
    ClickOn(page.ToolBar1, grid->Left() + grid->Width() / 2, grid->Top() + grid->Height() / 2);
    EXPECT_FALSE(page.ListView1->GridLines());
    EXPECT_TRUE(errors.empty());
}
