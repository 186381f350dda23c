// Panels: what they draw (bevels, border, colour or the parent's, the caption), the controls
// they hold aligned inside the bevels, their properties by name.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/stdctrls/Buttons.h"
#include "framework/stdctrls/Panels.h"

#include <array>

using Panels = FrameworkTest;

namespace {

// A panel's client pixel (its window has no frame unless BorderStyle is bsSingle).
COLORREF PixelOf(TCustomPanel* panel, int x, int y) {
    return platform::headless::ReadPixel(panel->Handle(), x, y);
}

// Left, top, width, height.
std::array<LONG, 4> Box(const TRect& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace

TEST_F(Panels, DrawsItsBevelsBorderAndColour) {
    TForm* form = NewForm(300, 200);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 100, 50);
    panel->SetBevelOuter(bvRaised);
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(2);
    panel->SetBorderWidth(1);
    panel->SetParentBackground(false);
    panel->SetColor(clYellow);
    form->Show();
    Pump();
    const COLORREF highlight = ColorToRGB(clBtnHighlight);
    const COLORREF shadow = ColorToRGB(clBtnShadow);
    const COLORREF yellow = ColorToRGB(clYellow);
    // Outer raised bevel, 2 pixels: light top-left, dark bottom-right.
    EXPECT_EQ(PixelOf(panel, 20, 0), highlight);
    EXPECT_EQ(PixelOf(panel, 0, 20), highlight);
    EXPECT_EQ(PixelOf(panel, 20, 1), highlight);
    EXPECT_EQ(PixelOf(panel, 20, 49), shadow);
    EXPECT_EQ(PixelOf(panel, 99, 20), shadow);
    // The border in the panel's colour, then the inner lowered bevel.
    EXPECT_EQ(PixelOf(panel, 20, 2), yellow);
    EXPECT_EQ(PixelOf(panel, 20, 3), shadow);
    EXPECT_EQ(PixelOf(panel, 20, 46), highlight);
    EXPECT_EQ(PixelOf(panel, 20, 25), yellow);

    // With ParentBackground the inside takes the parent's colour.
    form->SetColor(clAqua);
    panel->SetParentBackground(true);
    Pump();
    EXPECT_EQ(PixelOf(panel, 20, 25), ColorToRGB(clAqua));
}

TEST_F(Panels, DrawsTheCaptionOnTheSideItsAlignmentNames) {
    TForm* form = NewForm(300, 200);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 240, 30);
    panel->SetBevelOuter(bvNone);
    panel->SetCaption("合理的分析");
    panel->Font()->SetColor(clRed);
    form->Show();
    Pump();
    auto inkColumns = [&] {
        std::vector<int> columns;
        for (int x = 0; x < 240; ++x) {
            for (int y = 0; y < 30; ++y) {
                if (PixelOf(panel, x, y) == ColorToRGB(clRed)) {
                    columns.push_back(x);
                    break;
                }
            }
        }
        return columns;
    };
    std::vector<int> centred = inkColumns();
    ASSERT_FALSE(centred.empty());
    const int middle = (centred.front() + centred.back()) / 2;
    EXPECT_NEAR(middle, 120, 4);

    panel->SetAlignment(taLeftJustify);
    Pump();
    std::vector<int> left = inkColumns();
    ASSERT_FALSE(left.empty());
    EXPECT_LT(left.front(), 4);
    panel->SetAlignment(taRightJustify);
    Pump();
    std::vector<int> right = inkColumns();
    ASSERT_FALSE(right.empty());
    EXPECT_GT(right.back(), 235);
}

TEST_F(Panels, AlignsItsControlsInsideTheBevels) {
    TForm* form = NewForm(400, 300);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetAlign(alTop);
    panel->SetHeight(60);
    panel->SetBorderWidth(3);
    auto* button = new TButton(form);
    button->SetParent(panel);
    button->SetAlign(alClient);
    form->Show();
    Pump();
    EXPECT_EQ(Box(button->BoundsRect()), (std::array<LONG, 4>{4, 4, panel->ClientWidth() - 8, 52}));
    panel->SetBevelInner(bvSpace);
    EXPECT_EQ(Box(button->BoundsRect()), (std::array<LONG, 4>{5, 5, panel->ClientWidth() - 10, 50}));
    panel->SetBevelOuter(bvNone);
    panel->SetBevelInner(bvNone);
    panel->SetBorderWidth(0);
    EXPECT_EQ(Box(button->BoundsRect()), (std::array<LONG, 4>{0, 0, panel->ClientWidth(), 60}));

    // A sunken single border is the window's frame; the client area shrinks inside it.
    panel->SetBorderStyle(bsSingle);
    EXPECT_TRUE(GetWindowLongA(panel->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_LT(panel->ClientHeight(), 60);
    EXPECT_EQ(button->Height(), panel->ClientHeight());
    EXPECT_EQ(button->Parent(), panel) << "the child survives the remade window";
}

TEST_F(Panels, PanelPropertiesByName) {
    TForm* form = NewForm();
    auto* panel = new TPanel(form);
    EXPECT_TRUE(panel->InheritsFrom("TCustomPanel"));
    EXPECT_TRUE(panel->InheritsFrom("TCustomControl"));
    EXPECT_EQ(GetEnumProp(panel, "BevelOuter"), "bvRaised");
    EXPECT_EQ(GetEnumProp(panel, "BevelInner"), "bvNone");
    EXPECT_TRUE(SetEnumProp(panel, "BevelOuter", "bvnone"));
    EXPECT_EQ(panel->BevelOuter(), bvNone);
    EXPECT_EQ(GetEnumProp(panel, "ParentBackground"), "True");
    EXPECT_TRUE(SetPropValue(panel, "ParentBackground", "False"));
    EXPECT_FALSE(panel->ParentBackground());
    EXPECT_TRUE(SetStrProp(panel, "Caption", "Panel2"));
    EXPECT_EQ(panel->Caption(), "Panel2");
    EXPECT_EQ(GetOrdProp(panel, "Color"), clBtnFace);
    EXPECT_TRUE(SetOrdProp(panel, "Color", clRed));
    EXPECT_EQ(panel->Color(), clRed);
    EXPECT_EQ(GetEnumProp(panel, "Alignment"), "taCenter");
    EXPECT_EQ(GetEnumProp(panel, "BorderStyle"), "bsNone");
    EXPECT_EQ(GetOrdProp(panel, "BevelWidth"), 1);
    EXPECT_EQ(GetEnumProp(panel, "ParentFont"), "True");
    EXPECT_EQ(GetOrdProp(panel, "Text"), -1);
    EXPECT_EQ(GetOrdProp(panel, "Checked"), -1);
}
