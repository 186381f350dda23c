// Fonts, brushes and pens: their properties, handles remade after a change, change
// notification and Assign.

#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"
#include "platform/gdi/WinUserDraw.h"

#include <gtest/gtest.h>

TEST(Font, HeightAndSizeAreTheSameMeasureAtNinetySixPixelsPerInch) {
    TFont font;
    EXPECT_EQ(font.Name(), "宋体");
    EXPECT_EQ(font.Height(), -12);
    EXPECT_EQ(font.Size(), 9);
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    font.SetHeight(-24);
    EXPECT_EQ(font.Size(), 18);
}

TEST(Font, ChangesDropTheHandleAndNotifyOnce) {
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &font);
        ++changes;
    };
    HFONT first = font.Handle();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(font.Handle(), first);

    font.SetStyle({fsBold});
    font.SetStyle({fsBold}); // no change, no notice
    EXPECT_EQ(changes, 1);
    HFONT bold = font.Handle();
    EXPECT_NE(bold, first);
    LOGFONTA description{};
    ASSERT_NE(GetObjectA(bold, sizeof description, &description), 0);
    EXPECT_EQ(description.lfWeight, FW_BOLD);
    EXPECT_EQ(description.lfHeight, -12);
    EXPECT_STREQ(description.lfFaceName, "宋体");

    font.SetColor(clRed); // the colour is no part of the handle
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(font.Handle(), bold);
}

TEST(Font, TakesOverAHandleWithItsDescription) {
    TFont font;
    font.SetHandle(
        CreateFontA(-20, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, 0, "黑体"));
    EXPECT_EQ(font.Name(), "黑体");
    EXPECT_EQ(font.Height(), -20);
    EXPECT_TRUE(font.Style() == (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(font.Charset(), GB2312_CHARSET);
}

TEST(Font, AssignCopiesEverythingAndRefusesOtherClasses) {
    TFont source;
    source.SetName("Arial");
    source.SetHeight(-30);
    source.SetColor(clBlue);
    source.SetStyle({fsUnderline});
    TFont copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&source);
    EXPECT_TRUE(copy.Equals(source));
    EXPECT_EQ(changes, 1);

    TBrush brush;
    EXPECT_THROW(copy.Assign(&brush), EConvertError);
    EXPECT_THROW(copy.Assign(nullptr), EConvertError);
}

TEST(Brush, StylesMakeTheMatchingHandles) {
    TBrush brush;
    LOGBRUSH description{};
    GetObjectA(brush.Handle(), sizeof description, &description);
    EXPECT_EQ(description.lbStyle, BS_SOLID);
    EXPECT_EQ(description.lbColor, RGB(255, 255, 255));

    brush.SetStyle(bsClear);
    GetObjectA(brush.Handle(), sizeof description, &description);
    EXPECT_EQ(description.lbStyle, BS_NULL);

    // A colour makes a clear brush solid again.
    brush.SetColor(clBtnFace);
    EXPECT_EQ(brush.Style(), bsSolid);
    GetObjectA(brush.Handle(), sizeof description, &description);
    EXPECT_EQ(description.lbColor, GetSysColor(COLOR_BTNFACE));

    brush.SetStyle(bsCross);
    GetObjectA(brush.Handle(), sizeof description, &description);
    EXPECT_EQ(description.lbStyle, BS_HATCHED);
    EXPECT_EQ(description.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
}

TEST(Pen, DescribesItsHandleAndKeepsTheModeForTheCanvas) {
    TPen pen;
    int changes = 0;
    pen.OnChange = [&](TObject*) { ++changes; };
    pen.SetWidth(3);
    pen.SetStyle(psInsideFrame);
    pen.SetColor(clGreen);
    pen.SetMode(pmXor);
    EXPECT_EQ(changes, 4);
    LOGPEN description{};
    ASSERT_NE(GetObjectA(pen.Handle(), sizeof description, &description), 0);
    EXPECT_EQ(description.lopnStyle, static_cast<UINT>(PS_INSIDEFRAME));
    EXPECT_EQ(description.lopnWidth.x, 3);
    EXPECT_EQ(description.lopnColor, RGB(0, 128, 0));
    EXPECT_EQ(PenModeToRop2(pen.Mode()), R2_XORPEN);
    pen.SetWidth(-1); // refused
    EXPECT_EQ(pen.Width(), 3);
}

TEST(Colors, SystemColoursResolveWhenDrawing) {
    EXPECT_EQ(ColorToRGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ColorToRGB(clRed), RGB(255, 0, 0));
    EXPECT_EQ(static_cast<std::uint32_t>(clWindowText), 0xFF000008u);
    EXPECT_LT(clWindowText, 0);
}
