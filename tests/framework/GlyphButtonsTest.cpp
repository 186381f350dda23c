// The framework's glyph buttons: TBitBtn (an owner-drawn push button with a glyph and the
// standard kinds) and TSpeedButton (a windowless button: clicks, groups, flat look, mnemonics),
// used with the mouse and the keyboard on the headless display; their properties by name.

#include "FrameworkTestSupport.h"

#include "framework/buttons/BitBtn.h"
#include "framework/buttons/SpeedButton.h"
#include "framework/classes/TypInfo.h"
#include "platform/controls/buttons/Button.h"
#include "platform/gdi/WinUserDraw.h"

namespace {

// A 16 x 16 glyph of one colour with an olive bottom-left pixel (its transparent colour).
std::unique_ptr<TBitmap> SolidGlyph(TColor colour) {
    auto glyph = std::make_unique<TBitmap>();
    glyph->SetPixelFormat(pf24bit);
    glyph->SetSize(16, 16);
    glyph->Canvas()->Brush()->SetColor(colour);
    glyph->Canvas()->FillRect(Rect(0, 0, 16, 16));
    glyph->Canvas()->SetPixels(0, 15, clOlive);
    return glyph;
}

COLORREF PixelOf(TControl* control, int x, int y) {
    const TPoint point = control->ClientToScreen(Point(x, y));
    return platform::headless::ReadScreenPixel(point.x, point.y);
}

class GlyphButtons : public FrameworkTest {
protected:
    template <typename T>
    T* Add(TWinControl* parent, int left, int top, int width, int height) {
        auto* control = new T(parent);
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }
};

} // namespace

TEST(BitBtnKinds, EveryStandardKindHasOurCaptionGlyphAndResult) {
    TBitBtn button(nullptr);
    for (int kind = bkOK; kind <= bkAll; ++kind) {
        button.SetKind(static_cast<TBitBtnKind>(kind));
        SCOPED_TRACE(GetEnumProp(&button, "Kind"));
        EXPECT_EQ(button.Kind(), kind);
        EXPECT_FALSE(button.Caption().empty());
        EXPECT_EQ(button.Glyph()->Width(), 16);
        EXPECT_EQ(button.NumGlyphs(), 1);
    }
    button.SetKind(bkYes);
    EXPECT_EQ(button.Caption(), "是(&Y)");
    EXPECT_EQ(button.ModalResult(), mrYes);
    EXPECT_TRUE(button.Default());
    EXPECT_FALSE(button.Cancel());
    button.SetKind(bkCancel);
    EXPECT_EQ(button.ModalResult(), mrCancel);
    EXPECT_TRUE(button.Cancel());
    EXPECT_FALSE(button.Default());

    // A glyph of one's own makes it a custom button that keeps the rest.
    button.SetGlyph(SolidGlyph(clRed).get());
    EXPECT_EQ(button.Kind(), bkCustom);
    EXPECT_EQ(button.Caption(), "取消");
}

TEST(BitBtnKinds, TheSkinReadsTheGlyphButtonByName) {
    TBitBtn button(nullptr);
    EXPECT_TRUE(SetPropValue(&button, "Kind", "bkok"));
    EXPECT_EQ(GetEnumProp(&button, "Kind"), "bkOK");
    EXPECT_EQ(GetEnumProp(&button, "Layout"), "blGlyphLeft");
    EXPECT_EQ(GetOrdProp(&button, "Margin"), -1);
    EXPECT_EQ(GetOrdProp(&button, "Spacing"), 4);
    EXPECT_EQ(GetOrdProp(&button, "NumGlyphs"), 1);
    EXPECT_EQ(GetEnumProp(&button, "Default"), "True");
    EXPECT_EQ(GetObjectPropAs<TBitmap>(&button, "Glyph"), button.Glyph());
    EXPECT_TRUE(SetPropValue(&button, "Layout", "blGlyphTop"));
    EXPECT_EQ(button.Layout(), blGlyphTop);
    EXPECT_TRUE(button.InheritsFrom("TButton"));
}

