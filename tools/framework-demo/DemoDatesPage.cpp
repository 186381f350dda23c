#include "DemoDatesPage.h"

#include "core/Format.h"
#include "framework/comctrls/SystemTimes.h"
#include "framework/stdctrls/Buttons.h"

namespace {

template <typename T>
T* Place(TForm& form, TWinControl& parent, int left, int top, int width, int height) {
    auto* control = new T(&form);
    control->SetParent(&parent);
    control->SetBounds(left, top, width, height);
    return control;
}

std::string DateText(TDateTime value) {
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(value, year, month, day);
    return Format("%d-%d-%d", year, month, day);
}

std::string TimeText(TDateTime value) {
    SYSTEMTIME time = ToSystemTime(value);
    return Format("%02d:%02d:%02d", time.wHour, time.wMinute, time.wSecond);
}

} // namespace

TDatesPage::TDatesPage(TForm& form, TTabSheet& page, TMenuItem& menu,
                       std::function<void(const std::string&)> showAction)
    : m_form(form), m_showAction(std::move(showAction)) {
    auto* dates = Place<TGroupBox>(form, page, 8, 8, 200, 132);
    dates->SetCaption("日期和时间");
    DatePicker1 = Place<TDateTimePicker>(form, *dates, 12, 22, 176, 21);
    DatePicker1->SetDateTime(TDateTime(EncodeDate(2010, 5, 23).Days() + 0.5));
    DatePicker1->OnChange = [this](TObject*) { m_showAction("日期 " + DateText(DatePicker1->Date())); };
    TimePicker1 = Place<TDateTimePicker>(form, *dates, 12, 54, 176, 21);
    TimePicker1->SetKind(dtkTime);
    TimePicker1->SetDateMode(dmUpDown);
    TimePicker1->SetTime(TDateTime(9.5 / 24));
    TimePicker1->OnChange = [this](TObject*) { m_showAction("时间 " + TimeText(TimePicker1->Time())); };
    NoDatePicker1 = Place<TDateTimePicker>(form, *dates, 12, 86, 176, 21);
    NoDatePicker1->SetDateFormat(dfLong);
    NoDatePicker1->SetShowCheckbox(true);
    NoDatePicker1->SetDate(EncodeDate(2010, 6, 1));
    NoDatePicker1->SetChecked(false);
    NoDatePicker1->OnChange = [this](TObject*) {
        m_showAction(NoDatePicker1->Checked() ? "有日期" : "无日期");
    };

    MonthCalendar1 = Place<TMonthCalendar>(form, page, 220, 8, 200, 160);
    MonthCalendar1->SetDate(EncodeDate(2010, 5, 23));
    MonthCalendar1->OnChange = [this](TObject*) { m_showAction("月历 " + DateText(MonthCalendar1->Date())); };

    MdiButton = Place<TButton>(form, page, 8, 152, 120, 25);
    MdiButton->SetCaption("MDI 窗口(&M)...");
    MdiButton->OnClick = [this](TObject*) { OpenMdiForm(); };
    MdiItem = new TMenuItem(&form);
    MdiItem->SetCaption("MDI 窗口(&M)");
    MdiItem->OnClick = [this](TObject*) { OpenMdiForm(); };
    menu.Add(MdiItem);
}

void TDatesPage::OpenMdiForm() {
    if (!MdiForm) {
        MdiForm = new TMdiDemoForm(&m_form);
        MdiForm->AfterConstruction();
        MdiForm->Show();
        MdiForm->NewChild();
        MdiForm->NewChild();
    }
    MdiForm->Show();
    m_showAction("MDI 窗口");
}

std::string TDatesPage::StateReport() const {
    std::string report = "DatePicker1.Date=" + DateText(DatePicker1->Date()) + "\n";
    report += "TimePicker1.Time=" + TimeText(TimePicker1->Time()) + "\n";
    report += std::string("NoDatePicker1.Checked=") + (NoDatePicker1->Checked() ? "1" : "0") + "\n";
    report += "MonthCalendar1.Date=" + DateText(MonthCalendar1->Date()) + "\n";
    if (MdiForm)
        report += MdiForm->StateReport();
    return report;
}
