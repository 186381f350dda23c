// Controls on forms: the WindowProc slot and the notifications it sees, windows made from
// CreateParams and made again, reflected notifications, alignment, painting and the mouse.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "platform/controls/buttons/Button.h"

#include <ostream>

static bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
static std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

// A windowed control over the platform's push button.
class TTestButton : public TWinControl {
public:
    static const TClass& ClassInfo() {
        static const TClass info("TTestButton", &TWinControl::ClassInfo());
        return info;
    }
    const TClass& ClassType() const override { return ClassInfo(); }

    explicit TTestButton(TComponent* owner) : TWinControl(owner) {
        SetBounds(0, 0, 75, 25);
        SetTabStop(true);
    }
    std::vector<UINT> reflected;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        CreateSubClass(params, "BUTTON");
        params.Style |= BS_PUSHBUTTON;
    }
    void Dispatch(TMessage& message) override {
        if (message.Msg >= CN_BASE && message.Msg < CN_BASE + 0x400)
            reflected.push_back(message.Msg);
        TWinControl::Dispatch(message);
    }
};

// A graphic control that fills itself with its colour.
class TSwatch : public TGraphicControl {
public:
    explicit TSwatch(TComponent* owner) : TGraphicControl(owner) {
        SetBounds(0, 0, 20, 20);
        SetParentColor(false);
        SetColor(clRed);
    }

protected:
    void Paint() override { Canvas()->FillRect(Rect(0, 0, Width(), Height())); }
};

class TPainted : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(Rect(0, 0, 5, 5));
    }
};

} // namespace

using WindowProcSlot = FrameworkTest;
using Windows = FrameworkTest;
using Mouse = FrameworkTest;

TEST_F(WindowProcSlot, ReplacementsStackAndComeOffInAnyOrder) {
    TForm* form = NewForm();
    auto* control = new TWinControl(form);
    const TWndMethod own = control->WindowProc();
    EXPECT_EQ(own, control->DefaultWindowProc());
    auto first = std::make_unique<MessageSpy>(control);
    auto second = std::make_unique<MessageSpy>(control);
    EXPECT_EQ(second->Previous(), TWndMethod::Of(first.get(), &MessageSpy::WndProc));
    EXPECT_FALSE(second->Previous() == own);

    control->Perform(WM_USER + 1);
    EXPECT_TRUE(first->Saw(WM_USER + 1));
    EXPECT_TRUE(second->Saw(WM_USER + 1));

    // Any earlier value can be put back, in any order: straight to the control's own...
    control->SetWindowProc(own);
    control->Perform(WM_USER + 2);
    EXPECT_FALSE(first->Saw(WM_USER + 2));
    EXPECT_FALSE(second->Saw(WM_USER + 2));
    // ...back to the outer replacement, which still calls the inner one...
    control->SetWindowProc(TWndMethod::Of(second.get(), &MessageSpy::WndProc));
    control->Perform(WM_USER + 3);
    EXPECT_TRUE(first->Saw(WM_USER + 3));
    // ...and unwound in order.
    control->SetWindowProc(second->Previous());
    control->SetWindowProc(first->Previous());
    EXPECT_EQ(control->WindowProc(), own);
}

