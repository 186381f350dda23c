// The page control over the platform's tab control: tabs in step with the pages, page switching
// by ActivePage and by clicks on the tabs (with OnChanging's veto), the display area the pages
// fill, recreated windows, image lists and owner-drawn tabs.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/comctrls/PageControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/Memo.h"
#include "platform/controls/common/CommCtrl.h"

namespace {

std::vector<std::string> WindowTabs(TPageControl* control) {
    std::vector<std::string> texts;
    HWND window = control->Handle();
    const int count = static_cast<int>(SendMessageA(window, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(window, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        texts.push_back(text);
    }
    return texts;
}

std::vector<LONG> Edges(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

int WindowSelection(TPageControl* control) {
    return static_cast<int>(SendMessageA(control->Handle(), TCM_GETCURSEL, 0, 0));
}

class PageControls : public FrameworkTest {
protected:
    // A form filled by a page control with pages of the given captions.
    TPageControl* MakePages(std::initializer_list<const char*> captions) {
        form = NewForm(400, 300);
        auto* control = new TPageControl(form);
        control->SetParent(form);
        control->SetAlign(alClient);
        for (const char* caption : captions) {
            auto* sheet = new TTabSheet(form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(control);
        }
        form->Show();
        Pump();
        return control;
    }
    void ClickTab(TPageControl* control, int index) {
        RECT rect{};
        SendMessageA(control->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&rect));
        const TPoint point = OnScreen(control, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        platform::headless::Click(point.x, point.y);
        Pump();
    }

    TForm* form = nullptr;
};

} // namespace

TEST_F(PageControls, TheFirstPageShowsAndFillsTheDisplayArea) {
    TPageControl* control = MakePages({"进程连接列表", "IP数据库维护"});
    ASSERT_EQ(control->PageCount(), 2);
    TTabSheet* first = control->Pages(0);
    TTabSheet* second = control->Pages(1);
    EXPECT_EQ(control->ActivePage(), first);
    EXPECT_EQ(WindowTabs(control), (std::vector<std::string>{"进程连接列表", "IP数据库维护"}));
    EXPECT_EQ(WindowSelection(control), 0);
    EXPECT_TRUE(IsWindowVisible(first->Handle()));
    EXPECT_FALSE(second->Visible());

    RECT display{};
    GetClientRect(control->Handle(), &display);
    SendMessageA(control->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(Edges(first->BoundsRect()), Edges(display));
    EXPECT_GT(display.top, 0); // below the tabs

    // The display area follows the control's size.
    form->SetBounds(100, 100, 500, 400);
    Pump();
    GetClientRect(control->Handle(), &display);
    SendMessageA(control->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_EQ(Edges(first->BoundsRect()), Edges(display));

    // And the height of the tabs, which follows the font.
    const LONG top = display.top;
    control->Font()->SetHeight(-24);
    Pump();
    EXPECT_GT(first->Top(), top);
    EXPECT_EQ(Edges(first->BoundsRect()), Edges(control->DisplayRect()));
    // The hidden page has the display area too, so what it holds is laid out before it shows.
    EXPECT_EQ(Edges(second->BoundsRect()), Edges(first->BoundsRect()));
}

TEST_F(PageControls, ClickingATabSwitchesPagesUnlessOnChangingVetoes) {
    TPageControl* control = MakePages({"one", "two", "three"});
    std::vector<std::string> events;
    control->OnChanging = [&](TObject*, bool&) {
        events.push_back("changing " + control->ActivePage()->Caption());
    };
    control->OnChange = [&](TObject*) { events.push_back("change " + control->ActivePage()->Caption()); };

    ClickTab(control, 1);
    EXPECT_EQ(control->ActivePage(), control->Pages(1));
    EXPECT_EQ(control->TabIndex(), 1);
    EXPECT_TRUE(IsWindowVisible(control->Pages(1)->Handle()));
    EXPECT_FALSE(IsWindowVisible(control->Pages(0)->Handle()));
    EXPECT_EQ(events, (std::vector<std::string>{"changing one", "change two"}));

    control->OnChanging = [&](TObject*, bool& allow) { allow = false; };
    ClickTab(control, 2);
    EXPECT_EQ(control->ActivePage(), control->Pages(1));
    EXPECT_EQ(WindowSelection(control), 1);
    EXPECT_EQ(events.size(), 2u);

    // Setting the page in code raises neither event.
    control->OnChanging = nullptr;
    control->SetActivePageIndex(2);
    EXPECT_EQ(WindowSelection(control), 2);
    EXPECT_TRUE(control->Pages(2)->Visible());
    EXPECT_FALSE(control->Pages(1)->Visible());
    EXPECT_EQ(events.size(), 2u);
}

TEST_F(PageControls, ArrowKeysOnTheTabsSwitchPagesAndTheFocusLeavesAHiddenPage) {
    TPageControl* control = MakePages({"one", "two"});
    auto* inside = new TWinControl(form);
    inside->SetParent(control->Pages(0));
    inside->SetTabStop(true);
    int changes = 0;
    control->OnChange = [&](TObject*) { ++changes; };
    control->SetFocus();
    Pump();
    platform::headless::TypeKey(VK_RIGHT);
    Pump();
    EXPECT_EQ(control->ActivePage(), control->Pages(1));
    EXPECT_EQ(changes, 1);
    control->OnChanging = [](TObject*, bool& allow) { allow = false; };
    platform::headless::TypeKey(VK_LEFT);
    Pump();
    EXPECT_EQ(control->ActivePage(), control->Pages(1));
    control->OnChanging = nullptr;

    // A page that hides while it holds the focus gives it to the page control.
    control->SetActivePageIndex(0);
    inside->SetFocus();
    Pump();
    ASSERT_TRUE(inside->Focused());
    control->SetActivePageIndex(1);
    Pump();
    EXPECT_TRUE(control->Focused());
}

// Ctrl+Tab turns the page from a control inside it, even one that takes Tab itself; Ctrl+Shift+Tab
// turns back, and a page control without the focus is left alone.
TEST_F(PageControls, CtrlTabFromInsideAPageTurnsThePage) {
    TPageControl* control = MakePages({"one", "two", "three"});
    auto* typing = new TMemo(form);
    typing->SetParent(control->Pages(0));
    typing->SetWantTabs(true);
    auto* outside = new TWinControl(form);
    outside->SetParent(form);
    outside->SetTabStop(true);
    typing->SetFocus();
    Pump();
    auto ctrlTab = [&](bool shift) {
        platform::headless::PressKey(VK_CONTROL);
        if (shift)
            platform::headless::PressKey(VK_SHIFT);
        platform::headless::TypeKey(VK_TAB);
        if (shift)
            platform::headless::ReleaseKey(VK_SHIFT);
        platform::headless::ReleaseKey(VK_CONTROL);
        Pump();
    };
    ctrlTab(false);
    EXPECT_EQ(control->ActivePage(), control->Pages(1));
    ctrlTab(true);
    ctrlTab(true);
    EXPECT_EQ(control->ActivePage(), control->Pages(2)) << "back past the first page, round to the last";

    outside->SetFocus();
    Pump();
    ctrlTab(false);
    EXPECT_EQ(control->ActivePage(), control->Pages(2));
    EXPECT_TRUE(outside->Focused());
}

TEST_F(PageControls, TabsFollowPagesAddedRemovedMovedRenamedAndHidden) {
    TPageControl* control = MakePages({"a", "b", "c"});
    TTabSheet* a = control->Pages(0);
    TTabSheet* b = control->Pages(1);
    TTabSheet* c = control->Pages(2);
    control->SetActivePage(b);

    b->SetCaption("B");
    EXPECT_EQ(WindowTabs(control), (std::vector<std::string>{"a", "B", "c"}));
    c->SetPageIndex(0);
    EXPECT_EQ(WindowTabs(control), (std::vector<std::string>{"c", "a", "B"}));
    EXPECT_EQ(WindowSelection(control), 2);
    EXPECT_EQ(a->PageIndex(), 1);

    // Hiding the active page's tab brings the next page with a tab forward.
    b->SetTabVisible(false);
    EXPECT_EQ(WindowTabs(control), (std::vector<std::string>{"c", "a"}));
    EXPECT_EQ(control->ActivePage(), c);
    EXPECT_EQ(b->TabIndex(), -1);
    EXPECT_EQ(a->TabIndex(), 1);
    b->SetTabVisible(true);
    EXPECT_EQ(WindowTabs(control), (std::vector<std::string>{"c", "a", "B"}));
    EXPECT_EQ(WindowSelection(control), 0);

    // Removing the active page activates the one after it; a destroyed page leaves no tab.
    a->SetPageControl(nullptr);
    control->SetActivePage(a); // no longer one of its pages: ignored
    EXPECT_EQ(control->ActivePage(), c);
    control->SetActivePage(c);
    delete c;
    EXPECT_EQ(control->ActivePage(), b);
    EXPECT_EQ(WindowTabs(control), (std::vector<std::string>{"B"}));
    EXPECT_EQ(WindowSelection(control), 0);

    auto* added = new TTabSheet(form);
    added->SetCaption("new");
    added->SetParent(control);
    EXPECT_EQ(WindowTabs(control), (std::vector<std::string>{"B", "new"}));
    EXPECT_EQ(control->ActivePage(), b);
    EXPECT_FALSE(added->Visible());
    delete a;
}

TEST_F(PageControls, ARecreatedWindowKeepsTabsAndTheActivePage) {
    TPageControl* control = MakePages({"one", "two"});
    auto* child = new TWinControl(form);
    child->SetParent(control->Pages(1));
    control->SetActivePageIndex(1);
    HWND before = control->Handle();

    EXPECT_TRUE(SetPropValue(control, "TabPosition", "tpBottom"));
    EXPECT_TRUE(SetPropValue(control, "Style", "tsButtons"));
    Pump();
    HWND after = control->Handle();
    EXPECT_NE(before, after);
    EXPECT_FALSE(IsWindow(before));
    const LONG style = GetWindowLongA(after, GWL_STYLE);
    EXPECT_TRUE(style & TCS_BOTTOM);
    EXPECT_TRUE(style & TCS_BUTTONS);
    EXPECT_EQ(WindowTabs(control), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(WindowSelection(control), 1);
    EXPECT_TRUE(IsWindowVisible(child->Handle()));
    EXPECT_EQ(GetParent(control->Pages(1)->Handle()), after);

    // With the tabs below, the pages start at the top.
    EXPECT_EQ(Edges(control->Pages(1)->BoundsRect()), Edges(control->DisplayRect()));
    EXPECT_LT(control->DisplayRect().top, 8);
}

TEST_F(PageControls, TheImageListIsHandedToTheWindowAndForgottenWhenItGoes) {
    TPageControl* control = MakePages({"one"});
    auto* images = new TImageList(form);
    control->SetImages(images);
    control->Pages(0)->SetImageIndex(0);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(control->Handle(), TCM_GETIMAGELIST, 0, 0)),
              images->Handle());
    TCITEMA item{};
    item.mask = TCIF_IMAGE;
    SendMessageA(control->Handle(), TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(item.iImage, 0);

    // A new size means a new platform list, which the window is given.
    HIMAGELIST first = images->Handle();
    images->SetWidth(24);
    EXPECT_NE(images->Handle(), first);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(control->Handle(), TCM_GETIMAGELIST, 0, 0)),
              images->Handle());

    delete images;
    EXPECT_EQ(control->Images(), nullptr);
    EXPECT_EQ(SendMessageA(control->Handle(), TCM_GETIMAGELIST, 0, 0), 0);
}

TEST_F(PageControls, OwnerDrawnTabsAreDrawnByOnDrawTab) {
    TPageControl* control = MakePages({"one", "two"});
    std::vector<std::pair<int, bool>> drawn;
    control->OnDrawTab = [&](TCustomTabControl* sender, int index, const TRect& rect, bool active) {
        drawn.emplace_back(index, active);
        sender->Canvas()->Brush()->SetColor(clRed);
        sender->Canvas()->FillRect(rect);
    };
    control->SetOwnerDraw(true);
    control->Repaint();
    Pump();
    ASSERT_FALSE(drawn.empty());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), std::make_pair(0, true)), drawn.end());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), std::make_pair(1, false)), drawn.end());
    RECT rect{};
    SendMessageA(control->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rect));
    EXPECT_EQ(platform::headless::ReadPixel(control->Handle(), (rect.left + rect.right) / 2,
                                            (rect.top + rect.bottom) / 2),
              RGB(255, 0, 0));
}

