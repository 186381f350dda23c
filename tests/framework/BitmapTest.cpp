// Bitmaps: sizes, pixel formats and their rows, BMP streams, resources, handles given away
// and remade, monochrome pictures, transparency; icons and pictures.

#include "framework/classes/Module.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Picture.h"

#include "core/Stream.h"
#include "platform/gdi/WinUserDraw.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

// A 4 x 3 picture: red top-left pixel, blue bottom-right, white elsewhere.
std::unique_ptr<TBitmap> Sample(TPixelFormat format) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(format);
    bitmap->SetSize(4, 3);
    bitmap->Canvas()->SetPixels(0, 0, clRed);
    bitmap->Canvas()->SetPixels(3, 2, clBlue);
    return bitmap;
}

void ExpectSample(TBitmap& bitmap) {
    ASSERT_EQ(bitmap.Width(), 4);
    ASSERT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(bitmap.Canvas()->Pixels(3, 2), clBlue);
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 1), clWhite);
}

} // namespace

TEST(Bitmap, ResizingKeepsTheTopLeftAndPaintsNewPixelsWhite) {
    auto bitmap = Sample(pf24bit);
    bitmap->SetWidth(6);
    bitmap->SetHeight(2);
    EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(bitmap->Canvas()->Pixels(5, 1), clWhite);
    bitmap->SetSize(0, 5);
    EXPECT_TRUE(bitmap->Empty());
    EXPECT_EQ(bitmap->Handle(), nullptr);
}

TEST(Bitmap, EveryPixelFormatKeepsThePictureAndReportsItself) {
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfDevice}) {
        SCOPED_TRACE(format);
        auto bitmap = Sample(pf24bit);
        bitmap->SetPixelFormat(format);
        EXPECT_EQ(bitmap->PixelFormat(), format);
        EXPECT_EQ(bitmap->HandleType(), format == pfDevice ? bmDDB : bmDIB);
        if (format == pf1bit) {
            EXPECT_TRUE(bitmap->Monochrome());
            EXPECT_EQ(bitmap->Canvas()->Pixels(1, 1), clWhite);
            continue;
        }
        ExpectSample(*bitmap);
    }
}

TEST(Bitmap, ScanLinesAreRowsFromTheTopInThePixelFormat) {
    auto bitmap = Sample(pf24bit);
    const auto* top = static_cast<const std::uint8_t*>(bitmap->ScanLine(0));
    EXPECT_EQ(top[0], 0); // blue, green, red
    EXPECT_EQ(top[2], 255);
    auto* bottom = static_cast<std::uint8_t*>(bitmap->ScanLine(2));
    EXPECT_EQ(bottom[9], 255);
    EXPECT_EQ(bottom[11], 0);
    bottom[0] = 0; // the bottom-left pixel becomes green
    bottom[1] = 255;
    bottom[2] = 0;
    EXPECT_EQ(bitmap->Canvas()->Pixels(0, 2), clLime);
    EXPECT_THROW(bitmap->ScanLine(3), EInvalidGraphic);
    EXPECT_THROW(bitmap->ScanLine(-1), EInvalidGraphic);

    // A device bitmap becomes a section to hand out its rows.
    bitmap->SetPixelFormat(pfDevice);
    ASSERT_NE(bitmap->ScanLine(0), nullptr);
    EXPECT_EQ(bitmap->HandleType(), bmDIB);
    EXPECT_EQ(bitmap->PixelFormat(), pf32bit);
    EXPECT_EQ(static_cast<const std::uint32_t*>(bitmap->ScanLine(0))[0] & 0xFFFFFF, 0xFF0000u);
}

TEST(Bitmap, StreamsRoundTripAsBmpFilesOfTheirOwnDepth) {
    for (TPixelFormat format : {pf4bit, pf8bit, pf16bit, pf24bit, pf32bit, pfDevice}) {
        SCOPED_TRACE(format);
        auto bitmap = Sample(format);
        TMemoryStream stream;
        bitmap->SaveToStream(stream);
        ASSERT_GT(stream.Size(), 54);
        EXPECT_EQ(stream.Memory()[0], 'B');
        EXPECT_EQ(stream.Memory()[1], 'M');
        BITMAPINFOHEADER header{};
        std::memcpy(&header, stream.Memory() + sizeof(BITMAPFILEHEADER), sizeof header);
        const int expectedBits[] = {32, 1, 4, 8, 16, 16, 24, 32};
        EXPECT_EQ(header.biBitCount, expectedBits[format]);

        TBitmap copy;
        stream.SetPosition(0);
        copy.LoadFromStream(stream);
        EXPECT_EQ(stream.Position(), stream.Size());
        ExpectSample(copy);
        if (format != pfDevice) {
            EXPECT_EQ(copy.PixelFormat(), format);
        }
    }
}