TEST_F(GlyphButtons, ABitBtnDrawsItsGlyphWhereTheLayoutPutsIt) {
    TForm* form = NewForm();
    auto* button = Add<TBitBtn>(form, 10, 10, 100, 30);
    button->SetGlyph(SolidGlyph(clRed).get());
    button->SetMargin(4);
    form->Show();
    Pump();
    // The face's edge is 2 pixels: the glyph starts 4 further, centred down the button.
    EXPECT_EQ(PixelOf(button, 2 + 4 + 8, 15), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(button, 2 + 4 + 8, 4), GetSysColor(COLOR_BTNFACE));
    button->SetLayout(blGlyphRight);
    Pump();
    EXPECT_EQ(PixelOf(button, 100 - 2 - 4 - 8, 15), RGB(255, 0, 0));
    button->SetEnabled(false);
    Pump();
    EXPECT_EQ(PixelOf(button, 100 - 2 - 4 - 8, 15), GetSysColor(COLOR_BTNSHADOW)) << "embossed";
}

TEST_F(GlyphButtons, ABitBtnClicksByMouseSpaceAndMnemonicAndStaysOwnerDrawn) {
    TForm* form = NewForm();
    auto* yes = Add<TBitBtn>(form, 10, 10, 90, 28);
    yes->SetKind(bkYes);
    yes->SetModalResult(mrNone);
    auto* other = Add<TButton>(form, 110, 10, 75, 25);
    int clicks = 0;
    yes->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    Pump();
    const TPoint point = OnScreen(yes, 20, 14);
    platform::headless::Click(point.x, point.y);
    Pump();
    EXPECT_EQ(clicks, 1);
    platform::headless::TypeKey(VK_SPACE);
    Pump();
    EXPECT_EQ(clicks, 2);
    // Focus going to another push button takes the default look away, not the drawing.
    other->SetFocus();
    Pump();
    EXPECT_EQ(GetWindowLongA(yes->Handle(), GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_OWNERDRAW));
    platform::headless::TypeKey('Y');
    Pump();
    EXPECT_EQ(clicks, 3) << "the mnemonic of 是(&Y)";
}

TEST_F(GlyphButtons, ACloseButtonClosesItsFormAfterOnClick) {
    TForm* form = NewForm();
    auto* close = Add<TBitBtn>(form, 10, 10, 90, 28);
    close->SetKind(bkClose);
    bool clicked = false;
    close->OnClick = [&](TObject*) { clicked = IsWindowVisible(form->Handle()) != FALSE; };
    form->Show();
    Pump();
    const TPoint point = OnScreen(close, 20, 14);
    platform::headless::Click(point.x, point.y);
    Pump();
    EXPECT_TRUE(clicked);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(GlyphButtons, ASpeedButtonClicksOnReleaseOverItOnly) {
    TForm* form = NewForm();
    auto* button = Add<TSpeedButton>(form, 10, 10, 40, 30);
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    Pump();
    const TPoint inside = OnScreen(button, 20, 15);
    const TPoint outside = OnScreen(button, 80, 15);
    platform::headless::PressButton(inside.x, inside.y);
    Pump();
    EXPECT_EQ(button->State(), bsDown);
    platform::headless::MoveMouse(outside.x, outside.y);
    Pump();
    EXPECT_EQ(button->State(), bsUp) << "it follows the pointer while held";
    platform::headless::ReleaseButton(outside.x, outside.y);
    Pump();
    EXPECT_EQ(clicks, 0);
    platform::headless::Click(inside.x, inside.y);
    Pump();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button->Down()) << "a button of no group never stays down";
}

