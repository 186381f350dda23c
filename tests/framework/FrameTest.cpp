// TFrame: a container class of its own, placed on a form as often as wanted; each frame owns
// and names its components, finishes loading them with the form, and Tab goes through them.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/forms/Frame.h"
#include "framework/stdctrls/Edits.h"

namespace {

class TNameFrame : public TFrame {
public:
    explicit TNameFrame(TComponent* owner) : TFrame(owner) {
        SetBounds(0, 0, 200, 40);
        Edit1 = new TEdit(this);
        Edit1->SetName("Edit1");
        Edit1->SetParent(this);
        Edit1->SetBounds(4, 4, 100, 21);
        Edit2 = new TEdit(this);
        Edit2->SetName("Edit2");
        Edit2->SetParent(this);
        Edit2->SetBounds(110, 4, 80, 21);
    }
    TEdit* Edit1;
    TEdit* Edit2;
};

struct TwoFrameForm : TForm {
    explicit TwoFrameForm(TComponent* owner) : TForm(owner) {
        Edit1 = new TEdit(this);
        Edit1->SetName("Edit1");
        Edit1->SetParent(this);
        first = new TNameFrame(this);
        first->SetParent(this);
        first->SetTop(40);
        second = new TNameFrame(this);
        second->SetParent(this);
        second->SetTop(90);
    }
    TEdit* Edit1;
    TNameFrame* first;
    TNameFrame* second;
};

using Frames = FrameworkTest;

} // namespace

TEST_F(Frames, EachFrameOwnsAndLoadsItsComponentsAndTabGoesThroughThem) {
    auto* form = NewForm<TwoFrameForm>(300, 200);
    EXPECT_EQ(form->first->FindComponent("Edit1"), form->first->Edit1) << "names are the frame's own";
    EXPECT_EQ(form->FindComponent("Edit1"), form->Edit1);
    for (TNameFrame* frame : {form->first, form->second}) {
        EXPECT_FALSE(frame->ComponentState().Contains(csLoading));
        EXPECT_FALSE(frame->Edit2->ComponentState().Contains(csLoading));
        EXPECT_EQ(frame->Edit1->Parent(), frame);
    }
    form->Show();
    form->Edit1->SetFocus();
    Pump();
    std::vector<TWinControl*> visited;
    for (int i = 0; i < 4; ++i) {
        platform::headless::TypeKey(VK_TAB);
        Pump();
        visited.push_back(form->ActiveControl());
    }
    EXPECT_EQ(visited, (std::vector<TWinControl*>{form->first->Edit1, form->first->Edit2, form->second->Edit1,
                                                  form->second->Edit2}));
}

TEST(FrameProperties, AFrameIsAContainerTheSkinCanTell) {
    TFrame frame(nullptr);
    EXPECT_TRUE(frame.InheritsFrom("TCustomFrame"));
    EXPECT_TRUE(frame.ControlStyle().Contains(csAcceptsControls));
    EXPECT_EQ(GetEnumProp(&frame, "ParentBackground"), "True");
    EXPECT_EQ(GetEnumProp(&frame, "ParentColor"), "True");
    EXPECT_EQ(FindClass("TFrame"), &TFrame::ClassInfo());
}
