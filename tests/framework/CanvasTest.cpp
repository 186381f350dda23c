// Drawing through a canvas: the objects it selects, shapes, text and copies, on a bitmap.

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Bitmap.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<TBitmap> WhiteBitmap(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    return bitmap;
}

int CountColour(TCanvas& canvas, int width, int height, TColor colour) {
    int count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            count += canvas.Pixels(x, y) == colour;
    return count;
}

} // namespace

TEST(Canvas, FillsFramesAndDrawsShapesWithItsBrushAndPen) {
    auto bitmap = WhiteBitmap(20, 10);
    TCanvas& canvas = *bitmap->Canvas();
    EXPECT_EQ(CountColour(canvas, 20, 10, clWhite), 200);

    canvas.Brush()->SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 5, 5));
    EXPECT_EQ(CountColour(canvas, 20, 10, clRed), 25);

    canvas.Brush()->SetColor(clBlue);
    canvas.FrameRect(Rect(10, 0, 14, 4));
    EXPECT_EQ(CountColour(canvas, 20, 10, clBlue), 12);

    canvas.Pen()->SetColor(clLime);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Rectangle(0, 5, 4, 9);
    EXPECT_EQ(canvas.Pixels(0, 5), clLime);
    EXPECT_EQ(canvas.Pixels(2, 7), clWhite); // a clear brush leaves the inside alone

    canvas.MoveTo(15, 9);
    canvas.LineTo(19, 9);
    EXPECT_EQ(canvas.Pixels(15, 9), clLime);
    EXPECT_EQ(canvas.Pixels(19, 9), clWhite); // the end point is not drawn
    EXPECT_EQ(canvas.PenPos().x, 19);

    canvas.SetPixels(19, 0, clYellow);
    EXPECT_EQ(canvas.Pixels(19, 0), clYellow);
    EXPECT_EQ(canvas.Pixels(25, 0), clNone);
}

TEST(Canvas, PenModesMixWithWhatIsThere) {
    auto bitmap = WhiteBitmap(8, 2);
    TCanvas& canvas = *bitmap->Canvas();
    canvas.Pen()->SetColor(clWhite);
    canvas.Pen()->SetMode(pmXor);
    canvas.MoveTo(0, 0);
    canvas.LineTo(8, 0);
    EXPECT_EQ(canvas.Pixels(3, 0), clBlack);
}

TEST(Canvas, TextUsesTheFontColourAndMovesThePen) {
    auto bitmap = WhiteBitmap(100, 20);
    TCanvas& canvas = *bitmap->Canvas();
    canvas.Font()->SetColor(clRed);
    canvas.Brush()->SetStyle(bsClear);
    const TSize extent = canvas.TextExtent("连接");
    EXPECT_EQ(extent.cx, 24); // two 12-pixel Song characters
    EXPECT_GT(extent.cy, 11);
    EXPECT_EQ(canvas.TextWidth("ab"), canvas.TextExtent("ab").cx);
    canvas.TextOut(2, 2, "连接");
    EXPECT_EQ(canvas.PenPos().x, 2 + extent.cx);
    EXPECT_GT(CountColour(canvas, 100, 20, clRed), 10);

    // TextRect clips to its rectangle and fills it with a solid brush.
    canvas.Brush()->SetColor(clBlue);
    canvas.TextRect(Rect(50, 0, 60, 20), 50, 2, "连接连接");
    EXPECT_EQ(canvas.Pixels(50, 0), clBlue);
    EXPECT_EQ(canvas.Pixels(60, 10), clWhite);
}

TEST(Canvas, CopyRectStretchesWithTheCopyMode) {
    auto source = WhiteBitmap(4, 4);
    source->Canvas()->Brush()->SetColor(clRed);
    source->Canvas()->FillRect(Rect(0, 0, 2, 4));
    auto dest = WhiteBitmap(8, 8);
    dest->Canvas()->CopyRect(Rect(0, 0, 8, 8), source->Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(dest->Canvas()->Pixels(3, 7), clRed);
    EXPECT_EQ(dest->Canvas()->Pixels(4, 0), clWhite);

    dest->Canvas()->SetCopyMode(cmNotSrcCopy);
    dest->Canvas()->CopyRect(Rect(0, 0, 4, 4), source->Canvas(), Rect(0, 0, 4, 4));
    EXPECT_EQ(dest->Canvas()->Pixels(0, 0), static_cast<TColor>(0xFFFF00)); // not red
    EXPECT_EQ(dest->Canvas()->Pixels(3, 0), clBlack);
}

TEST(Canvas, WithoutAContextItRefusesToDraw) {
    TCanvas canvas;
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_THROW(canvas.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
    canvas.Lock();
    EXPECT_EQ(canvas.LockCount(), 1);
    canvas.Unlock();
    EXPECT_EQ(canvas.LockCount(), 0);
}

TEST(Canvas, AnOutsideContextGetsItsOwnObjectsBack) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ ownFont = GetCurrentObject(dc, OBJ_FONT);
    HGDIOBJ ownBrush = GetCurrentObject(dc, OBJ_BRUSH);
    {
        TCanvas canvas;
        canvas.SetHandle(dc);
        canvas.TextExtent("x");
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect(Rect(0, 0, 1, 1));
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), canvas.Font()->Handle());
        canvas.SetHandle(nullptr);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), ownFont);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), ownBrush);
    DeleteDC(dc);
}
