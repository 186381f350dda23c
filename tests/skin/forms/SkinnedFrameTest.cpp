#include "tests/skin/forms/SkinArchiveEdit.h"
#include "tests/skin/forms/SkinEngineFixture.h"

#include "framework/classes/Module.h"
#include "framework/graphics/Canvas.h"
#include "skin/data/SkinDrawing.h"
#include "skin/forms/SkinFrameDrawing.h"
#include "skin/forms/SkinMessages.h"
#include "skin/forms/WinSkinForm.h"

using namespace skinengine;

namespace {

COLORREF ImagePixel(TBitmap& image, int x, int y) {
    return GetPixel(image.Canvas()->Handle(), x, y);
}

class SkinnedFrameTest : public SkinEngineTest {
protected:
    // A form of the program's window size, shown and skinned.
    TForm* SkinnedForm(int width = 636, int height = 525) {
        TForm* form = NewForm(width, height);
        form->HandleNeeded();
        clientBefore = form->ClientRect();
        form->Show();
        Pump();
        skin = Manager().FindSkinnedWindow(form->Handle());
        return form;
    }
    RECT WindowRect(HWND window) const {
        RECT rect{};
        GetWindowRect(window, &rect);
        return rect;
    }
    LRESULT HitAt(HWND window, int x, int y) const {
        const RECT rect = WindowRect(window);
        return SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(rect.left + x, rect.top + y));
    }
    TSkinElements& Skin() { return Manager().MainSkinData()->Elements(); }

    TRect clientBefore{};
    TWinSkinForm* skin = nullptr;
};

TEST_F(SkinnedFrameTest, TheFrameTakesTheSkinsMetricsAndKeepsTheClientArea) {
    NewSkinData();
    TForm* form = SkinnedForm();
    ASSERT_NE(skin, nullptr);
    ASSERT_TRUE(skin->FrameSkinning());
    const TSkinElements& elements = Skin();
    EXPECT_EQ(skin->CaptionHeight(), elements.BorderTop->Image->Height() / elements.BorderTop->FrameCount);
    EXPECT_EQ(skin->LeftBorderWidth(), elements.BorderLeft->Image->Width() / elements.BorderLeft->FrameCount);
    EXPECT_EQ(form->ClientRect().right, clientBefore.right) << "the client area keeps its size";
    EXPECT_EQ(form->ClientRect().bottom, clientBefore.bottom);
    const RECT window = WindowRect(form->Handle());
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    EXPECT_EQ(origin.x - window.left, skin->LeftBorderWidth());
    EXPECT_EQ(origin.y - window.top, skin->CaptionHeight());
    EXPECT_EQ(window.right - window.left,
              clientBefore.right + skin->LeftBorderWidth() + skin->RightBorderWidth());
    EXPECT_EQ(window.bottom - window.top,
              clientBefore.bottom + skin->CaptionHeight() + skin->BottomBorderHeight());
}

TEST_F(SkinnedFrameTest, APaintedFrameShowsTheSkinsActiveAndInactiveFrames) {
    NewSkinData();
    TForm* form = SkinnedForm();
    HWND window = form->Handle();
    TDataSkinBorder& left = *Skin().BorderLeft;
    const int frameWidth = left.Image->Width() / left.FrameCount;
    // A pixel of the left border's unscaled top part, away from the cut corner.
    const int x = frameWidth - 1;
    const int y = left.TopHeight - 1;
    ASSERT_TRUE(skin->Active());
    EXPECT_EQ(platform::headless::ReadPixel(window, x, y), ImagePixel(*left.Image, x, y));

    TForm* other = NewForm();
    other->Show();
    Pump();
    ASSERT_FALSE(skin->Active());
    EXPECT_EQ(platform::headless::ReadPixel(window, x, y), ImagePixel(*left.Image, frameWidth + x, y))
        << "the inactive frame is the second";
    const RECT rect = WindowRect(window);
    TDataSkinBorder& bottom = *Skin().BorderBottom;
    const int bottomFrame = bottom.Image->Height() / bottom.FrameCount;
    EXPECT_EQ(platform::headless::ReadPixel(window, (rect.right - rect.left) / 2, rect.bottom - rect.top - 1),
              ImagePixel(*bottom.Image, bottom.Image->Width() / 2, 2 * bottomFrame - 1));
}

