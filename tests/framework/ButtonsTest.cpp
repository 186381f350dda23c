// The button family over the platform's BUTTON class: clicks, the default and cancel buttons,
// modal results, check box states and radio groups; their properties by name.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/stdctrls/Buttons.h"
#include "platform/controls/buttons/Button.h"

using Buttons = FrameworkTest;

TEST_F(Buttons, AClickRaisesOnClickOnce) {
    TForm* form = NewForm();
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetCaption("刷新");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    Pump();
    const TPoint point = OnScreen(button, 10, 10);
    platform::headless::Click(point.x, point.y);
    Pump();
    EXPECT_EQ(clicks, 1);
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(clicks, 2);
    char text[16] = {};
    GetWindowTextA(button->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "刷新");
}

TEST_F(Buttons, EnterClicksTheDefaultButtonAndEscapeTheCancelButton) {
    TForm* form = NewForm();
    auto* edit = new TWinControl(form);
    edit->SetParent(form);
    edit->SetTabStop(true);
    auto* panel = new TWinControl(form);
    panel->SetParent(form);
    panel->SetBounds(0, 40, 200, 60);
    auto* ok = new TButton(form);
    ok->SetParent(panel);
    ok->SetDefault(true);
    auto* cancel = new TButton(form);
    cancel->SetParent(panel);
    cancel->SetLeft(100);
    cancel->SetCancel(true);
    std::vector<std::string> clicked;
    ok->OnClick = [&](TObject*) { clicked.push_back("ok"); };
    cancel->OnClick = [&](TObject*) { clicked.push_back("cancel"); };
    form->Show();
    edit->SetFocus();
    Pump();
    platform::headless::TypeKey(VK_RETURN);
    Pump();
    platform::headless::TypeKey(VK_ESCAPE);
    Pump();
    EXPECT_EQ(clicked, (std::vector<std::string>{"ok", "cancel"}));
    EXPECT_EQ(GetWindowLongA(ok->Handle(), GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_DEFPUSHBUTTON));

    // With another push button focused, Enter is that button's.
    cancel->SetFocus();
    Pump();
    EXPECT_EQ(GetWindowLongA(ok->Handle(), GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_PUSHBUTTON));
    platform::headless::TypeKey(VK_RETURN);
    Pump();
    EXPECT_EQ(clicked.back(), "cancel");
}

TEST_F(Buttons, AModalResultButtonEndsAModalForm) {
    TForm* dialog = NewForm(200, 100);
    auto* button = new TButton(dialog);
    button->SetParent(dialog);
    button->SetModalResult(mrOk);
    Application()->OnIdle = [&](TObject*) {
        const TPoint point = OnScreen(button, 5, 5);
        platform::headless::Click(point.x, point.y);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    Application()->OnIdle = nullptr;
}

TEST_F(Buttons, CheckBoxesCycleThroughTheirStates) {
    TForm* form = NewForm();
    auto* box = new TCheckBox(form);
    box->SetParent(form);
    box->SetAllowGrayed(true);
    int clicks = 0;
    box->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    Pump();
    const TPoint point = OnScreen(box, 6, 8);
    platform::headless::Click(point.x, point.y);
    Pump();
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    platform::headless::Click(point.x, point.y);
    Pump();
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(clicks, 2);

    // Set by name, as the skin engine does.
    EXPECT_TRUE(SetPropValue(box, "State", "cbUnchecked"));
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(GetEnumProp(box, "Checked"), "False");
    box->RecreateWnd();
    box->SetChecked(true);
    box->RecreateWnd();
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Buttons, OneRadioButtonPerParentIsChecked) {
    TForm* form = NewForm(400, 200);
    auto* panel = new TWinControl(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 400, 40);
    std::vector<TRadioButton*> radios;
    for (int i = 0; i < 4; ++i) {
        auto* radio = new TRadioButton(form);
        radio->SetParent(panel);
        radio->SetBounds(10 + i * 95, 7, 87, 17);
        radios.push_back(radio);
    }
    auto* elsewhere = new TRadioButton(form);
    elsewhere->SetParent(form);
    elsewhere->SetTop(100);
    elsewhere->SetChecked(true);
    radios[3]->SetChecked(true);
    form->Show();
    Pump();
    const TPoint point = OnScreen(radios[1], 6, 8);
    platform::headless::Click(point.x, point.y);
    Pump();
    EXPECT_TRUE(radios[1]->Checked());
    EXPECT_FALSE(radios[3]->Checked());
    EXPECT_EQ(SendMessageA(radios[3]->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_TRUE(elsewhere->Checked()); // another parent, another group
    int checked = 0;
    for (TRadioButton* radio : radios)
        checked += radio->Checked();
    EXPECT_EQ(checked, 1);
}

TEST(ButtonProperties, EveryButtonClassPublishesWhatTheSkinReads) {
    TButton button(nullptr);
    TCheckBox check(nullptr);
    TRadioButton radio(nullptr);
    TGroupBox group(nullptr);
    for (TControl* control : std::vector<TControl*>{&button, &check, &radio, &group}) {
        SCOPED_TRACE(control->ClassName());
        EXPECT_TRUE(SetPropValue(control, "Caption", "保存"));
        EXPECT_EQ(GetStrProp(control, "Caption"), "保存");
        EXPECT_NE(GetObjectPropAs<TFont>(control, "Font"), nullptr);
        EXPECT_TRUE(SetPropValue(control, "Color", "16711680"));
        EXPECT_EQ(GetOrdProp(control, "Color"), 0xFF0000);
        EXPECT_EQ(GetEnumProp(control, "ParentFont"), "True");
        EXPECT_EQ(GetOrdProp(control, "NoSuchProperty"), -1);
    }
    EXPECT_TRUE(SetPropValue(&button, "Default", "TRUE"));
    EXPECT_TRUE(button.Default());
    EXPECT_EQ(GetEnumProp(&check, "State"), "cbUnchecked");
    EXPECT_EQ(GetOrdProp(&button, "State"), -1); // a button has no State
    EXPECT_EQ(GetEnumProp(&group, "ParentBackground"), "False");
    EXPECT_TRUE(group.InheritsFrom("TCustomGroupBox"));
    EXPECT_EQ(FindClass("TRadioButton"), &TRadioButton::ClassInfo());
}

TEST_F(Buttons, AGroupBoxFillsItsBackgroundAroundItsChildren) {
    TForm* form = NewForm(300, 200);
    form->SetColor(clAqua);
    auto* group = new TGroupBox(form);
    group->SetParent(form);
    group->SetBounds(10, 10, 200, 120);
    group->SetCaption("按钮");
    auto* button = new TButton(form);
    button->SetParent(group);
    button->SetBounds(20, 30, 75, 25);
    form->Show();
    Pump();
    EXPECT_EQ(platform::headless::ReadPixel(group->Handle(), 150, 80), ColorToRGB(clAqua))
        << "the parent's colour inside the frame";
}
