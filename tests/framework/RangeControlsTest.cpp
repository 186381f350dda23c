// The controls of a position in a range: the progress bar, the track bar and the up-down
// control, each in step with its window, through recreated windows and user input.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/comctrls/ProgressBar.h"
#include "framework/comctrls/TrackBar.h"
#include "framework/comctrls/UpDown.h"
#include "framework/stdctrls/Edits.h"
#include "platform/controls/common/CommCtrl.h"

using RangeControls = FrameworkTest;

TEST_F(RangeControls, AProgressBarKeepsItsPositionInRangeAndWrapsWhenStepping) {
    TForm* form = NewForm();
    auto* bar = new TProgressBar(form);
    bar->SetParent(form);
    bar->SetMax(30);
    bar->SetPosition(45);
    EXPECT_EQ(bar->Position(), 30);
    bar->SetPosition(15);
    form->Show();
    Pump();
    HWND window = bar->Handle();
    EXPECT_EQ(SendMessageA(window, PBM_GETPOS, 0, 0), 15);
    EXPECT_EQ(SendMessageA(window, PBM_GETRANGE, FALSE, 0), 30);

    bar->StepIt();
    EXPECT_EQ(bar->Position(), 25);
    bar->StepIt(); // past the end: round to the start
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(SendMessageA(window, PBM_GETPOS, 0, 0), 0);
    bar->StepBy(-5);
    EXPECT_EQ(bar->Position(), 0);
    bar->SetMin(10);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(SendMessageA(window, PBM_GETRANGE, TRUE, 0), 10);

    // A recreated window gets the range, step and position again; turning the bar swaps its sides.
    bar->SetStep(7);
    bar->SetPosition(20);
    EXPECT_TRUE(SetPropValue(bar, "Orientation", "pbVertical"));
    EXPECT_TRUE(SetPropValue(bar, "Smooth", "True"));
    Pump();
    EXPECT_NE(bar->Handle(), window);
    window = bar->Handle();
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & PBS_VERTICAL);
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & PBS_SMOOTH);
    EXPECT_EQ(bar->Width(), 16);
    EXPECT_EQ(bar->Height(), 150);
    EXPECT_EQ(SendMessageA(window, PBM_GETPOS, 0, 0), 20);
    EXPECT_EQ(SendMessageA(window, PBM_GETRANGE, TRUE, 0), 10);
    EXPECT_EQ(SendMessageA(window, PBM_STEPIT, 0, 0), 20);
    EXPECT_EQ(SendMessageA(window, PBM_GETPOS, 0, 0), 27);
}

TEST_F(RangeControls, ATrackBarRaisesOnChangeForEveryMoveByKeyOrCode) {
    TForm* form = NewForm();
    auto* bar = new TTrackBar(form);
    bar->SetParent(form);
    bar->SetMax(20);
    std::vector<int> changes;
    bar->OnChange = [&](TObject*) { changes.push_back(bar->Position()); };
    form->Show();
    bar->SetFocus();
    Pump();
    platform::headless::TypeKey(VK_RIGHT);
    Pump();
    platform::headless::TypeKey(VK_END);
    Pump();
    EXPECT_EQ(bar->Position(), 20);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.front(), 1);
    EXPECT_EQ(changes.back(), 20);
    const auto moves = changes.size();

    bar->SetPosition(25); // clamped to Max, which it already is
    EXPECT_EQ(changes.size(), moves);
    bar->SetPosition(4);
    EXPECT_EQ(changes.back(), 4);
    EXPECT_EQ(SendMessageA(bar->Handle(), TBM_GETPOS, 0, 0), 4);
    bar->SetMax(3);
    EXPECT_EQ(changes.back(), 3);

    // Settings survive a recreated window.
    bar->SetSelStart(1);
    bar->SetSelEnd(2);
    bar->SetFrequency(5);
    HWND before = bar->Handle();
    EXPECT_TRUE(SetPropValue(bar, "TickMarks", "tmBoth"));
    EXPECT_TRUE(SetPropValue(bar, "Orientation", "trVertical"));
    HWND window = bar->Handle();
    EXPECT_NE(window, before);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & TBS_BOTH);
    EXPECT_TRUE(style & TBS_VERT);
    EXPECT_EQ(SendMessageA(window, TBM_GETRANGEMAX, 0, 0), 3);
    EXPECT_EQ(SendMessageA(window, TBM_GETPOS, 0, 0), 3);
    EXPECT_EQ(SendMessageA(window, TBM_GETSELSTART, 0, 0), 1);
    EXPECT_EQ(SendMessageA(window, TBM_GETSELEND, 0, 0), 2);
    EXPECT_EQ(bar->Width(), 45);
}

