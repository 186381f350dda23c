// Containers whose skin takes over their paint still show their graphic (windowless) children:
// a group box, a tab sheet, a status bar, and a tab control whose skin was made to paint them.
// Without it a speed button or shape on such a container would vanish under the skin.

#include "ControlSkinFixture.h"

#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/comctrls/TabControl.h"
#include "framework/controls/GraphicControl.h"
#include "framework/stdctrls/Buttons.h"
#include "skin/controls/SkinContainers.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/controls/SkinTabs.h"

namespace {

constexpr TColor SwatchColour = 0x2080E0;

// A windowless control that paints itself in one colour.
class TSwatch : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;

protected:
    void Paint() override {
        Canvas()->Brush()->SetColor(SwatchColour);
        Canvas()->FillRect(TRect{0, 0, Width(), Height()});
    }
};

class GraphicChildrenTest : public ControlSkinTest {
protected:
    static TSwatch* SwatchOn(TWinControl* parent, int left, int top) {
        auto* swatch = new TSwatch(parent);
        swatch->SetParent(parent);
        swatch->SetBounds(left, top, 20, 12);
        return swatch;
    }
    void Repaint(TWinControl* control) {
        control->Invalidate();
        Pump();
    }
    static COLORREF Swatch() { return ColorToRGB(SwatchColour); }
};

TEST_F(GraphicChildrenTest, AGroupBoxAndATabSheetShowTheirGraphicChildrenOverTheSkin) {
    TForm* form = NewForm(420, 260);
    auto* box = Add<TGroupBox>(form, 10, 10, 160, 100);
    SwatchOn(box, 30, 40);
    SkinOf<TSkinGroupBox>(box);
    Repaint(box);
    EXPECT_EQ(Pixel(box, 40, 45), Swatch()) << "the group box's child";
    EXPECT_EQ(Pixel(box, 80, 45), ColorToRGB(Skin().Colours[3])) << "the skin's background beside it";

    auto* pages = Add<TPageControl>(form, 180, 10, 220, 160);
    auto* sheet = new TTabSheet(form);
    sheet->SetPageControl(pages);
    sheet->SetCaption("页");
    SwatchOn(sheet, 10, 10);
    SkinOf<TSkinTabSheet>(sheet);
    Repaint(sheet);
    EXPECT_EQ(Pixel(sheet, 15, 15), Swatch()) << "the tab sheet's child";
    EXPECT_EQ(Pixel(sheet, 60, 15), ColorToRGB(Skin().Colours[3]));
}

TEST_F(GraphicChildrenTest, ATabControlPaintsItsGraphicChildrenOnlyWhenItsSkinIsToldTo) {
    TForm* form = NewForm(320, 220);
    auto* tabs = Add<TTabControl>(form, 10, 10, 260, 160);
    tabs->AddTab("一");
    tabs->AddTab("二");
    SwatchOn(tabs, 40, 80);
    auto* skin = SkinOf<TSkinTab>(tabs);
    Repaint(tabs);
    EXPECT_NE(Pixel(tabs, 45, 85), Swatch()) << "Kind 0 leaves them out";

    skin->SetKind(TabKindWithGraphicChildren);
    Repaint(tabs);
    EXPECT_EQ(Pixel(tabs, 45, 85), Swatch());
}

TEST_F(GraphicChildrenTest, AStatusBarShowsItsGraphicChildrenOverItsPanels) {
    TForm* form = NewForm(320, 220);
    auto* bar = Add<TStatusBar>(form, 0, 0, 300, 24);
    bar->SetSimplePanel(true);
    SwatchOn(bar, 100, 6);
    SkinOf<TSkinStatusBar>(bar);
    Repaint(bar);
    EXPECT_EQ(Pixel(bar, 110, 10), Swatch());
}

} // namespace
