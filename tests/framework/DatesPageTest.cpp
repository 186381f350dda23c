// The demo's page of dates and its MDI form on the headless display: the controls show, the
// calendar drops down, the MDI form opens with its two document windows, and pictures go into
// the build folder for a person to look at (framework-demo-dates.png with the calendar
// dropped, framework-demo-mdi.png, framework-demo-mdi-maximized.png).

#include "FrameworkTestSupport.h"

#include "tools/framework-demo/DemoForm.h"

#include "platform/controls/common/datetime/CommCtrlDateTime.h"

namespace {

class DatesPagePicture : public FrameworkTest {};

} // namespace

TEST_F(DatesPagePicture, ThePageShowsItsControlsAndOpensTheMdiForm) {
    auto* form = new TDemoForm(nullptr);
    forms.emplace_back(form);
    form->AfterConstruction();
    form->PageControl1->SetActivePage(form->DatesSheet);
    form->Show();
    Pump();
    EXPECT_TRUE(errors.empty());
    TDatesPage& page = *form->DatesPage;
    for (TWinControl* control : std::initializer_list<TWinControl*>{page.DatePicker1, page.TimePicker1,
                                                                    page.NoDatePicker1, page.MonthCalendar1})
        EXPECT_TRUE(IsWindowVisible(control->Handle())) << control->ClassName();
    char text[64] = {};
    GetWindowTextA(page.DatePicker1->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "2010/5/23");
    GetWindowTextA(page.TimePicker1->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "9:30:00");

    const std::string folder = std::string(QUILLMERE_BIN_DIR) + "/..";
    const TPoint button =
        OnScreen(page.DatePicker1, page.DatePicker1->ClientWidth() - 5, page.DatePicker1->ClientHeight() / 2);
    platform::headless::Click(button.x, button.y);
    Pump();
    ASSERT_TRUE(page.DatePicker1->DroppedDown());
    EXPECT_TRUE(platform::headless::SaveWindowPng(form->Handle(), folder + "/framework-demo-dates.png"));
    auto calendar = reinterpret_cast<HWND>(SendMessageA(page.DatePicker1->Handle(), DTM_GETMONTHCAL, 0, 0));
    EXPECT_TRUE(platform::headless::SaveWindowPng(calendar, folder + "/framework-demo-dates-calendar.png"));
    platform::headless::TypeKey(VK_ESCAPE);
    Pump();

    page.MdiButton->Click();
    Pump();
    ASSERT_NE(page.MdiForm, nullptr);
    EXPECT_EQ(page.MdiForm->MDIChildCount(), 2);
    EXPECT_EQ(page.MdiForm->ActiveMDIChild()->Caption(), "文档2");
    EXPECT_TRUE(
        platform::headless::SaveWindowPng(page.MdiForm->Handle(), folder + "/framework-demo-mdi.png"));
    page.MdiForm->ActiveMDIChild()->SetWindowState(wsMaximized);
    Pump();
    EXPECT_TRUE(platform::headless::SaveWindowPng(page.MdiForm->Handle(),
                                                  folder + "/framework-demo-mdi-maximized.png"));
    EXPECT_NE(form->DatesPage->StateReport().find("MdiForm.Maximized=1"), std::string::npos);
}