TEST(Bitmap, DamagedStreamsAreRefusedAndLeaveThePicture) {
    auto bitmap = Sample(pf24bit);
    TMemoryStream stream;
    bitmap->SaveToStream(stream);
    stream.SetSize(40); // cut inside the info header
    stream.SetPosition(0);
    TBitmap target;
    target.SetSize(2, 2);
    EXPECT_THROW(target.LoadFromStream(stream), EInvalidGraphic);
    EXPECT_EQ(target.Width(), 2);

    TMemoryStream notBmp;
    notBmp.WriteBuffer("GIF89a and so on....", 20);
    notBmp.SetPosition(0);
    EXPECT_THROW(target.LoadFromStream(notBmp), EInvalidGraphic);

    TMemoryStream empty;
    target.LoadFromStream(empty);
    EXPECT_TRUE(target.Empty());
}

TEST(Bitmap, BuiltInBitmapsLoadByResourceName) {
    TBitmap track;
    track.LoadFromResourceName(HInstance(), "TRACK");
    EXPECT_EQ(track.Width(), 16);
    EXPECT_EQ(track.Height(), 4);
    TBitmap menu;
    menu.LoadFromResourceName(HInstance(), "TRELLISMENU");
    EXPECT_EQ(menu.Width(), 64);
    EXPECT_TRUE(menu.Monochrome());
    EXPECT_THROW(menu.LoadFromResourceName(HInstance(), "NOSUCH"), EResNotFound);
    EXPECT_EQ(menu.Width(), 64);
}

TEST(Bitmap, AReleasedHandleIsTheCallersAndTheNextUseMakesANewOne) {
    auto bitmap = Sample(pf24bit);
    HBITMAP given = bitmap->ReleaseHandle();
    ASSERT_NE(given, nullptr);
    EXPECT_FALSE(bitmap->HandleAllocated());
    ExpectSample(*bitmap); // drawing remakes the handle from the kept picture
    EXPECT_NE(bitmap->Handle(), given);
    BITMAP info{};
    EXPECT_NE(GetObjectA(given, sizeof info, &info), 0); // still alive: it is ours now
    EXPECT_TRUE(DeleteObject(given));

    bitmap->Dormant();
    EXPECT_FALSE(bitmap->HandleAllocated());
    ExpectSample(*bitmap);
}

TEST(Bitmap, AssignMakesAnIndependentCopy) {
    auto source = Sample(pf8bit);
    source->SetTransparentColor(clBlue);
    source->SetTransparent(true);
    TBitmap copy;
    copy.Assign(source.get());
    ExpectSample(copy);
    EXPECT_EQ(copy.PixelFormat(), pf8bit);
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(copy.TransparentColor(), clBlue);
    copy.Canvas()->SetPixels(0, 0, clBlack);
    EXPECT_EQ(source->Canvas()->Pixels(0, 0), clRed);

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
}

TEST(Bitmap, MonochromeKeepsWhiteAndTurnsOtherColoursBlack) {
    auto bitmap = Sample(pf24bit);
    bitmap->SetMonochrome(true);
    EXPECT_TRUE(bitmap->Monochrome());
    EXPECT_EQ(bitmap->HandleType(), bmDDB);
    EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), clBlack);
    EXPECT_EQ(bitmap->Canvas()->Pixels(1, 0), clWhite);
    bitmap->SetMonochrome(false);
    EXPECT_FALSE(bitmap->Monochrome());
    EXPECT_EQ(bitmap->Canvas()->Pixels(0, 0), clBlack);
}

