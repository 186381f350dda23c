// The control skin base: attaching to a framework control or a bare window and leaving them in
// any order, the switch message and the skinned query, colours and ParentBackground taken and
// given back, a destroyed window left alone, and the small drawing routines.

#include "ControlSkinFixture.h"

#include "framework/classes/TypInfo.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Panels.h"
#include "skin/controls/SkinProperties.h"
#include "skin/forms/SkinMessages.h"

namespace {

constexpr COLORREF Marked = RGB(0xFF, 0x00, 0x00);

// A skin that paints its whole window in one colour and counts what it sees.
class TMarkingSkin : public TSkinControl {
public:
    using TSkinControl::TSkinControl;
    void DrawSkin(HDC dc, const RECT& rect) override {
        ++draws;
        FillColor(dc, rect, static_cast<TColor>(Marked));
    }
    bool BeforeMessage(TMessage& message) override {
        ++seen;
        return TSkinControl::BeforeMessage(message);
    }
    int draws = 0;
    int seen = 0;
};

LRESULT CALLBACK BareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

class SkinControlBaseTest : public ControlSkinTest {
protected:
    // A plain child window of the form, not made by the framework.
    HWND BareChild(TForm* form, const char16_t* text = u"bare") {
        static bool registered = false;
        if (!registered) {
            WNDCLASSEXW description{};
            description.cbSize = sizeof description;
            description.lpfnWndProc = BareProcedure;
            description.lpszClassName = u"QuillmereBareChild";
            RegisterClassExW(&description);
            registered = true;
        }
        return CreateWindowExW(0, u"QuillmereBareChild", text, WS_CHILD | WS_VISIBLE, 10, 10, 60, 30,
                               form->Handle(), nullptr, nullptr, nullptr);
    }
    TMarkingSkin* ByHandle(HWND window) {
        auto* skin = new TMarkingSkin(skinForm->BareWindowSkinOwner());
        skin->InitSkinByHandle(window, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
        return skin;
    }
};

TEST_F(SkinControlBaseTest, AttachedSkinSeesTheControlsMessagesAndPaintsOverIt) {
    TForm* form = NewForm();
    auto* panel = Add<TPanel>(form, 10, 10, 80, 40);
    EXPECT_EQ(SendMessageW(panel->Handle(), SM_SKINNEDQUERY, 0, 0), 0) << "not skinned yet";
    auto* skin = SkinOf<TMarkingSkin>(panel);
    EXPECT_EQ(skin->Lifecycle(), slSkinned);
    EXPECT_EQ(skin->Window(), panel->Handle());
    EXPECT_EQ(skinForm->FindSkinControl(panel), skin) << "registered with the form";
    EXPECT_EQ(SendMessageW(panel->Handle(), SM_SKINNEDQUERY, 0, 0), SkinnedAnswer);
    EXPECT_GT(skin->draws, 0) << "the control asked to repaint itself";
    EXPECT_EQ(Pixel(panel, 40, 20), Marked);
    // A second attach changes nothing.
    const TWndMethod slot = panel->WindowProc();
    skin->InitSkin(skinForm.get(), skinData.get(), false, skinForm->ControlCanvas());
    EXPECT_EQ(panel->WindowProc(), slot);
    EXPECT_EQ(skinForm->listed.size(), 1u);
}

TEST_F(SkinControlBaseTest, SwitchMessageTurnsTheSkinOffAndBackOnWithARepaint) {
    TForm* form = NewForm();
    auto* panel = Add<TPanel>(form, 10, 10, 80, 40);
    auto* skin = SkinOf<TMarkingSkin>(panel);
    SendMessageW(panel->Handle(), SM_SKINCONTROLSWITCH, 0, 0);
    EXPECT_FALSE(skin->Active());
    const int seenBefore = skin->seen;
    EXPECT_EQ(SendMessageW(panel->Handle(), SM_SKINNEDQUERY, 0, 0), 0) << "switched off, the control answers";
    InvalidateRect(panel->Handle(), nullptr, TRUE);
    Pump();
    EXPECT_EQ(skin->seen, seenBefore) << "every message went straight to the control";
    EXPECT_NE(Pixel(panel, 40, 20), Marked) << "the control drew itself";
    const int drawsBefore = skin->draws;
    SendMessageW(panel->Handle(), SM_SKINCONTROLSWITCH, 1, 0);
    EXPECT_TRUE(skin->Active());
    EXPECT_GT(skin->draws, drawsBefore) << "repainted at once";
    EXPECT_EQ(Pixel(panel, 40, 20), Marked);
}

TEST_F(SkinControlBaseTest, RecolorTakesTheSkinsBackgroundAndUnskinGivesColourAndParentBackgroundBack) {
    TForm* form = NewForm();
    auto* box = Add<TGroupBox>(form, 10, 10, 120, 60);
    box->SetParentBackground(true);
    box->SetColor(clRed);
    auto* skin = SkinOf<TMarkingSkin>(box, true);
    EXPECT_EQ(box->Color(), Skin().Colours[3]);
    EXPECT_FALSE(box->ParentBackground()) << "switched off while skinned";
    EXPECT_EQ(skin->Kind(), 1);
    skin->Unskin();
    EXPECT_EQ(box->Color(), clRed);
    EXPECT_TRUE(box->ParentBackground());

    auto* plain = Add<TGroupBox>(form, 10, 80, 120, 60);
    plain->SetParentBackground(false);
    auto* other = SkinOf<TMarkingSkin>(plain, true);
    EXPECT_EQ(other->Kind(), 0);
    other->Unskin();
    EXPECT_FALSE(plain->ParentBackground()) << "what was off stays off";
}

TEST_F(SkinControlBaseTest, TheOptionToKeepParentBackgroundLeavesItAlone) {
    skinData->SetOptions(skinData->Options().Include(xoParentBackGround));
    TForm* form = NewForm();
    auto* box = Add<TGroupBox>(form, 10, 10, 120, 60);
    box->SetParentBackground(true);
    auto* skin = SkinOf<TMarkingSkin>(box, true);
    EXPECT_TRUE(box->ParentBackground());
    EXPECT_EQ(skin->Kind(), 0);
}

TEST_F(SkinControlBaseTest, ADestroyedWindowIsNeitherRepaintedNorRecoloured) {
    TForm* form = NewForm();
    auto* box = Add<TGroupBox>(form, 10, 10, 120, 60);
    box->SetParentBackground(true);
    auto* skin = SkinOf<TMarkingSkin>(box, true);
    DestroyWindow(box->Handle());
    EXPECT_EQ(skin->Lifecycle(), slWindowDestroyed);
    EXPECT_FALSE(skin->Active()) << "unskinned by the window's end";
    EXPECT_EQ(box->Color(), Skin().Colours[3]) << "nothing written to the control of a dead window";
    EXPECT_FALSE(box->ParentBackground());
    const int draws = skin->draws;
    skin->Repaint();
    Pump();
    EXPECT_EQ(skin->draws, draws);
}

TEST_F(SkinControlBaseTest, SkinChangedTakesTheNewBackgroundAndRepaints) {
    TForm* form = NewForm();
    auto* panel = Add<TPanel>(form, 10, 10, 80, 40);
    auto* skin = SkinOf<TMarkingSkin>(panel, true);
    skinData->Elements().Colours[3] = clLime;
    const int draws = skin->draws;
    skin->SkinChanged();
    EXPECT_EQ(panel->Color(), clLime);
    EXPECT_GT(skin->draws, draws);
}

TEST_F(SkinControlBaseTest, SkinsOfOneControlLeaveInEitherOrderAndTheControlKeepsWorking) {
    TForm* form = NewForm();
    for (bool firstLeavesFirst : {true, false}) {
        auto* panel = Add<TPanel>(form, 10, 10, 80, 40);
        const TWndMethod own = panel->WindowProc();
        auto* first = SkinOf<TMarkingSkin>(panel);
        auto* second = SkinOf<TMarkingSkin>(panel);
        delete (firstLeavesFirst ? static_cast<TSkinControl*>(first) : second);
        TMarkingSkin* left = firstLeavesFirst ? second : first;
        const int seen = left->seen;
        panel->Perform(WM_USER + 7);
        EXPECT_EQ(left->seen, seen + 1) << "the one left still sees the messages";
        delete left;
        EXPECT_EQ(panel->WindowProc(), own);
        EXPECT_TRUE(skinForm->listed.empty()) << "each left the form's list";
        panel->SetCaption("still working");
        EXPECT_EQ(panel->Caption(), "still working");
    }
}

TEST_F(SkinControlBaseTest, ControlDestroyedWithItsSkinLeavesNothingBehind) {
    TForm* form = NewForm();
    auto* panel = Add<TPanel>(form, 10, 10, 80, 40);
    SkinOf<TMarkingSkin>(panel, true);
    delete panel;
    EXPECT_TRUE(skinForm->listed.empty());
}

TEST_F(SkinControlBaseTest, BareWindowSkinSubclassesTheProcedureAndLeavesInEitherOrder) {
    TForm* form = NewForm();
    for (bool firstLeavesFirst : {true, false}) {
        HWND window = BareChild(form, u"标题");
        const LONG_PTR own = GetWindowLongPtrW(window, GWLP_WNDPROC);
        TMarkingSkin* first = ByHandle(window);
        TMarkingSkin* second = ByHandle(window);
        EXPECT_EQ(SendMessageW(window, SM_SKINNEDQUERY, 0, 0), SkinnedAnswer);
        EXPECT_NE(GetWindowLongPtrW(window, GWLP_WNDPROC), own);
        delete (firstLeavesFirst ? first : second);
        TMarkingSkin* left = firstLeavesFirst ? second : first;
        const int seen = left->seen;
        SendMessageW(window, WM_USER + 3, 0, 0);
        EXPECT_EQ(left->seen, seen + 1);
        delete left;
        EXPECT_EQ(GetWindowLongPtrW(window, GWLP_WNDPROC), own);
        EXPECT_EQ(SendMessageW(window, SM_SKINNEDQUERY, 0, 0), 0);
        DestroyWindow(window);
    }
}

TEST_F(SkinControlBaseTest, BareWindowSkinReadsTheCaptionAndOutlivesItsWindow) {
    TForm* form = NewForm();
    HWND window = BareChild(form);
    TMarkingSkin* skin = ByHandle(window);
    Pump();
    EXPECT_GT(skin->draws, 0);
    EXPECT_EQ(Pixel(window, 30, 15), Marked);
    DestroyWindow(window);
    EXPECT_EQ(skin->Lifecycle(), slWindowDestroyed);
    delete skin; // nothing to give back to a window that is gone
    EXPECT_TRUE(skinForm->listed.empty());
}

TEST_F(SkinControlBaseTest, ForwardedPressReachesTheControlsOwnMouseDown) {
    TForm* form = NewForm();
    auto* panel = Add<TPanel>(form, 10, 10, 80, 40);
    struct TForwarding : TMarkingSkin {
        using TMarkingSkin::TMarkingSkin;
        bool BeforeMessage(TMessage& message) override {
            if (message.Msg == WM_LBUTTONDOWN) {
                ForwardMouseDown(message);
                return false;
            }
            return TMarkingSkin::BeforeMessage(message);
        }
    };
    SkinOf<TForwarding>(panel);
    TPoint pressed{-1, -1};
    panel->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) { pressed = Point(x, y); };
    SendMessageW(panel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 7));
    EXPECT_EQ(pressed.x, 12);
    EXPECT_EQ(pressed.y, 7);
}

TEST_F(SkinControlBaseTest, PropertiesByNameTolerateMissingOnesAndCompareLowerCased) {
    TForm* form = NewForm();
    auto* button = Add<TButton>(form, 10, 10, 80, 24);
    button->SetDefault(true);
    EXPECT_TRUE(skin_properties::Is(button, "Default", "TRUE"));
    EXPECT_EQ(skin_properties::ReadIdentifier(button, "Default"), "true");
    EXPECT_EQ(skin_properties::ReadIdentifier(button, "NoSuchProperty"), "");
    EXPECT_FALSE(skin_properties::Is(nullptr, "Default", "true"));
    EXPECT_FALSE(skin_properties::HasOrdinal(button, "Caption")) << "a string is not ordinal";
    EXPECT_TRUE(skin_properties::HasOrdinal(button, "Color"));
    EXPECT_FALSE(SetPropValue(button, "NoSuchProperty", "1")) << "writes to missing properties are skipped";
}

} // namespace
