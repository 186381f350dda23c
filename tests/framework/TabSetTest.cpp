// TTabSet: tabs painted by the framework, chosen by a click or the arrow keys (OnChange may
// refuse), scrolled by the up-down that shows when they do not fit; its properties by name and
// a picture for a person to look at (build/framework-tabset.png).

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/comctrls/UpDown.h"
#include "framework/extctrls/TabSet.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/gdi/WinUserDraw.h"

namespace {

class TabSets : public FrameworkTest {
protected:
    TTabSet* NewTabSet(TForm* form, int width, int tabs) {
        auto* tabSet = new TTabSet(form);
        tabSet->SetParent(form);
        tabSet->SetBounds(10, 40, width, 21);
        for (int i = 0; i < tabs; ++i)
            tabSet->Tabs()->Add("标签" + std::to_string(i + 1));
        return tabSet;
    }
    void ClickTab(TTabSet* tabSet, int index) {
        const TRect tab = tabSet->ItemRect(index);
        const TPoint point = OnScreen(tabSet, (tab.left + tab.right) / 2, 8);
        platform::headless::Click(point.x, point.y);
        Pump();
    }
};

} // namespace

TEST_F(TabSets, AClickSelectsATabUnlessOnChangeRefuses) {
    TForm* form = NewForm(400, 200);
    TTabSet* tabSet = NewTabSet(form, 380, 4);
    int clicks = 0;
    bool refuse = false;
    tabSet->OnClick = [&](TObject*) { ++clicks; };
    tabSet->OnChange = [&](TObject*, int newTab, bool& allow) { allow = !(refuse && newTab == 3); };
    form->Show();
    Pump();
    EXPECT_EQ(tabSet->TabIndex(), -1);
    EXPECT_EQ(tabSet->VisibleTabs(), 4);
    EXPECT_FALSE(tabSet->Scroller()->Visible());
    ClickTab(tabSet, 2);
    EXPECT_EQ(tabSet->TabIndex(), 2);
    EXPECT_TRUE(tabSet->Focused());
    refuse = true;
    ClickTab(tabSet, 3);
    EXPECT_EQ(tabSet->TabIndex(), 2);
    EXPECT_EQ(clicks, 1);
    // The selected tab has its colour, the others theirs.
    const TRect selected = tabSet->ItemRect(2);
    const TPoint inside = tabSet->ClientToScreen(Point(selected.left + 8, 4));
    EXPECT_EQ(platform::headless::ReadScreenPixel(inside.x, inside.y), GetSysColor(COLOR_BTNFACE));
    const TRect other = tabSet->ItemRect(1);
    const TPoint outside = tabSet->ClientToScreen(Point(other.left + 8, 4));
    EXPECT_EQ(platform::headless::ReadScreenPixel(outside.x, outside.y), GetSysColor(COLOR_WINDOW));
}

TEST_F(TabSets, TheArrowKeysGoRoundTheTabsAndScrollThemIntoView) {
    TForm* form = NewForm(300, 200);
    TTabSet* tabSet = NewTabSet(form, 200, 12);
    form->Show();
    Pump();
    ASSERT_LT(tabSet->VisibleTabs(), 12);
    EXPECT_TRUE(tabSet->Scroller()->Visible());
    EXPECT_EQ(tabSet->Components(0), tabSet->Scroller()) << "the scroller is the first owned component";
    EXPECT_LE(tabSet->ItemRect(tabSet->VisibleTabs() - 1).right, tabSet->Scroller()->Left());
    tabSet->SetFocus();
    platform::headless::TypeKey(VK_LEFT);
    Pump();
    EXPECT_EQ(tabSet->TabIndex(), 11) << "from none, back to the last";
    EXPECT_GT(tabSet->FirstIndex(), 0);
    EXPECT_LT(11, tabSet->FirstIndex() + tabSet->VisibleTabs());
    platform::headless::TypeKey(VK_RIGHT);
    Pump();
    EXPECT_EQ(tabSet->TabIndex(), 0);
    EXPECT_EQ(tabSet->FirstIndex(), 0);
    platform::headless::TypeKey(VK_END);
    Pump();
    EXPECT_EQ(tabSet->TabIndex(), 11);
    const std::string folder = std::string(QUILLMERE_BIN_DIR) + "/..";
    EXPECT_TRUE(platform::headless::SaveWindowPng(form->Handle(), folder + "/framework-tabset.png"));
}

TEST_F(TabSets, TheScrollersArrowsMoveTheFirstTab) {
    TForm* form = NewForm(300, 200);
    TTabSet* tabSet = NewTabSet(form, 200, 12);
    form->Show();
    Pump();
    TUpDown* scroller = tabSet->Scroller();
    const TPoint right = OnScreen(scroller, scroller->Width() - 4, scroller->Height() / 2);
    platform::headless::Click(right.x, right.y);
    Pump();
    EXPECT_EQ(tabSet->FirstIndex(), 1);
    // Clicks apart in time, so that none is a double click.
    const auto clickAt = [&](TPoint point) {
        platform::headless::AdvanceClock(1000);
        platform::headless::Click(point.x, point.y);
        Pump();
    };
    const TPoint left = OnScreen(scroller, 4, scroller->Height() / 2);
    clickAt(left);
    clickAt(left);
    EXPECT_EQ(tabSet->FirstIndex(), 0);
    for (int i = 0; i < 20; ++i)
        clickAt(right);
    EXPECT_EQ(tabSet->FirstIndex() + tabSet->VisibleTabs(), 12) << "it stops with the last tab shown";
}

TEST(TabSetProperties, TheSkinReadsTheTabSetByName) {
    TTabSet tabSet(nullptr);
    tabSet.Tabs()->Add("一月");
    tabSet.Tabs()->Add("二月");
    EXPECT_EQ(tabSet.ClassName(), "TTabSet");
    auto* tabs = GetObjectPropAs<TStrings>(&tabSet, "Tabs");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->Strings(1), "二月");
    EXPECT_TRUE(SetPropValue(&tabSet, "TabIndex", "1"));
    EXPECT_EQ(tabSet.TabIndex(), 1);
    EXPECT_EQ(GetOrdProp(&tabSet, "FirstIndex"), 0);
    EXPECT_EQ(GetOrdProp(&tabSet, "StartMargin"), 5);
    EXPECT_EQ(GetOrdProp(&tabSet, "EndMargin"), 5);
    EXPECT_EQ(GetOrdProp(&tabSet, "SelectedColor"), clBtnFace);
    EXPECT_NE(GetObjectPropAs<TFont>(&tabSet, "Font"), nullptr);
    EXPECT_TRUE(SetPropValue(&tabSet, "TabIndex", "5")) << "written, but no such tab";
    EXPECT_EQ(tabSet.TabIndex(), 1);
}
