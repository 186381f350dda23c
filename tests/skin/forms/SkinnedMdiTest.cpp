// The skinned frame of an MDI form and its children: the frame's skin takes the client window's
// procedure too, follows the children as they maximise, close and get arranged, and gives the
// client back on unskin.

#include "tests/skin/forms/SkinEngineFixture.h"

#include "framework/stdctrls/Memo.h"
#include "platform/user/mdi/WinMdi.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinForm.h"

using namespace skinengine;

namespace {

class SkinnedMdiTest : public SkinEngineTest {
protected:
    TForm* NewFrame() {
        auto* frame = new TForm(nullptr);
        forms.emplace_back(frame);
        frame->SetCaption("Frame");
        frame->SetFormStyle(fsMDIForm);
        frame->SetBounds(50, 50, 500, 400);
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
    void Free(TCustomForm* form) {
        for (auto& owned : forms) {
            if (owned.get() == form)
                owned.reset();
        }
    }
    WNDPROC ProcedureOf(HWND window) const {
        return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    }
};

TEST_F(SkinnedMdiTest, TheFramesSkinTakesTheClientWindowAndGivesItBack) {
    TSkinData* data = NewSkinData();
    TForm* frame = NewFrame();
    const HWND client = frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    TWinSkinForm* skin = Manager().FindSkinnedWindow(frame->Handle());
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->WindowKind(), TSkinWindowKind::MdiFrame);
    EXPECT_EQ(skin->MdiClient(), client);

    // The skinned frame leaves no room for the client's own scroll bars.
    SetWindowLongA(client, GWL_STYLE, GetWindowLongA(client, GWL_STYLE) | WS_HSCROLL | WS_VSCROLL);
    SetWindowPos(client, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_EQ(GetWindowLongA(client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);

    // A new child keeps the menu bar as it is; the last one gone gives the setting back.
    data->SetMenuUpdate(true);
    TForm* child = NewChild("One");
    EXPECT_FALSE(data->MenuUpdate());
    Free(child);
    Pump();
    EXPECT_TRUE(data->MenuUpdate());

    const WNDPROC skinned = ProcedureOf(client);
    data->SetActive(false);
    platform::headless::RunFor(250);
    EXPECT_NE(ProcedureOf(client), skinned) << "the client has its own procedure back";
}

TEST_F(SkinnedMdiTest, TheMaximisedStateFollowsTheActiveChildAndEndsWhenTheChildrenAreArranged) {
    NewSkinData();
    TForm* frame = NewFrame();
    NewChild("One");
    TForm* two = NewChild("Two");
    ASSERT_NE(Manager().FindSkinnedWindow(two->Handle()), nullptr);

    // The child that goes leaves the state as the active child that remains is: not maximised.
    Manager().MdiMaximise(1);
    Free(two);
    Pump();
    EXPECT_EQ(Manager().MdiMaximised(), 0);

    Manager().MdiMaximise(1);
    frame->Tile();
    EXPECT_EQ(Manager().MdiMaximised(), 0) << "tiling ends it";
    Manager().MdiMaximise(1);
    frame->Cascade();
    EXPECT_EQ(Manager().MdiMaximised(), 0) << "and so does cascading";
}

} // namespace