TEST_F(PageControls, APlainTabControlKeepsItsSelectionInStepWithTheWindow) {
    form = NewForm(400, 300);
    auto* tabs = new TTabControl(form);
    tabs->SetParent(form);
    auto* child = new TWinControl(form);
    child->SetParent(tabs);
    child->SetAlign(alClient);
    EXPECT_EQ(tabs->TabIndex(), -1);
    tabs->AddTab("TCP");
    tabs->AddTab("UDP");
    tabs->AddTab("远程");
    form->Show();
    Pump();
    HWND window = tabs->Handle();
    EXPECT_EQ(tabs->TabIndex(), 0);
    tabs->SetTabIndex(2);
    tabs->DeleteTab(0);
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_EQ(SendMessageA(window, TCM_GETCURSEL, 0, 0), 1);
    tabs->DeleteTab(1);
    EXPECT_EQ(tabs->TabIndex(), -1);
    EXPECT_EQ(SendMessageA(window, TCM_GETCURSEL, 0, 0), -1);
    tabs->SetTabIndex(5); // out of range: ignored
    EXPECT_EQ(tabs->TabIndex(), -1);
    tabs->SetTabIndex(0);
    tabs->SetTabText(0, "TCP/UDP");

    tabs->SetMultiLine(true);
    EXPECT_NE(tabs->Handle(), window);
    EXPECT_TRUE(GetWindowLongA(tabs->Handle(), GWL_STYLE) & TCS_MULTILINE);
    EXPECT_EQ(tabs->TabText(0), "TCP/UDP");
    EXPECT_EQ(SendMessageA(tabs->Handle(), TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(tabs->Handle(), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(Edges(child->BoundsRect()), Edges(tabs->DisplayRect()));
    EXPECT_EQ(tabs->IndexOfTabAt(5, 5), 0);
}

TEST(PageControlProperties, ThePropertiesTheSkinReadsAreThereByName) {
    TPageControl control(nullptr);
    TTabSheet sheet(nullptr);
    sheet.SetPageControl(&control);
    EXPECT_EQ(GetEnumProp(&control, "Style"), "tsTabs");
    for (const char* style : {"tsButtons", "tsFlatButtons", "tsTabs"}) {
        EXPECT_TRUE(SetPropValue(&control, "Style", style));
        EXPECT_EQ(GetEnumProp(&control, "Style"), style);
    }
    EXPECT_TRUE(SetPropValue(&control, "TabPosition", "TPRIGHT"));
    EXPECT_EQ(control.TabPosition(), tpRight);
    EXPECT_FALSE(SetPropValue(&control, "TabPosition", "tpMiddle"));
    EXPECT_EQ(GetEnumProp(&control, "MultiLine"), "False");
    EXPECT_EQ(GetEnumProp(&control, "OwnerDraw"), "False");
    EXPECT_EQ(GetObjectProp(&control, "Images"), nullptr);
    EXPECT_TRUE(PropIsKind(&control, "Images", TTypeKind::tkClass));
    EXPECT_EQ(GetObjectPropAs<TTabSheet>(&control, "ActivePage"), &sheet);
    EXPECT_NE(GetObjectPropAs<TFont>(&control, "Font"), nullptr);
    EXPECT_EQ(GetEnumProp(&control, "Align"), "alNone");
    EXPECT_EQ(GetEnumProp(&control, "Visible"), "True");
    EXPECT_EQ(GetStrProp(&control, "Style"), ""); // an enumeration, not a string

    EXPECT_TRUE(SetPropValue(&sheet, "Caption", "进程连接列表"));
    EXPECT_EQ(control.TabText(0), "进程连接列表");
    EXPECT_EQ(GetEnumProp(&sheet, "TabVisible"), "True");
    EXPECT_EQ(GetOrdProp(&sheet, "PageIndex"), 0);
    EXPECT_EQ(GetOrdProp(&sheet, "ImageIndex"), -1);
    EXPECT_EQ(GetOrdProp(&sheet, "Style"), -1);
    EXPECT_TRUE(control.InheritsFrom("TCustomTabControl"));

    // Sheets owned by their page control go with it.
    auto* owner = new TPageControl(nullptr);
    auto* owned = new TTabSheet(owner);
    owned->SetPageControl(owner);
    (new TTabSheet(owner))->SetPageControl(owner);
    EXPECT_EQ(owner->ActivePage(), owned);
    delete owner;
    EXPECT_EQ(FindClass("TTabSheet"), &TTabSheet::ClassInfo());
}
