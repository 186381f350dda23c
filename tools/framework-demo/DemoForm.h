#pragma once
// The framework's demo form: every control the framework offers on its pages, with a menu bar
// and a status bar, built in code as the program's forms are. The demo program shows it on a
// real display; the tests save a picture of it and use it on a test X server.

#include "DemoButtonsPage.h"
#include "DemoDatesPage.h"
#include "DemoListPage.h"

#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/ProgressBar.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/comctrls/TrackBar.h"
#include "framework/comctrls/UpDown.h"
#include "framework/forms/Form.h"
#include "framework/grid/StringGrid.h"
#include "framework/menus/Menus.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/ComboBoxes.h"
#include "framework/stdctrls/Edits.h"
#include "framework/stdctrls/ListBoxes.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panels.h"
#include "framework/stdctrls/ScrollBars.h"

#include <memory>
#include <string>

class TDemoForm : public TForm {
public:
    explicit TDemoForm(TComponent* owner);

    // What a person did with the form, one "name=value" line per control, for the display
    // test to read after the demo ends.
    std::string StateReport() const;

    TMainMenu* MainMenu1;
    TMenuItem* FileMenu;
    TMenuItem* OpenItem;
    TMenuItem* ExitItem;
    TMenuItem* ViewMenu;
    TMenuItem* GridItem;
    TPageControl* PageControl1;
    TTabSheet* ControlsSheet;
    TTabSheet* GridSheet;
    TGroupBox* GroupBox1;
    TButton* Button1;
    TCheckBox* CheckBox1;
    TRadioButton* RadioButton1;
    TRadioButton* RadioButton2;
    TEdit* Edit1;
    TMemo* Memo1;
    TComboBox* ComboBox1;
    TListBox* ListBox1;
    TPanel* Panel1;
    TScrollBar* ScrollBar1;
    TProgressBar* ProgressBar1;
    TTrackBar* TrackBar1;
    TEdit* Edit2;
    TUpDown* UpDown1;
    TStringGrid* StringGrid1;
    TStatusBar* StatusBar1;
    std::unique_ptr<TDemoListPage> ListPage;
    TTabSheet* DatesSheet;
    std::unique_ptr<TDatesPage> DatesPage;
    std::unique_ptr<TDemoButtonsPage> ButtonsPage;

private:
    void BuildMenu();
    void BuildControlsPage();
    void BuildGridPage();
    void ShowAction(const std::string& text);

    int m_opened = 0;
};