TEST_F(WindowProcSlot, SeesTheFrameworksNotifications) {
    TForm* form = NewForm();
    auto* panel = new TWinControl(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 100, 100);
    auto* button = new TTestButton(form);
    button->SetParent(panel);
    auto* other = new TTestButton(form);
    other->SetParent(panel);
    other->SetTop(40);
    auto* swatch = new TSwatch(form);
    swatch->SetParent(panel);
    swatch->SetLeft(80);
    form->Show();
    Pump();
    other->SetFocus();
    Pump();
    MessageSpy spy(button);
    MessageSpy graphicSpy(swatch);
    MessageSpy formSpy(form);

    button->SetEnabled(false);
    EXPECT_TRUE(spy.Saw(0xB00C));
    button->SetVisible(false);
    EXPECT_TRUE(spy.Saw(0xB00B));
    button->SetVisible(true);
    button->SetEnabled(true);
    button->SetText("刷新");
    EXPECT_TRUE(spy.Saw(CM_TEXTCHANGED));
    button->SetColor(clAqua);
    EXPECT_TRUE(spy.Saw(CM_COLORCHANGED));
    button->Font()->SetSize(12);
    EXPECT_TRUE(spy.Saw(CM_FONTCHANGED));
    panel->SetColor(clYellow);
    EXPECT_TRUE(graphicSpy.Saw(CM_PARENTCOLORCHANGED));
    panel->Font()->SetStyle({fsBold});
    EXPECT_TRUE(graphicSpy.Saw(CM_PARENTFONTCHANGED));

    button->SetFocus();
    Pump();
    EXPECT_TRUE(spy.Saw(0xB007));
    EXPECT_TRUE(graphicSpy.Saw(0xB007));

    // The mouse over the button, then over the graphic control, then away.
    const TPoint overButton = OnScreen(button, 5, 5);
    platform::headless::MoveMouse(overButton.x, overButton.y);
    Pump();
    EXPECT_EQ(spy.Count(0xB013), 1);
    const TPoint overSwatch = OnScreen(swatch, 5, 5);
    platform::headless::MoveMouse(overSwatch.x, overSwatch.y);
    Pump();
    EXPECT_EQ(spy.Count(0xB014), 1);
    EXPECT_EQ(graphicSpy.Count(0xB013), 1);
    platform::headless::MoveMouse(5, 5);
    Pump();
    EXPECT_EQ(graphicSpy.Count(0xB014), 1);

    // Tab is a dialog key for the form; a letter the focused control does not type is a
    // dialog character.
    platform::headless::TypeKey(VK_TAB);
    Pump();
    EXPECT_TRUE(formSpy.Saw(0xB005));
    button->SetFocus();
    Pump();
    platform::headless::TypeKey('A');
    Pump();
    EXPECT_TRUE(formSpy.Saw(0xB006));

    button->RecreateWnd();
    EXPECT_TRUE(spy.Saw(0xB033));
    EXPECT_TRUE(errors.empty());
}

TEST_F(Windows, AreMadeFromCreateParamsAndRemadeKeepingTheirState) {
    TForm* form = NewForm();
    auto* button = new TTestButton(form);
    button->SetParent(form);
    button->SetBounds(10, 20, 80, 24);
    button->SetText("保存");
    button->SetEnabled(false);
    EXPECT_FALSE(button->HandleAllocated());
    form->Show();
    ASSERT_TRUE(button->HandleAllocated());
    HWND first = button->Handle();
    char className[32] = {};
    GetClassNameA(first, className, sizeof className);
    EXPECT_STREQ(className, "TTestButton");
    EXPECT_EQ(FindControl(first), button);
    EXPECT_FALSE(IsWindowEnabled(first));

    button->RecreateWnd();
    HWND second = button->Handle();
    ASSERT_NE(second, first);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(FindControl(second), button);
    EXPECT_EQ(button->Text(), "保存");
    EXPECT_EQ(button->BoundsRect().left, 10);
    EXPECT_EQ(button->Width(), 80);
    EXPECT_FALSE(IsWindowEnabled(second));
    EXPECT_TRUE(IsWindowVisible(second));
    EXPECT_EQ(GetParent(second), form->Handle());
}

TEST_F(Windows, StackInTheOrderOfTheListWheneverTheyAreMade) {
    TForm* form = NewForm();
    std::vector<TTestButton*> buttons;
    for (int i = 0; i < 3; ++i) {
        buttons.push_back(new TTestButton(form));
        buttons.back()->SetParent(form);
    }
    buttons[0]->SetVisible(false);
    form->Show();
    auto stacking = [&] {
        std::vector<HWND> order;
        for (HWND w = GetWindow(form->Handle(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
            order.push_back(w);
        return order;
    };
    // The last control of the list is on top, as a control placed later covers the earlier ones.
    EXPECT_EQ(stacking(), (std::vector<HWND>{buttons[2]->Handle(), buttons[1]->Handle()}));
    buttons[0]->SetVisible(true);
    buttons[1]->RecreateWnd();
    EXPECT_EQ(stacking(),
              (std::vector<HWND>{buttons[2]->Handle(), buttons[1]->Handle(), buttons[0]->Handle()}))
        << "a window made later takes its place in the list";
    buttons[0]->BringToFront();
    EXPECT_EQ(GetWindow(form->Handle(), GW_CHILD), buttons[0]->Handle());
}

TEST_F(Windows, ParentsReflectCommandsToTheChildTheyConcern) {
    TForm* form = NewForm();
    auto* button = new TTestButton(form);
    button->SetParent(form);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    Pump();
    const TPoint point = OnScreen(button, 10, 10);
    platform::headless::Click(point.x, point.y);
    Pump();
    EXPECT_NE(std::find(button->reflected.begin(), button->reflected.end(), 0xBD11u),
              button->reflected.end());
    // The button colours come from the framework control as a reflected WM_CTLCOLORBTN.
    EXPECT_NE(std::find(button->reflected.begin(), button->reflected.end(), CN_CTLCOLORBTN),
              button->reflected.end());
}

TEST_F(Windows, AlignmentFillsTheClientAreaInPlaceOrder) {
    TForm* form = NewForm(400, 300);
    auto* top = new TWinControl(form);
    top->SetHeight(32);
    top->SetAlign(alTop);
    top->SetParent(form);
    auto* bottom = new TWinControl(form);
    bottom->SetHeight(19);
    bottom->SetAlign(alBottom);
    bottom->SetParent(form);
    auto* client = new TWinControl(form);
    client->SetAlign(alClient);
    client->SetParent(form);
    form->Show();
    const int width = form->ClientWidth();
    const int height = form->ClientHeight();
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, width, 32));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, height - 19, width, height));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 32, width, height - 19));

    form->SetBounds(100, 100, 500, 400);
    Pump();
    EXPECT_EQ(client->Width(), form->ClientWidth());
    EXPECT_EQ(bottom->Top(), form->ClientHeight() - 19);
}

