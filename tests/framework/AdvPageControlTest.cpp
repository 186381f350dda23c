// The page control that draws its tabs on background pictures: the resting picture under the
// other tabs, the active one under the selected tab, both stretched to the tab, both reachable
// by name, and the control's own colour once they are cleared.

#include "FrameworkTestSupport.h"

#include "framework/classes/TypInfo.h"
#include "framework/comctrls/AdvPageControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "platform/controls/common/CommCtrl.h"

namespace {

std::unique_ptr<TBitmap> SolidPicture(TColor colour, int width = 10, int height = 6) {
    auto picture = std::make_unique<TBitmap>();
    picture->SetSize(width, height);
    picture->Canvas()->Brush()->SetColor(colour);
    picture->Canvas()->FillRect(TRect{0, 0, width, height});
    return picture;
}

class AdvPageControls : public FrameworkTest {
protected:
    TAdvPageControl* MakePages() {
        TForm* form = NewForm(400, 300);
        auto* control = new TAdvPageControl(form);
        control->SetParent(form);
        control->SetBounds(10, 10, 300, 200);
        for (const char* caption : {"one", "two", "three"}) {
            auto* sheet = new TTabSheet(form);
            sheet->SetCaption(caption);
            sheet->SetPageControl(control);
        }
        control->SetActivePageIndex(1);
        form->Show();
        Pump();
        return control;
    }
    // A point inside the tab near its top left corner, away from the caption.
    static COLORREF TabCorner(TAdvPageControl* control, int index) {
        RECT rect{};
        SendMessageA(control->Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&rect));
        return platform::headless::ReadPixel(control->Handle(), rect.left + 3, rect.top + 3);
    }
    void Redraw(TAdvPageControl* control) {
        control->Invalidate();
        Pump();
    }
};

} // namespace

TEST_F(AdvPageControls, TabsStandOnTheirPicturesTheSelectedOneOnTheActivePicture) {
    TAdvPageControl* control = MakePages();
    const auto resting = SolidPicture(clRed);
    const auto selected = SolidPicture(clBlue);
    control->SetTabBackGround(resting.get());
    control->SetTabBackGroundActive(selected.get());
    Pump();
    EXPECT_EQ(TabCorner(control, 0), RGB(255, 0, 0));
    EXPECT_EQ(TabCorner(control, 1), RGB(0, 0, 255));
    EXPECT_EQ(TabCorner(control, 2), RGB(255, 0, 0));

    control->SetActivePageIndex(2);
    Redraw(control);
    EXPECT_EQ(TabCorner(control, 1), RGB(255, 0, 0));
    EXPECT_EQ(TabCorner(control, 2), RGB(0, 0, 255));
}

TEST_F(AdvPageControls, ThePicturesAreCopiesReachableByNameAndClearedByNull) {
    TAdvPageControl* control = MakePages();
    {
        const auto picture = SolidPicture(clLime, 100, 21);
        EXPECT_TRUE(SetObjectProp(control, "TabBackGround", picture.get()));
        EXPECT_TRUE(SetObjectProp(control, "TabBackGroundActive", picture.get()));
    }
    Pump();
    auto* stored = GetObjectPropAs<TBitmap>(control, "TabBackGround");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->Width(), 100);
    EXPECT_EQ(TabCorner(control, 0), RGB(0, 255, 0)) << "the copy outlives the picture handed in";

    EXPECT_TRUE(SetObjectProp(control, "TabBackGround", nullptr));
    control->SetTabBackGroundActive(nullptr);
    Redraw(control);
    EXPECT_TRUE(control->TabBackGround()->Empty());
    EXPECT_TRUE(control->TabBackGroundActive()->Empty());
    EXPECT_EQ(TabCorner(control, 0), ColorToRGB(control->Color()));
    EXPECT_EQ(TabCorner(control, 1), ColorToRGB(control->Color()));
}