TEST_F(SkinnedFrameTest, TheTopRowsKeepTheSizingEdgeAndTheRestOfTheFrameDrags) {
    NewSkinData();
    TForm* form = SkinnedForm();
    HWND window = form->Handle();
    const int middle = 300;
    EXPECT_EQ(HitAt(window, middle, 1), HTTOP);
    EXPECT_EQ(HitAt(window, middle, 10), HTCAPTION);
    EXPECT_EQ(HitAt(window, middle, skin->CaptionHeight() - 1), HTCAPTION) << "the caption's lower rows";
    EXPECT_EQ(HitAt(window, 2, 200), HTLEFT) << "the sizing edge";
    EXPECT_EQ(HitAt(window, middle, skin->CaptionHeight() + 10), HTCLIENT);
}

TEST_F(SkinnedFrameTest, AMenuBandBelowTheCaptionIsTheMenu) {
    NewSkinData();
    TForm* form = NewForm();
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "File");
    SetMenu(form->Handle(), menu);
    form->Show();
    Pump();
    skin = Manager().FindSkinnedWindow(form->Handle());
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->MenuBarHeight(), GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(HitAt(form->Handle(), 150, skin->CaptionHeight() + 2), HTMENU);
    POINT origin{0, 0};
    ClientToScreen(form->Handle(), &origin);
    EXPECT_EQ(origin.y - WindowRect(form->Handle()).top, skin->CaptionHeight() + skin->MenuBarHeight());
}

TEST_F(SkinnedFrameTest, AWindowWithoutTheFullCaptionHasNoFrame) {
    NewSkinData();
    TForm* form = NewForm();
    form->SetBorderStyle(bsNone);
    form->Show();
    Pump();
    skin = Manager().FindSkinnedWindow(form->Handle());
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->BorderKind(), TBorderKind::NoCaption);
    const RECT window = WindowRect(form->Handle());
    RECT client{};
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, window.right - window.left) << "the client area is the whole window";
    EXPECT_EQ(client.bottom, window.bottom - window.top);
}

TEST_F(SkinnedFrameTest, BeforeTheStartNothingOfTheFrameIsPainted) {
    NewSkinData({sfMainform, false});
    TForm* form = NewForm();
    form->Show();
    Pump();
    HWND window = form->Handle();
    const COLORREF before = platform::headless::ReadPixel(window, 100, 10);
    Manager().SetActive(1);
    ASSERT_TRUE(Manager().SkinWindow(window));
    skin = Manager().FindSkinnedWindow(window);
    ASSERT_EQ(skin->SkinState(), TSkinFormState::Attached);
    EXPECT_EQ(SendMessageA(window, WM_NCPAINT, 1, 0), 0);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(platform::headless::ReadPixel(window, 100, 10), before);
    EXPECT_EQ(SendMessageA(window, WM_NCACTIVATE, FALSE, 0), TRUE) << "a deactivation is never refused";
}

TEST_F(SkinnedFrameTest, TheShapeCutsTheShapedCornersAndIsBuiltOnlyOnASizeChangeOrANewSkin) {
    NewSkinData();
    TForm* form = SkinnedForm();
    HWND window = form->Handle();
    ASSERT_TRUE(skin->RegionSet());
    TDataSkinBorder& left = *Skin().BorderLeft;
    ASSERT_EQ(ImagePixel(*left.Image, 0, 0), 0xFF00FFu) << "the default skin's corner is cut";
    const RECT rect = WindowRect(window);
    EXPECT_EQ(platform::headless::ReadScreenPixel(rect.left, rect.top),
              platform::headless::ReadScreenPixel(rect.left - 1, rect.top - 1))
        << "the desktop shows through the cut corner";

    // A region of our own stays while the size does.
    SetWindowRgn(window, CreateRectRgn(0, 0, 10, 10), FALSE);
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT box{};
    GetWindowRgnBox(window, &box);
    EXPECT_EQ(box.right, 10);
    SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left + 20, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRgnBox(window, &box);
    EXPECT_EQ(box.right, rect.right - rect.left + 20) << "a new size builds the shape again";

    SetWindowRgn(window, CreateRectRgn(0, 0, 10, 10), FALSE);
    skin->ApplySkinChange();
    GetWindowRgnBox(window, &box);
    EXPECT_EQ(box.right, rect.right - rect.left + 20) << "a new skin builds it again";
}