TEST_F(Windows, GraphicAndCustomControlsPaintThemselves) {
    TForm* form = NewForm();
    auto* swatch = new TSwatch(form);
    swatch->SetParent(form);
    swatch->SetBounds(10, 10, 20, 20);
    auto* painted = new TPainted(form);
    painted->SetParent(form);
    painted->SetBounds(50, 10, 30, 30);
    form->Show();
    Pump();
    const TPoint swatchPoint = OnScreen(swatch, 5, 5);
    EXPECT_EQ(platform::headless::ReadScreenPixel(swatchPoint.x, swatchPoint.y), RGB(255, 0, 0));
    const TPoint paintedPoint = OnScreen(painted, 2, 2);
    EXPECT_EQ(platform::headless::ReadScreenPixel(paintedPoint.x, paintedPoint.y), RGB(0, 0, 255));
    EXPECT_GE(painted->paints, 1);

    // PaintTo draws the same into any DC.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, form->Width(), form->Height());
    HGDIOBJ old = SelectObject(memory, bitmap);
    form->PaintTo(memory, 0, 0);
    POINT origin{0, 0};
    ::ClientToScreen(form->Handle(), &origin);
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(GetPixel(memory, origin.x - window.left + 15, origin.y - window.top + 15), RGB(255, 0, 0));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_F(Mouse, EventsReachGraphicAndWindowedControlsInTheirOwnCoordinates) {
    TForm* form = NewForm();
    auto* swatch = new TSwatch(form);
    swatch->SetParent(form);
    swatch->SetBounds(40, 30, 20, 20);
    std::vector<std::string> events;
    swatch->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int x, int y) {
        events.push_back("down " + std::to_string(button) + " " + std::to_string(x) + "," +
                         std::to_string(y));
    };
    swatch->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { events.push_back("up"); };
    swatch->OnClick = [&](TObject*) { events.push_back("click"); };
    swatch->OnDblClick = [&](TObject*) { events.push_back("double"); };
    form->Show();
    Pump();
    const TPoint point = OnScreen(swatch, 3, 4);
    platform::headless::Click(point.x, point.y);
    Pump();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], "down 0 3,4");
    EXPECT_EQ(events[1], "click");
    EXPECT_EQ(events[2], "up");

    // A press that is released outside the control is no click.
    events.clear();
    platform::headless::PressButton(point.x, point.y);
    Pump();
    const TPoint outside = OnScreen(swatch, 50, 50);
    platform::headless::ReleaseButton(outside.x, outside.y);
    Pump();
    EXPECT_EQ(std::count(events.begin(), events.end(), "click"), 0);
    EXPECT_EQ(std::count(events.begin(), events.end(), "up"), 1);
}

TEST(ControlProperties, WindowedControlsPublishTheirState) {
    TWinControl control(nullptr);
    EXPECT_EQ(GetEnumProp(&control, "Visible"), "True");
    EXPECT_TRUE(SetPropValue(&control, "TabStop", "true"));
    EXPECT_TRUE(control.TabStop());
    EXPECT_TRUE(SetPropValue(&control, "Align", "alClient"));
    EXPECT_EQ(control.Align(), alClient);
    EXPECT_EQ(GetOrdProp(&control, "Caption"), -1);
}
