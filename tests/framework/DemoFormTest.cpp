// The demo form with every control of the framework, built on the headless display: each
// control has its window and shows, and pictures of both pages are written into the build folder
// for a person to look at (build/framework-demo.png, build/framework-demo-grid.png).

#include "FrameworkTestSupport.h"

#include "tools/framework-demo/DemoForm.h"

namespace {

class DemoFormPicture : public FrameworkTest {};

} // namespace

TEST_F(DemoFormPicture, EveryControlShowsAndThePagesArePictured) {
    auto* form = new TDemoForm(nullptr);
    forms.emplace_back(form);
    form->AfterConstruction();
    form->Show();
    Pump();
    EXPECT_TRUE(errors.empty());

    // Every kind of control the framework offers is on the form.
    std::vector<std::string> missing;
    for (const char* name :
         {"TButton", "TCheckBox", "TRadioButton", "TGroupBox", "TEdit", "TMemo", "TComboBox", "TListBox",
          "TPanel", "TScrollBar", "TProgressBar", "TTrackBar", "TUpDown", "TPageControl", "TTabSheet",
          "TStringGrid", "TStatusBar", "TMainMenu"}) {
        bool found = false;
        for (int i = 0; i < form->ComponentCount() && !found; ++i)
            found = form->Components(i)->ClassName() == name;
        if (!found)
            missing.push_back(name);
    }
    EXPECT_TRUE(missing.empty()) << missing.front();
    for (TWinControl* control : std::initializer_list<TWinControl*>{
             form->Button1, form->Edit1, form->Memo1, form->ComboBox1, form->ListBox1, form->Panel1,
             form->ScrollBar1, form->ProgressBar1, form->TrackBar1, form->UpDown1, form->StatusBar1})
        EXPECT_TRUE(IsWindowVisible(control->Handle())) << control->ClassName();
    EXPECT_EQ(GetMenu(form->Handle()), form->MainMenu1->Handle());

    const std::string folder = std::string(QUILLMERE_BIN_DIR) + "/..";
    EXPECT_TRUE(platform::headless::SaveWindowPng(form->Handle(), folder + "/framework-demo.png"));
    form->PageControl1->SetActivePageIndex(1);
    Pump();
    EXPECT_TRUE(IsWindowVisible(form->StringGrid1->Handle()));
    EXPECT_FALSE(IsWindowVisible(form->Edit1->Handle()));
    EXPECT_TRUE(platform::headless::SaveWindowPng(form->Handle(), folder + "/framework-demo-grid.png"));
}