TEST_F(GlyphButtons, SpeedButtonsOfAGroupKeepOneDownUnlessAllMayBeUp) {
    TForm* form = NewForm();
    std::vector<TSpeedButton*> group;
    for (int i = 0; i < 3; ++i) {
        group.push_back(Add<TSpeedButton>(form, 10 + i * 30, 10, 25, 25));
        group.back()->SetGroupIndex(1);
    }
    auto* elsewhere = Add<TSpeedButton>(form, 120, 10, 25, 25);
    elsewhere->SetGroupIndex(2);
    elsewhere->SetDown(true);
    int clicks = 0;
    group[1]->OnClick = [&](TObject*) { ++clicks; };
    group[0]->SetDown(true);
    form->Show();
    Pump();
    const TPoint second = OnScreen(group[1], 12, 12);
    platform::headless::Click(second.x, second.y);
    Pump();
    EXPECT_TRUE(group[1]->Down());
    EXPECT_FALSE(group[0]->Down());
    EXPECT_TRUE(elsewhere->Down()) << "another group";
    EXPECT_EQ(group[1]->State(), bsExclusive);
    platform::headless::Click(second.x, second.y);
    Pump();
    EXPECT_TRUE(group[1]->Down()) << "the group keeps one down";
    EXPECT_EQ(clicks, 2);

    group[2]->SetAllowAllUp(true);
    EXPECT_TRUE(group[0]->AllowAllUp()) << "the whole group shares it";
    platform::headless::Click(second.x, second.y);
    Pump();
    EXPECT_FALSE(group[1]->Down());
}

TEST_F(GlyphButtons, AFlatSpeedButtonShowsItsEdgeOnlyUnderTheMouse) {
    TForm* form = NewForm();
    form->SetColor(clAqua);
    auto* button = Add<TSpeedButton>(form, 10, 10, 40, 30);
    button->SetFlat(true);
    form->Show();
    Pump();
    EXPECT_EQ(PixelOf(button, 0, 0), RGB(0, 255, 255)) << "the form shows through";
    const TPoint inside = OnScreen(button, 20, 15);
    platform::headless::MoveMouse(inside.x, inside.y);
    Pump();
    EXPECT_EQ(PixelOf(button, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    const TPoint away = OnScreen(button, 150, 100);
    platform::headless::MoveMouse(away.x, away.y);
    Pump();
    EXPECT_EQ(PixelOf(button, 0, 0), RGB(0, 255, 255));
}

TEST_F(GlyphButtons, ASpeedButtonsMnemonicClicksItAndTheSkinSeesItsMessages) {
    TForm* form = NewForm();
    auto* focus = Add<TButton>(form, 100, 10, 75, 25);
    auto* bold = Add<TSpeedButton>(form, 10, 10, 60, 25);
    bold->SetCaption("粗体(&B)");
    bold->SetGroupIndex(5);
    bold->SetAllowAllUp(true);
    MessageSpy spy(bold);
    form->Show();
    focus->SetFocus();
    Pump();
    EXPECT_TRUE(spy.Saw(WM_PAINT)) << "painting goes through the WindowProc slot";
    platform::headless::TypeKey('B');
    Pump();
    EXPECT_TRUE(bold->Down());
    platform::headless::TypeKey('B');
    Pump();
    EXPECT_FALSE(bold->Down());
    const TPoint point = OnScreen(bold, 10, 10);
    platform::headless::Click(point.x, point.y);
    Pump();
    EXPECT_TRUE(spy.Saw(WM_LBUTTONDOWN));
    EXPECT_TRUE(spy.Saw(CM_MOUSEENTER));

    EXPECT_EQ(GetEnumProp(bold, "Down"), "True");
    EXPECT_TRUE(SetPropValue(bold, "Flat", "true"));
    EXPECT_TRUE(bold->Flat());
    EXPECT_EQ(GetOrdProp(bold, "GroupIndex"), 5);
    EXPECT_EQ(GetEnumProp(bold, "AllowAllUp"), "True");
    EXPECT_EQ(GetStrProp(bold, "Caption"), "粗体(&B)");
    EXPECT_NE(GetObjectPropAs<TBitmap>(bold, "Glyph"), nullptr);
    EXPECT_EQ(GetOrdProp(bold, "Margin"), -1);
    EXPECT_TRUE(bold->InheritsFrom("TGraphicControl"));
}
