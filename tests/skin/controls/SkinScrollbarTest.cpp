// The skinned scroll bars: overlays laid over a control's system bars directly above it, shown,
// moved and hidden with it, presses handed to the system's tracking loop with the part held
// shown meanwhile, the corner square, the border, a grid's fixed colour given back exactly, the
// stand-alone scroll bar control and a bare window's bars, and the picture itself: half-length
// arrows on a short bar.

#include "ControlSkinFixture.h"

#include "framework/classes/TypInfo.h"
#include "framework/comctrls/ListView.h"
#include "framework/graphics/Font.h"
#include "framework/grid/StringGrid.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/ScrollBars.h"
#include "platform/controls/edit/Edit.h"
#include "platform/controls/listbox/ListBox.h"
#include "platform/gdi/WinUserDraw.h"
#include "platform/user/ScrollBar.h"
#include "skin/controls/ScrollBarPicture.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinScrollbars.h"
#include "skin/forms/SkinMessages.h"

#include <deque>
#include <functional>

namespace {

class SkinScrollbarTest : public ControlSkinTest {
protected:
    TMemo* NewMemo(TForm* form, TScrollStyle bars = ssVertical, int lines = 100) {
        auto* memo = Add<TMemo>(form, 10, 10, 200, 150);
        memo->SetScrollBars(bars);
        memo->SetWordWrap(bars == ssVertical);
        std::string text;
        for (int i = 0; i < lines; ++i)
            text += "line " + std::to_string(i) + (bars == ssBoth ? std::string(60, 'x') : "") + "\r\n";
        memo->SetText(text);
        return memo;
    }
    TSkinScrollbar* ScrollSkinOf(TWinControl* control) {
        auto* skin = new TSkinScrollbar(control);
        skin->InitScrollSkin(control, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
        Pump();
        return skin;
    }
    static SCROLLBARINFO BarInfo(HWND window, LONG object = OBJID_VSCROLL) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        EXPECT_TRUE(GetScrollBarInfo(window, object, &info));
        return info;
    }
    static RECT ScreenRect(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }
    // The user's steps, one each time a loop would wait for input.
    static void Script(std::vector<std::function<void()>> steps) {
        auto queue = std::make_shared<std::deque<std::function<void()>>>(steps.begin(), steps.end());
        platform::headless::SetIdleHandler([queue] {
            if (queue->empty())
                return false;
            auto step = std::move(queue->front());
            queue->pop_front();
            step();
            return true;
        });
    }
    void TearDown() override {
        platform::headless::SetIdleHandler(nullptr);
        ControlSkinTest::TearDown();
    }
};

TEST_F(SkinScrollbarTest, OverlayLiesOnTheBarDirectlyAboveTheControl) {
    TForm* form = NewForm();
    TMemo* memo = NewMemo(form);
    TSkinScrollbar* skin = ScrollSkinOf(memo);
    TWScrollbar* vertical = skin->VerticalOverlay();
    ASSERT_TRUE(vertical->Shown());
    EXPECT_FALSE(skin->HorizontalOverlay()->Shown()) << "no horizontal bar";
    const RECT bar = BarInfo(memo->Handle()).rcScrollBar;
    const RECT overlay = ScreenRect(vertical->Handle());
    EXPECT_TRUE(EqualRect(&bar, &overlay));
    EXPECT_EQ(GetWindow(memo->Handle(), GW_HWNDPREV), vertical->Handle()) << "directly above the memo";
    EXPECT_EQ(GetParent(vertical->Handle()), form->Handle());
    EXPECT_TRUE(GetWindowLongPtrW(vertical->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(GetWindowLongPtrW(vertical->Handle(), GWL_STYLE) & WS_TABSTOP);
    // What shows there is the skin's picture, not the system's bar.
    TScrollBarPicture picture;
    ASSERT_TRUE(vertical->CurrentPicture(picture));
    auto expected = Picture(bar.right - bar.left, bar.bottom - bar.top, [&](HDC dc) {
        PaintScrollBar(dc, Skin(), picture, SIZE{bar.right - bar.left, bar.bottom - bar.top});
    });
    for (int y : {2, 30, (bar.bottom - bar.top) / 2, bar.bottom - bar.top - 3})
        EXPECT_EQ(platform::headless::ReadScreenPixel(bar.left + 8, bar.top + y), PictureAt(*expected, 8, y))
            << "row " << y;
}

// The memo keeps its painting off the overlay above it, so a paint of the memo repaints the
// overlay only when the bar it shows has changed, as after scrolling by a message.
TEST_F(SkinScrollbarTest, OverlayRepaintsAfterTheControlsPaintOnlyWhenItsPictureChanged) {
    TForm* form = NewForm();
    TMemo* memo = NewMemo(form);
    TWScrollbar* vertical = ScrollSkinOf(memo)->VerticalOverlay();
    const RECT bar = ScreenRect(vertical->Handle());
    const auto mark = [&] {
        HDC dc = GetDC(vertical->Handle());
        HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
        const RECT whole{0, 0, bar.right - bar.left, bar.bottom - bar.top};
        FillRect(dc, &whole, magenta);
        DeleteObject(magenta);
        ReleaseDC(vertical->Handle(), dc);
    };
    mark();
    InvalidateRect(memo->Handle(), nullptr, TRUE);
    Pump();
    EXPECT_EQ(platform::headless::ReadScreenPixel(bar.left + 8, bar.top + 30), RGB(255, 0, 255))
        << "the same picture is not painted again";

    SendMessageW(memo->Handle(), EM_LINESCROLL, 0, 40);
    Pump();
    TScrollBarPicture picture;
    ASSERT_TRUE(vertical->CurrentPicture(picture));
    EXPECT_GT(picture.thumbStart, 40) << "the thumb moved down";
    auto expected = Picture(bar.right - bar.left, bar.bottom - bar.top, [&](HDC dc) {
        PaintScrollBar(dc, Skin(), picture, SIZE{bar.right - bar.left, bar.bottom - bar.top});
    });
    for (int y : {2, picture.thumbStart + 2, (bar.bottom - bar.top) / 2, bar.bottom - bar.top - 3})
        EXPECT_EQ(platform::headless::ReadScreenPixel(bar.left + 8, bar.top + y), PictureAt(*expected, 8, y))
            << "row " << y;
}

TEST_F(SkinScrollbarTest, OverlaysFollowTheControlWhenMovedHiddenAndShown) {
    TForm* form = NewForm();
    TMemo* memo = NewMemo(form);
    TWScrollbar* vertical = ScrollSkinOf(memo)->VerticalOverlay();
    memo->SetBounds(40, 30, 180, 120);
    Pump();
    RECT bar = BarInfo(memo->Handle()).rcScrollBar;
    RECT overlay = ScreenRect(vertical->Handle());
    EXPECT_TRUE(EqualRect(&bar, &overlay)) << "moved and sized with the memo";
    memo->Hide();
    Pump();
    EXPECT_FALSE(vertical->Shown());
    EXPECT_FALSE(IsWindowVisible(vertical->Handle()));
    memo->Show();
    Pump();
    EXPECT_TRUE(vertical->Shown());
    EXPECT_TRUE(IsWindowVisible(vertical->Handle()));
}

TEST_F(SkinScrollbarTest, ArrowPressedOnTheOverlayScrollsTheMemoThroughTheSystemsLoop) {
    TForm* form = NewForm();
    TMemo* memo = NewMemo(form);
    TWScrollbar* vertical = ScrollSkinOf(memo)->VerticalOverlay();
    const RECT bar = ScreenRect(vertical->Handle());
    const POINT arrow{bar.left + 8, bar.bottom - 5};
    bool heldShown = false;
    controlskins::TReleaseInTrackingLoop release(
        arrow, [&] { heldShown = vertical->Pressed() && vertical->HotPart() == spSecondArrow; });
    platform::headless::PressButton(arrow.x, arrow.y);
    Pump();
    EXPECT_TRUE(heldShown) << "the second arrow shown held while the loop ran";
    const LRESULT line = SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_GE(line, 1);
    EXPECT_LE(line, 2);
    EXPECT_FALSE(vertical->Pressed());
    EXPECT_EQ(vertical->HotPart(), SB_ENDSCROLL) << "the loop's end matches no part";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SkinScrollbarTest, ThumbShowsPressedWhileTheSystemDragsItUntilTheEndOfScrolling) {
    TForm* form = NewForm();
    TMemo* memo = NewMemo(form);
    TWScrollbar* vertical = ScrollSkinOf(memo)->VerticalOverlay();
    const SCROLLBARINFO info = BarInfo(memo->Handle());
    const POINT grab{info.rcScrollBar.left + 8, info.rcScrollBar.top + info.xyThumbTop + 3};
    const TDataSkinObject& thumb = *Skin().VertScrollThumb;
    const TDataSkinObject& counts = *Skin().HorzScrollThumb;
    bool pressedThumbShown = false;
    Script({[&] { platform::headless::MoveMouse(grab.x, grab.y + 40); },
            [&] {
                TScrollBarPicture picture;
                ASSERT_TRUE(vertical->CurrentPicture(picture));
                EXPECT_EQ(picture.hot, spThumb);
                EXPECT_TRUE(picture.pressed);
                EXPECT_EQ(picture.thumbStart, info.xyThumbTop + 40) << "the thumb follows the pointer";
                // Drawn in the thumb's pressed frame: compare one pixel near its start.
                const int width = info.rcScrollBar.right - info.rcScrollBar.left;
                auto frame = ElementFrame(thumb, 2, counts.FrameCount, width,
                                          picture.thumbEnd - picture.thumbStart, Skin().Colours[3]);
                pressedThumbShown =
                    platform::headless::ReadPixel(vertical->Handle(), 8, picture.thumbStart + 1) ==
                    PictureAt(*frame, 8, 1);
                platform::headless::ReleaseButton(grab.x, grab.y + 40);
            }});
    platform::headless::PressButton(grab.x, grab.y);
    Pump();
    EXPECT_TRUE(pressedThumbShown);
    EXPECT_GT(SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(vertical->HotPart(), SB_ENDSCROLL);
    TScrollBarPicture after;
    ASSERT_TRUE(vertical->CurrentPicture(after));
    EXPECT_NE(after.hot, spThumb) << "normal again after the end of scrolling";
}

TEST_F(SkinScrollbarTest, HoverOverTheOverlayMarksThePartUntilTheMouseLeaves) {
    TForm* form = NewForm();
    TMemo* memo = NewMemo(form);
    TWScrollbar* vertical = ScrollSkinOf(memo)->VerticalOverlay();
    const RECT bar = ScreenRect(vertical->Handle());
    platform::headless::MoveMouse(bar.left + 8, bar.top + 5);
    Pump();
    EXPECT_EQ(vertical->HotPart(), spFirstArrow);
    platform::headless::MoveMouse(bar.left - 60, bar.top + 5);
    Pump();
    EXPECT_EQ(vertical->HotPart(), spNone);
}

TEST_F(SkinScrollbarTest, BothBarsShownFillTheCornerSquareWithTheSkinsBackground) {
    TForm* form = NewForm();
    TMemo* memo = NewMemo(form, ssBoth, 60);
    TSkinScrollbar* skin = ScrollSkinOf(memo);
    ASSERT_TRUE(skin->HorizontalOverlay()->Shown());
    ASSERT_TRUE(skin->VerticalOverlay()->Shown());
    const RECT v = BarInfo(memo->Handle(), OBJID_VSCROLL).rcScrollBar;
    const RECT h = BarInfo(memo->Handle(), OBJID_HSCROLL).rcScrollBar;
    EXPECT_EQ(platform::headless::ReadScreenPixel((v.left + v.right) / 2, (h.top + h.bottom) / 2),
              Background());
}

TEST_F(SkinScrollbarTest, BorderIsDrawnInTheSkinsColoursOverTheEdge) {
    TForm* form = NewForm();
    TMemo* memo = NewMemo(form);
    ScrollSkinOf(memo);
    EXPECT_EQ(Pixel(memo, 0, 40), ColorToRGB(SkinBorderColour(Skin())));
    EXPECT_EQ(Pixel(memo, 1, 40), Background());
    EXPECT_EQ(SendMessageW(memo->Handle(), SM_PAINTFRAME, 0, SkinMagic), SkinMagic);
}

TEST_F(SkinScrollbarTest, GridFixedColourIsRestoredExactlyAndItsColourLeftAlone) {
    TForm* form = NewForm();
    auto* grid = Add<TStringGrid>(form, 10, 10, 250, 150);
    grid->SetRowCount(100);
    grid->SetFixedColor(0x123456);
    grid->SetColor(0x00ABCDEF);
    TSkinScrollbar* skin = ScrollSkinOf(grid);
    EXPECT_EQ(grid->FixedColor(), skinData->Elements().Colours[3]);
    EXPECT_TRUE(skin->VerticalOverlay()->Shown());
    skinData->Elements().Colours[3] = clLime;
    skin->SkinChanged();
    EXPECT_EQ(grid->FixedColor(), clLime);
    skin->Unskin();
    EXPECT_EQ(grid->FixedColor(), 0x123456);
    EXPECT_EQ(grid->Color(), 0x00ABCDEF);
}

// On the dark skin's fixed colour the grid's black titles would hardly show: they take the
// skin's text colour while the data cells keep the font's, and get it back when unskinned; on
// the default skin's light fixed colour the titles keep the font's colour.
TEST_F(SkinScrollbarTest, GridTitlesTakeTheSkinsTextColourWhereTheFontsWouldNotShow) {
    TForm* form = NewForm();
    auto* grid = Add<TStringGrid>(form, 10, 10, 250, 150);
    TSkinScrollbar* skin = ScrollSkinOf(grid);
    EXPECT_EQ(grid->FixedFontColor(), clDefault);
    skin->Unskin();

    LoadSkin(controlskins::SkinFileBytes("dark"));
    form = NewForm();
    grid = Add<TStringGrid>(form, 10, 10, 250, 150);
    grid->SetCells(1, 0, "Title");
    grid->SetCells(1, 1, "Data");
    skin = ScrollSkinOf(grid);
    const TColor text = Skin().Colours[0];
    EXPECT_EQ(grid->FixedFontColor(), text);
    EXPECT_EQ(grid->Font()->Color(), clWindowText) << "the data cells' text on white stays";
    const auto count = [&](const TRect& cell, COLORREF colour) {
        int found = 0;
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x)
                found += Pixel(grid, x, y) == colour ? 1 : 0;
        return found;
    };
    EXPECT_GT(count(grid->CellRect(1, 0), ColorToRGB(text)), 10) << "the title in the skin's text colour";
    EXPECT_GT(count(grid->CellRect(1, 1), RGB(0, 0, 0)), 10) << "the data in the font's colour";
    skin->Unskin();
    EXPECT_EQ(grid->FixedFontColor(), clDefault);
}

TEST_F(SkinScrollbarTest, ScrollNotificationsMarkTheHotPartAndARecreatedWindowAsksTheForm) {
    TForm* form = NewForm();
    TMemo* memo = NewMemo(form);
    TSkinScrollbar* skin = ScrollSkinOf(memo);
    SendMessageW(memo->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(skin->VerticalOverlay()->HotPart(), spTrackAfter);
    HWND old = memo->Handle();
    memo->Perform(CM_RECREATEWND);
    MSG posted{};
    ASSERT_TRUE(PeekMessageW(&posted, form->Handle(), SM_RESKINCONTROL, SM_RESKINCONTROL, PM_REMOVE));
    EXPECT_EQ(reinterpret_cast<HWND>(posted.wParam), old);
}

TEST_F(SkinScrollbarTest, ScrollBarControlIsCoveredWholeAndFollowsItsPosition) {
    TForm* form = NewForm();
    auto* bar = Add<TScrollBar>(form, 10, 10, 200, 17);
    bar->SetParams(0, 0, 100);
    bar->SetPageSize(10);
    auto* skin = new TSkinScControl(bar);
    skin->InitScControl(bar, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    Pump();
    TWScrollbar* overlay = skin->Overlay();
    ASSERT_TRUE(overlay->Shown());
    EXPECT_FALSE(overlay->Vertical()) << "from the control's Kind";
    const RECT covered = ScreenRect(overlay->Handle());
    const RECT control = ScreenRect(bar->Handle());
    EXPECT_TRUE(EqualRect(&covered, &control));
    TScrollBarPicture before;
    overlay->CurrentPicture(before);
    bar->SetPosition(50);
    Pump();
    TScrollBarPicture after;
    overlay->CurrentPicture(after);
    EXPECT_GT(after.thumbStart, before.thumbStart);
    // The right arrow pressed on the overlay steps the control's position.
    controlskins::TReleaseInTrackingLoop release(POINT{covered.right - 4, covered.top + 8});
    platform::headless::PressButton(covered.right - 4, covered.top + 8);
    Pump();
    EXPECT_TRUE(release.Released());
    EXPECT_GE(bar->Position(), 51);
    EXPECT_LE(bar->Position(), 52);
}

TEST_F(SkinScrollbarTest, BareWindowsBarsAreCoveredToo) {
    TForm* form = NewForm();
    HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10,
                                150, 100, form->Handle(), nullptr, nullptr, nullptr);
    for (int i = 0; i < 40; ++i)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(("item " + std::to_string(i)).c_str()));
    auto* skin = new TSkinScrollbarH(skinForm->BareWindowSkinOwner());
    skin->InitSkinByHandle(list, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    Pump();
    ASSERT_TRUE(skin->VerticalOverlay()->Shown());
    const RECT bar = BarInfo(list).rcScrollBar;
    const RECT overlay = ScreenRect(skin->VerticalOverlay()->Handle());
    EXPECT_TRUE(EqualRect(&bar, &overlay));
    ShowWindow(list, SW_HIDE);
    Pump();
    EXPECT_FALSE(skin->VerticalOverlay()->Shown());
}

TEST_F(SkinScrollbarTest, ListViewsBarsAreCoveredAndScrollThroughTheSystemsLoop) {
    TForm* form = NewForm();
    auto* view = Add<TListView>(form, 10, 10, 200, 150);
    for (const char* title : {"协议", "本地地址", "状态"}) {
        TListColumn* column = view->Columns()->Add();
        column->SetCaption(title);
        column->SetWidth(100);
    }
    for (int k = 0; k < 60; ++k)
        view->Items()->Add()->SetCaption("TCP " + std::to_string(k));
    auto* skin = new TSkinListView(view);
    skin->InitScrollSkin(view, skinData.get(), skinForm.get(), skinForm->ControlCanvas());
    Pump();
    ASSERT_TRUE(skin->VerticalOverlay()->Shown());
    ASSERT_TRUE(skin->HorizontalOverlay()->Shown()) << "three columns are wider than the view";
    for (LONG object : {OBJID_VSCROLL, OBJID_HSCROLL}) {
        const RECT bar = BarInfo(view->Handle(), object).rcScrollBar;
        const RECT overlay = ScreenRect(
            (object == OBJID_VSCROLL ? skin->VerticalOverlay() : skin->HorizontalOverlay())->Handle());
        EXPECT_TRUE(EqualRect(&bar, &overlay)) << "bar " << object;
    }
    HWND header = reinterpret_cast<HWND>(SendMessageW(view->Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_TRUE(header);
    EXPECT_EQ(SendMessageW(header, SM_SKINNEDQUERY, 0, 0), SkinnedAnswer)
        << "its header has a skin of its own";
    EXPECT_EQ(SendMessageW(view->Handle(), SM_SKINNEDQUERY, 0, 0), SkinnedAnswer);
    // The arrow pressed on the overlay scrolls the list through the system's loop.
    const RECT bar = ScreenRect(skin->VerticalOverlay()->Handle());
    controlskins::TReleaseInTrackingLoop release(POINT{bar.left + 8, bar.bottom - 4});
    platform::headless::PressButton(bar.left + 8, bar.bottom - 4);
    Pump();
    EXPECT_TRUE(release.Released());
    EXPECT_GT(SendMessageW(view->Handle(), LVM_GETTOPINDEX, 0, 0), 0);
}

TEST_F(SkinScrollbarTest, ShortBarDrawsTwoHalfLengthArrows) {
    const int width = 17, length = 20;
    TScrollBarPicture picture;
    picture.bar = RECT{0, 0, width, length};
    picture.arrow = 17;
    picture.thumbStart = 17;
    picture.thumbEnd = 17;
    auto drawn = Picture(width, length, [&](HDC dc) {
        PaintScrollBar(dc, Skin(), picture, SIZE{width, length});
    });
    const TDataSkinObject& arrows = *Skin().Scrollbar;
    auto arrowOf = [&](int frame) {
        return Picture(width, length / 2, [&](HDC dc) {
            FillColor(dc, RECT{0, 0, width, length / 2}, Skin().Colours[3]);
            TSkinFrameStyle style;
            style.transparent = true;
            DrawSkinFrame(dc, RECT{0, 0, width, length / 2}, *arrows.Image, frame, 23, false, style);
        });
    };
    auto up = arrowOf(9);
    auto down = arrowOf(13);
    for (int y = 0; y < length / 2; ++y) {
        EXPECT_EQ(PictureAt(*drawn, 8, y), PictureAt(*up, 8, y)) << "up arrow row " << y;
        EXPECT_EQ(PictureAt(*drawn, 8, length / 2 + y), PictureAt(*down, 8, y)) << "down arrow row " << y;
    }
}

} // namespace
