// The skin of a page control that draws its tabs on pictures: it hands the control the skin's
// resting and selected tab faces, takes them back when it stops, hands none for another page
// kind, follows a new skin, and skins the scroller of overflowing tabs.

#include "ControlSkinFixture.h"

#include "framework/classes/TypInfo.h"
#include "framework/comctrls/AdvPageControl.h"
#include "platform/controls/common/CommCtrl.h"
#include "skin/controls/SkinAdvPage.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinEdits.h"

namespace {

class SkinAdvPageTest : public ControlSkinTest {
protected:
    TAdvPageControl* NewPages(int pages = 3, int width = 300) {
        TForm* form = NewForm(360, 240);
        auto* control = Add<TAdvPageControl>(form, 10, 10, width, 160);
        for (int i = 0; i < pages; ++i) {
            auto* sheet = new TTabSheet(form);
            sheet->SetPageControl(control);
            sheet->SetCaption("页" + std::to_string(i));
        }
        control->SetActivePageIndex(0);
        Pump();
        return control;
    }
    TSkinAdvPage* SkinPages(TAdvPageControl* control, int kind = AdvPageKindTabPictures) {
        auto* skin = new TSkinAdvPage(control);
        skin->SetPageKind(kind);
        skin->InitSkin(skinForm.get(), skinData.get(), true, skinForm->ControlCanvas());
        Pump();
        return skin;
    }
    // The colour the tab captions are written in while skinned.
    TColor TabTextColour() const {
        const std::int32_t own = Skin().Tabs->NormalColour;
        return own != -1 ? static_cast<TColor>(own) : SkinnedSystemColour(Skin(), clBtnText);
    }
    // Pixels of the picture that differ from the skin's tab frame.
    int DifferencesFromTabFrame(TBitmap& picture, int frame) {
        const TDataSkinBorder& tabs = *Skin().Tabs;
        auto expected = ElementFrame(tabs, frame, tabs.FrameCount, TSkinAdvPage::PictureWidth,
                                     TSkinAdvPage::PictureHeight, Skin().Colours[3]);
        int differing = 0;
        for (int y = 0; y < TSkinAdvPage::PictureHeight; ++y)
            for (int x = 0; x < TSkinAdvPage::PictureWidth; ++x)
                differing += PictureAt(picture, x, y) == PictureAt(*expected, x, y) ? 0 : 1;
        return differing;
    }
};

TEST_F(SkinAdvPageTest, TheControlGetsTheSkinsTabFacesAndLosesThemWhenUnskinned) {
    TAdvPageControl* control = NewPages();
    TSkinAdvPage* skin = SkinPages(control);
    TBitmap* resting = control->TabBackGround();
    TBitmap* selected = control->TabBackGroundActive();
    ASSERT_EQ(resting->Width(), TSkinAdvPage::PictureWidth);
    ASSERT_EQ(resting->Height(), TSkinAdvPage::PictureHeight);
    EXPECT_EQ(DifferencesFromTabFrame(*resting, 1), 0);
    EXPECT_EQ(DifferencesFromTabFrame(*selected, 2), 0);

    skin->Unskin();
    EXPECT_TRUE(control->TabBackGround()->Empty());
    EXPECT_TRUE(control->TabBackGroundActive()->Empty());
}

TEST_F(SkinAdvPageTest, AnotherPageKindGetsNoPictures) {
    TAdvPageControl* control = NewPages();
    SkinPages(control, 0);
    EXPECT_TRUE(control->TabBackGround()->Empty());
    EXPECT_TRUE(control->TabBackGroundActive()->Empty());
}

TEST_F(SkinAdvPageTest, ANewSkinBringsNewFaces) {
    TAdvPageControl* control = NewPages();
    TSkinAdvPage* skin = SkinPages(control);
    const COLORREF before = PictureAt(*control->TabBackGround(), 50, 10);
    const Bytes dark = controlskins::SkinFileBytes("dark");
    ASSERT_FALSE(dark.empty());
    skinData->SkinArchive().Clear();
    skinData->SkinArchive().WriteBuffer(dark.data(), static_cast<std::int64_t>(dark.size()));
    ASSERT_TRUE(skinData->LoadSkinData());
    skin->SkinChanged();
    EXPECT_EQ(DifferencesFromTabFrame(*control->TabBackGround(), 1), 0);
    EXPECT_NE(PictureAt(*control->TabBackGround(), 50, 10), before);
    EXPECT_EQ(control->Font()->Color(), TabTextColour()) << "the dark skin's tab text colour";
    EXPECT_NE(ColorToRGB(control->Font()->Color()), PictureAt(*control->TabBackGround(), 50, 10))
        << "readable on the dark tab face";
    skin->Unskin();
    EXPECT_EQ(control->Font()->Color(), clWindowText) << "the control's own colour comes back";
}

TEST_F(SkinAdvPageTest, TheScrollerOfOverflowingTabsIsSkinned) {
    TAdvPageControl* control = NewPages(14, 200);
    SkinPages(control);
    control->Invalidate();
    Pump();
    HWND scroller = nullptr;
    for (HWND child = GetWindow(control->Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[32] = {};
        GetClassNameA(child, name, sizeof name);
        if (std::string(name) == "msctls_updown32")
            scroller = child;
    }
    ASSERT_NE(scroller, nullptr);
    EXPECT_NE(dynamic_cast<TSkinUpDown*>(skinForm->FindSkinControlByWindow(scroller)), nullptr);
}

} // namespace
