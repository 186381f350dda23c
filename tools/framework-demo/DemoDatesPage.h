#pragma once
// The demo form's page of dates and document windows: a date picker dropping a calendar
// down, a time picker stepped by its up-down buttons, a picker with a "no date" box, a month
// calendar, and a button (and a menu item) opening an MDI form with two document windows.
// What is done with them shows in the form's status bar and in the demo's report.

#include "DemoMdiForm.h"

#include "framework/comctrls/DateTimePicker.h"
#include "framework/comctrls/MonthCalendar.h"
#include "framework/comctrls/PageControl.h"
#include "framework/menus/Menus.h"
#include "framework/stdctrls/Buttons.h"

#include <functional>
#include <string>

class TDatesPage {
public:
    // Builds the page's controls, owned by the form, and a menu item in `menu` that opens the
    // MDI form; `showAction` tells the status bar.
    TDatesPage(TForm& form, TTabSheet& page, TMenuItem& menu,
               std::function<void(const std::string&)> showAction);

    // One name=value line per control's state, the MDI form's included.
    std::string StateReport() const;
    // Opens (or brings forward) the MDI form with its two document windows.
    void OpenMdiForm();

    TDateTimePicker* DatePicker1;
    TDateTimePicker* TimePicker1;
    TDateTimePicker* NoDatePicker1;
    TMonthCalendar* MonthCalendar1;
    TButton* MdiButton;
    TMenuItem* MdiItem;
    TMdiDemoForm* MdiForm = nullptr;

private:
    TForm& m_form;
    std::function<void(const std::string&)> m_showAction;
};
