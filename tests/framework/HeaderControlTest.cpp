// THeaderControl over the platform's header: sections written into the window, clicks and
// resizing reported through their events, widths kept between a section's limits, owner-drawn
// sections, and the published properties by name.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/comctrls/HeaderControl.h"
#include "framework/graphics/Canvas.h"
#include "platform/controls/common/CommCtrl.h"

namespace {

class HeaderControls : public FrameworkTest {
protected:
    THeaderControl* MakeHeader() {
        form = NewForm(400, 200);
        auto* header = new THeaderControl(form);
        header->SetParent(form);
        for (const char* text : {"名称", "大小", "类型"}) {
            THeaderSection* section = header->Sections()->Add();
            section->SetText(text);
            section->SetWidth(100);
        }
        form->Show();
        Pump();
        return header;
    }

    TPoint Point(THeaderControl* header, int x) { return OnScreen(header, x, header->Height() / 2); }

    TForm* form = nullptr;
};

} // namespace

TEST_F(HeaderControls, SectionsAreTheWindowsItemsAcrossTheTop) {
    THeaderControl* header = MakeHeader();
    HWND window = header->Handle();
    EXPECT_EQ(SendMessageA(window, HDM_GETITEMCOUNT, 0, 0), 3);
    char text[16] = {};
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.pszText = text;
    item.cchTextMax = 16;
    SendMessageA(window, HDM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, "大小");
    EXPECT_EQ(item.cxy, 100);
    EXPECT_EQ(header->Top(), 0);
    EXPECT_EQ(header->Width(), form->ClientWidth());
    EXPECT_EQ(header->Sections()->Items(2)->Left(), 200);

    header->Sections()->Items(0)->SetAlignment(taCenter);
    item.mask = HDI_FORMAT;
    SendMessageA(window, HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.fmt & HDF_JUSTIFYMASK, HDF_CENTER);
    header->Sections()->Delete(1);
    EXPECT_EQ(SendMessageA(window, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(GetObjectProp(header, "Sections"), header->Sections());
    EXPECT_TRUE(IsPublishedProp(header, "OnSectionClick"));
    EXPECT_EQ(GetOrdProp(header->Sections()->Items(1), "Width"), 100);
}

TEST_F(HeaderControls, ClicksAndResizingRaiseTheirEvents) {
    THeaderControl* header = MakeHeader();
    std::vector<std::string> events;
    header->OnSectionClick = [&](THeaderControl*, THeaderSection* section) {
        events.push_back("click " + section->Text());
    };
    header->OnSectionResize = [&](THeaderControl*, THeaderSection* section) {
        events.push_back("resize " + std::to_string(section->Width()));
    };
    header->OnSectionTrack = [&](THeaderControl*, THeaderSection*, int, TSectionTrackState state) {
        if (state != tsTrackMoving)
            events.push_back(state == tsTrackBegin ? "begin" : "end");
    };
    const TPoint middle = Point(header, 150);
    platform::headless::Click(middle.x, middle.y);
    Pump();
    EXPECT_EQ(events, std::vector<std::string>{"click 大小"});

    header->Sections()->Items(2)->SetAllowClick(false);
    events.clear();
    const TPoint third = Point(header, 250);
    platform::headless::AdvanceClock(1000);
    platform::headless::Click(third.x, third.y);
    Pump();
    EXPECT_TRUE(events.empty()) << "a section that does not allow clicks";

    // A divider dragged past the section's maximum stops at it.
    header->Sections()->Items(0)->SetMaxWidth(130);
    const TPoint divider = Point(header, 100);
    platform::headless::PressButton(divider.x, divider.y);
    Pump();
    platform::headless::MoveMouse(divider.x + 20, divider.y);
    Pump();
    platform::headless::MoveMouse(divider.x + 60, divider.y);
    Pump();
    platform::headless::ReleaseButton(divider.x + 60, divider.y);
    Pump();
    EXPECT_EQ(header->Sections()->Items(0)->Width(), 120);
    EXPECT_EQ(events, (std::vector<std::string>{"begin", "resize 120", "end"}));
    header->Sections()->Items(0)->SetWidth(500);
    EXPECT_EQ(header->Sections()->Items(0)->Width(), 130) << "code keeps the limits too";
}

TEST_F(HeaderControls, OwnerDrawnSectionsAreDrawnByTheEvent) {
    THeaderControl* header = MakeHeader();
    std::vector<std::string> drawn;
    header->OnDrawSection = [&](THeaderControl* control, THeaderSection* section, const TRect& rect, bool) {
        control->Canvas()->Brush()->SetColor(clRed);
        control->Canvas()->FillRect(rect);
        drawn.push_back(section->Text());
    };
    header->Sections()->Items(1)->SetStyle(hsOwnerDraw);
    header->Invalidate();
    Pump();
    EXPECT_EQ(drawn, std::vector<std::string>{"大小"});
    POINT inside{150, header->Height() / 2};
    EXPECT_EQ(platform::headless::ReadPixel(header->Handle(), inside.x, inside.y), RGB(255, 0, 0));
}