TEST_F(RangeControls, AnUpDownStepsItsAssociatesNumberUnlessOnChangingRefuses) {
    TForm* form = NewForm();
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 80, 21);
    auto* upDown = new TUpDown(form);
    upDown->SetParent(form);
    upDown->SetMax(2);
    upDown->SetPosition(1);
    upDown->SetAssociate(edit);
    std::vector<TUDBtnType> clicks;
    upDown->OnClick = [&](TObject*, TUDBtnType button) { clicks.push_back(button); };
    form->Show();
    Pump();
    EXPECT_EQ(edit->Text(), "1");
    // The buttons sit at the right end of the edit.
    EXPECT_EQ(upDown->Left() + upDown->Width(), 90);
    EXPECT_EQ(upDown->Top(), 10);

    auto clickArrow = [&](bool up) {
        const TPoint point = OnScreen(upDown, upDown->Width() / 2, up ? 3 : upDown->Height() - 3);
        platform::headless::Click(point.x, point.y);
        Pump();
    };
    clickArrow(true);
    EXPECT_EQ(upDown->Position(), 2);
    EXPECT_EQ(edit->Text(), "2");
    clickArrow(true); // at Max, no wrap: nothing moves
    EXPECT_EQ(upDown->Position(), 2);
    clickArrow(false);
    EXPECT_EQ(clicks, (std::vector<TUDBtnType>{btNext, btPrev}));

    upDown->OnChanging = [](TObject*, bool& allow) { allow = false; };
    clickArrow(false);
    EXPECT_EQ(upDown->Position(), 1);
    EXPECT_EQ(clicks.size(), 2u);

    // Typing a number into the associate moves the position.
    edit->SetText("0");
    EXPECT_EQ(upDown->Position(), 0);
    upDown->OnChanging = nullptr;
    upDown->SetWrap(true);
    clickArrow(false);
    EXPECT_EQ(upDown->Position(), 2);

    // The associate going away leaves no buddy behind.
    delete edit;
    EXPECT_EQ(upDown->Associate(), nullptr);
    EXPECT_EQ(SendMessageA(upDown->Handle(), UDM_GETBUDDY, 0, 0), 0);
}

TEST(RangeControlProperties, ThePropertiesAreThereByName) {
    TProgressBar progress(nullptr);
    TTrackBar track(nullptr);
    TUpDown upDown(nullptr);
    for (TControl* control : std::vector<TControl*>{&progress, &track, &upDown}) {
        SCOPED_TRACE(control->ClassName());
        EXPECT_TRUE(SetPropValue(control, "Max", "50"));
        EXPECT_TRUE(SetPropValue(control, "Position", "40"));
        EXPECT_EQ(GetOrdProp(control, "Position"), 40);
        EXPECT_TRUE(SetPropValue(control, "Min", "45"));
        EXPECT_EQ(GetOrdProp(control, "Position"), 45);
        EXPECT_FALSE(SetPropValue(control, "Position", "forty"));
        EXPECT_EQ(GetEnumProp(control, "Visible"), "True");
        EXPECT_EQ(GetStrProp(control, "Caption"), "");
    }
    EXPECT_EQ(GetEnumProp(&progress, "Orientation"), "pbHorizontal");
    EXPECT_EQ(GetOrdProp(&progress, "Step"), 10);
    EXPECT_EQ(GetEnumProp(&track, "TickStyle"), "tsAuto");
    EXPECT_EQ(GetEnumProp(&track, "TickMarks"), "tmBottomRight");
    EXPECT_EQ(GetOrdProp(&track, "Frequency"), 1);
    EXPECT_NE(GetObjectPropAs<TFont>(&track, "Font"), nullptr);
    EXPECT_EQ(GetObjectProp(&upDown, "Associate"), nullptr);
    EXPECT_EQ(GetEnumProp(&upDown, "Orientation"), "udVertical");
    EXPECT_EQ(GetEnumProp(&upDown, "Wrap"), "False");
    EXPECT_EQ(FindClass("TUpDown"), &TUpDown::ClassInfo());
}