TEST_F(SkinnedFrameTest, ASkinWhoseOnlyShapedSideIsTheBottomGetsATracedShape) {
    SkinSources sources = DefaultSkinSources();
    for (const char* side : {"LeftTrans", "RightTrans", "TopTrans"})
        SetIniValue(sources, side, "0");
    SetIniValue(sources, "BottomTrans", "1");
    // A bottom border of two frames whose first two columns are magenta.
    TBitmap bottom;
    bottom.SetPixelFormat(pf24bit);
    bottom.SetSize(40, 8);
    bottom.Canvas()->Brush()->SetColor(clGreen);
    bottom.Canvas()->FillRect(Rect(0, 0, 40, 8));
    bottom.Canvas()->Brush()->SetColor(clFuchsia);
    bottom.Canvas()->FillRect(Rect(0, 0, 2, 8));
    SetIniValue(sources, "BottomTopHeight", "4");
    sources.bitmaps["bottom.bmp"] = BitmapBytes(bottom);
    NewSkinData({sfMainform, true, PackSkin(sources)});
    TForm* form = SkinnedForm();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(form->Handle(), region), ERROR);
    const RECT rect = WindowRect(form->Handle());
    const int height = rect.bottom - rect.top;
    const int left = skin->LeftBorderWidth();
    EXPECT_FALSE(PtInRegion(region, left, height - 1)) << "the bottom's magenta corner is cut";
    EXPECT_TRUE(PtInRegion(region, left + 2, height - 1));
    EXPECT_TRUE(PtInRegion(region, 0, 0)) << "the other sides are whole";
    DeleteObject(region);
}

TEST_F(SkinnedFrameTest, TracingKeepsEveryPixelButTheKeyColoursAcrossManyRuns) {
    // 60 x 100 pixels of alternating runs: 3000 runs, more than one region's worth.
    TBitmap image;
    image.SetPixelFormat(pf24bit);
    image.SetSize(60, 100);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 60; ++x) {
            const bool key = x % 2 == 0;
            const COLORREF colour = key ? (y % 2 ? RGB(255, 1, 255) : RGB(255, 0, 255)) : RGB(10, 20, 30);
            SetPixel(image.Canvas()->Handle(), x, y, colour);
        }
    }
    HRGN region = TraceBitmapRegion(image, 5, 7);
    ASSERT_NE(region, nullptr);
    int inside = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 60; ++x) {
            const bool expected = x % 2 != 0;
            inside += PtInRegion(region, x + 5, y + 7) ? 1 : 0;
            ASSERT_EQ(PtInRegion(region, x + 5, y + 7) != FALSE, expected) << x << "," << y;
        }
    }
    EXPECT_EQ(inside, 3000);
    DeleteObject(region);

    TBitmap magenta;
    magenta.SetPixelFormat(pf24bit);
    magenta.SetSize(4, 4);
    magenta.Canvas()->Brush()->SetColor(clFuchsia);
    magenta.Canvas()->FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(TraceBitmapRegion(magenta, 0, 0), nullptr);
}

TEST_F(SkinnedFrameTest, AWideDialogCaptionWidensTheDialogAndMovesItsControls) {
    NewSkinData();
    HWND dialog = CreateWindowExA(
        WS_EX_DLGMODALFRAME, "#32770", "A dialog caption much wider than the small dialog it stands on",
        WS_POPUP | WS_CAPTION | WS_SYSMENU, 100, 100, 120, 80, nullptr, nullptr, HInstance(), nullptr);
    HWND button = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, dialog, nullptr,
                                  HInstance(), nullptr);
    RECT clientBeforeSkin{};
    GetClientRect(dialog, &clientBeforeSkin);
    ASSERT_TRUE(Manager().SkinWindow(dialog));
    Pump();
    skin = Manager().FindSkinnedWindow(dialog);
    const RECT window = WindowRect(dialog);
    const int natural = clientBeforeSkin.right + skin->LeftBorderWidth() + skin->RightBorderWidth();
    const int widened = window.right - window.left;
    EXPECT_GT(widened, natural);
    RECT place{};
    GetWindowRect(button, &place);
    POINT corner{place.left, place.top};
    ScreenToClient(dialog, &corner);
    EXPECT_EQ(corner.x, 10 + (widened - natural) / 2);
    DestroyWindow(dialog);
}

TEST_F(SkinnedFrameTest, UnskinningGivesBackTheProcedureStylesFrameAndShape) {
    TSkinData* data = NewSkinData();
    TForm* form = SkinnedForm();
    HWND window = form->Handle();
    ASSERT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_MAXIMIZEBOX, 0) << "the skin draws the buttons";
    data->SetActive(false);
    platform::headless::RunFor(250);
    Pump();
    EXPECT_NE(GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_NE(GetWindowLongA(window, GWL_STYLE) & WS_MAXIMIZEBOX, 0);
    EXPECT_NE(GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZEBOX, 0);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(window, region), ERROR) << "no shape";
    DeleteObject(region);
    EXPECT_EQ(form->ClientRect().right, clientBefore.right);
    EXPECT_EQ(form->ClientRect().bottom, clientBefore.bottom);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const RECT rect = WindowRect(window);
    EXPECT_EQ(origin.x - rect.left, GetSystemMetrics(SM_CXFRAME)) << "the classic frame";
}

} // namespace