TEST(Bitmap, TransparentDrawingLeavesTheKeyColourOut) {
    auto sprite = Sample(pf24bit);
    sprite->Canvas()->Brush()->SetColor(clFuchsia);
    sprite->Canvas()->FillRect(Rect(0, 2, 4, 3)); // bottom row magenta
    EXPECT_EQ(sprite->TransparentMode(), tmAuto);
    EXPECT_EQ(sprite->TransparentColor(), clFuchsia); // the bottom-left pixel
    sprite->SetTransparent(true);

    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(4, 3);
    target.Canvas()->Brush()->SetColor(clGreen);
    target.Canvas()->FillRect(Rect(0, 0, 4, 3));
    target.Canvas()->Draw(0, 0, sprite.get());
    EXPECT_EQ(target.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(2, 2), clGreen);
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clWhite);

    sprite->SetTransparentColor(clWhite);
    EXPECT_EQ(sprite->TransparentMode(), tmFixed);
    target.Canvas()->FillRect(Rect(0, 0, 4, 3));
    target.Canvas()->Draw(0, 0, sprite.get());
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clGreen);
    EXPECT_EQ(target.Canvas()->Pixels(2, 2), clFuchsia);
    sprite->SetTransparentColor(clDefault);
    EXPECT_EQ(sprite->TransparentMode(), tmAuto);
}

TEST(Bitmap, StretchDrawScalesIntoTheRectangle) {
    auto sprite = Sample(pf24bit);
    TBitmap target;
    target.SetSize(8, 6);
    target.Canvas()->StretchDraw(Rect(0, 0, 8, 6), sprite.get());
    EXPECT_EQ(target.Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(target.Canvas()->Pixels(7, 5), clBlue);
}

TEST(Bitmap, CanvasDrawingMarksItModifiedAndNotifies) {
    TBitmap bitmap;
    bitmap.SetSize(2, 2);
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    bitmap.SetModified(false);
    bitmap.Canvas()->FillRect(Rect(0, 0, 1, 1));
    EXPECT_TRUE(bitmap.Modified());
    EXPECT_EQ(changes, 1);
}

namespace {

// A 16 x 16 icon: a red square with a transparent one-pixel border.
HICON MakeIcon() {
    TBitmap color;
    color.SetPixelFormat(pf32bit);
    color.SetSize(16, 16);
    color.Canvas()->Brush()->SetColor(clBlack); // outside the mask nothing is inverted
    color.Canvas()->FillRect(Rect(0, 0, 16, 16));
    color.Canvas()->Brush()->SetColor(clRed);
    color.Canvas()->FillRect(Rect(1, 1, 15, 15));
    TBitmap mask;
    mask.SetMonochrome(true);
    mask.SetSize(16, 16);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(Rect(1, 1, 15, 15));
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = color.Handle();
    info.hbmMask = mask.Handle();
    return CreateIconIndirect(&info);
}

} // namespace

TEST(Icon, DrawsThroughItsMaskAndRoundTripsAsAnIcoFile) {
    TIcon icon;
    icon.SetHandle(MakeIcon());
    EXPECT_EQ(icon.Width(), 16);
    EXPECT_EQ(icon.Height(), 16);
    EXPECT_THROW(icon.SetWidth(8), EInvalidGraphic);

    TMemoryStream stream;
    icon.SaveToStream(stream);
    stream.SetPosition(0);
    TIcon copy;
    copy.LoadFromStream(stream);
    ASSERT_FALSE(copy.Empty());
    EXPECT_EQ(copy.Width(), 16);

    TBitmap target;
    target.SetSize(16, 16);
    target.Canvas()->Brush()->SetColor(clGreen);
    target.Canvas()->FillRect(Rect(0, 0, 16, 16));
    target.Canvas()->Draw(0, 0, &copy);
    EXPECT_EQ(target.Canvas()->Pixels(0, 0), clGreen);
    EXPECT_EQ(target.Canvas()->Pixels(8, 8), clRed);

    TMemoryStream bad;
    bad.WriteBuffer("\0\0\2\0\1\0", 6);
    bad.SetPosition(0);
    EXPECT_THROW(copy.LoadFromStream(bad), EInvalidGraphic);
}

TEST(Picture, HoldsOneGraphicOfTheKindAskedFor) {
    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.Bitmap()->SetSize(5, 4);
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_GE(changes, 2); // made, then resized

    TIcon icon;
    icon.SetHandle(MakeIcon());
    picture.SetGraphic(&icon);
    ASSERT_NE(dynamic_cast<TIcon*>(picture.Graphic()), nullptr);
    EXPECT_NE(picture.Icon()->Handle(), icon.Handle()); // a copy
    EXPECT_EQ(picture.Height(), 16);

    TBitmap fromIcon;
    fromIcon.Assign(&icon);
    EXPECT_EQ(fromIcon.Canvas()->Pixels(8, 8), clRed);

    TPicture other;
    other.Assign(&picture);
    EXPECT_EQ(other.Width(), 16);
    EXPECT_THROW(other.LoadFromFile("picture.gif"), EInvalidGraphic);
}
