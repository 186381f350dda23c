// The stand-alone scroll bar: arrows, track and thumb move Position by SmallChange,
// LargeChange or to the thumb; OnScroll may change where it goes; OnChange reports a changed
// Position; the range is checked; its properties by name.

#include "FrameworkTestSupport.h"

#include "core/Exception.h"
#include "framework/classes/TypInfo.h"
#include "framework/stdctrls/ScrollBars.h"

using ScrollBars = FrameworkTest;

namespace {

int ThumbPosition(TScrollBar* bar) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, 0, 0};
    GetScrollInfo(bar->Handle(), SB_CTL, &info);
    return info.nPos;
}

} // namespace

TEST_F(ScrollBars, ArrowsAndTrackMoveByTheirStepsAndOnScrollHasTheLastWord) {
    TForm* form = NewForm(300, 200);
    auto* bar = new TScrollBar(form);
    bar->SetParent(form);
    bar->SetBounds(10, 10, 200, 17);
    bar->SetSmallChange(2);
    bar->SetLargeChange(10);
    std::vector<int> changes;
    std::vector<TScrollCode> codes;
    bar->OnChange = [&](TObject*) { changes.push_back(bar->Position()); };
    bar->OnScroll = [&](TObject*, TScrollCode code, int& position) {
        codes.push_back(code);
        if (code == scPageDown)
            position = 50;
    };
    form->Show();
    Pump();
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    TPoint right = OnScreen(bar, 200 - arrow / 2, 8);
    platform::headless::Click(right.x, right.y);
    Pump();
    EXPECT_EQ(bar->Position(), 2);
    TPoint track = OnScreen(bar, 150, 8);
    platform::headless::Click(track.x, track.y);
    Pump();
    EXPECT_EQ(bar->Position(), 50) << "OnScroll moved the page step";
    EXPECT_EQ(ThumbPosition(bar), 50);
    EXPECT_EQ(changes, (std::vector<int>{2, 50}));
    EXPECT_NE(std::find(codes.begin(), codes.end(), scLineDown), codes.end());
    EXPECT_EQ(codes.back(), scEndScroll);

    SendMessageA(form->Handle(), WM_HSCROLL, MAKEWPARAM(SB_BOTTOM, 0),
                 reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(bar->Position(), 100);
    SendMessageA(form->Handle(), WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0),
                 reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(bar->Position(), 100) << "never past Max";
    EXPECT_EQ(changes.size(), 3u);
}

TEST_F(ScrollBars, TheRangeIsCheckedAndKeptThroughANewWindow) {
    TForm* form = NewForm(300, 300);
    auto* bar = new TScrollBar(form);
    bar->SetParent(form);
    bar->SetParams(30, 10, 40);
    EXPECT_THROW(bar->SetMax(5), Exception);
    EXPECT_EQ(bar->Max(), 40);
    bar->SetPageSize(11);
    EXPECT_EQ(bar->Position(), 30) << "the highest position is a page short of Max";
    bar->SetPosition(45);
    EXPECT_EQ(bar->Position(), 30);
    EXPECT_THROW(bar->SetPageSize(32), Exception);
    form->Show();
    Pump();
    EXPECT_EQ(ThumbPosition(bar), 30);

    const int width = bar->Width();
    const int height = bar->Height();
    bar->SetKind(sbVertical);
    EXPECT_EQ(bar->Width(), height) << "turned with its size";
    EXPECT_EQ(bar->Height(), width);
    EXPECT_TRUE(GetWindowLongA(bar->Handle(), GWL_STYLE) & SBS_VERT);
    EXPECT_EQ(ThumbPosition(bar), 30);
    SendMessageA(form->Handle(), WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), reinterpret_cast<LPARAM>(bar->Handle()));
    EXPECT_EQ(bar->Position(), 10);
}

TEST_F(ScrollBars, PropertiesByName) {
    TScrollBar bar(nullptr);
    EXPECT_EQ(GetEnumProp(&bar, "Kind"), "sbHorizontal");
    EXPECT_TRUE(SetEnumProp(&bar, "Kind", "sbvertical"));
    EXPECT_EQ(bar.Kind(), sbVertical);
    EXPECT_TRUE(SetOrdProp(&bar, "Max", 500));
    EXPECT_TRUE(SetOrdProp(&bar, "Position", 250));
    EXPECT_EQ(GetOrdProp(&bar, "Position"), 250);
    EXPECT_EQ(GetOrdProp(&bar, "SmallChange"), 1);
    EXPECT_EQ(GetOrdProp(&bar, "Caption"), -1);
    EXPECT_TRUE(PropIsKind(&bar, "OnScroll", TTypeKind::tkMethod));
}
