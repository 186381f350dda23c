// The skinned date and time picker: its frame in the skin's border colour with white inside, the
// arrow button over the picker's own showing the skin's combo button (hot under the mouse), kept
// at the right edge after a resize, and a press on it dropping the picker's calendar down.

#include "ControlSkinFixture.h"

#include "framework/comctrls/DateTimePicker.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/controls/common/datetime/CommCtrlDateTime.h"
#include "skin/controls/SkinColours.h"
#include "skin/controls/SkinDateTime.h"

namespace {

class SkinDateTimeTest : public ControlSkinTest {
protected:
    COLORREF ArrowFaceAt(int frame, int width, int height, int x, int y) const {
        const TDataSkinObject& face = *Skin().ComboArrow;
        auto picture = Picture(width, height, [&](HDC dc) {
            FillColor(dc, RECT{0, 0, width, height}, Skin().Colours[3]);
            TSkinFrameStyle style;
            style.transparent = true;
            DrawSkinFrame(dc, RECT{0, 0, width, height}, *face.Image, frame, face.FrameCount, false, style);
        });
        return PictureAt(*picture, x, y);
    }
};

TEST_F(SkinDateTimeTest, TheArrowButtonCoversThePickersButtonAndStaysAtTheEdgeAfterAResize) {
    TForm* form = NewForm();
    auto* picker = Add<TDateTimePicker>(form, 20, 20, 160, 24);
    auto* skin = SkinOf<TSkinDateTime>(picker);
    TArrowButton* arrow = skin->ArrowButton();
    ASSERT_NE(arrow, nullptr);
    const int width = GetSystemMetrics(SM_CXHSCROLL);
    EXPECT_EQ(arrow->Left(), 160 - width - 4);
    EXPECT_EQ(arrow->Width(), width);
    EXPECT_EQ(arrow->Height(), 20);
    EXPECT_FALSE(arrow->TabStop());
    EXPECT_TRUE(GetWindowLongW(picker->Handle(), GWL_STYLE) & WS_CLIPCHILDREN);

    picker->SetWidth(220);
    Pump();
    EXPECT_EQ(arrow->Left(), 220 - width - 4) << "at the right edge after the resize";
    picker->Invalidate();
    Pump();
    EXPECT_EQ(Pixel(picker, 0, 0), ColorToRGB(SkinBorderColour(Skin())));
    EXPECT_EQ(Pixel(picker, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(Pixel(arrow->Handle(), width / 2, 0), ArrowFaceAt(1, width, 20, width / 2, 0));
}

TEST_F(SkinDateTimeTest, TheArrowButtonIsHotUnderTheMouseAndAPressDropsTheCalendar) {
    TForm* form = NewForm();
    auto* picker = Add<TDateTimePicker>(form, 20, 20, 160, 24);
    auto* skin = SkinOf<TSkinDateTime>(picker);
    TArrowButton* arrow = skin->ArrowButton();
    POINT at{arrow->Width() / 2, 10};
    ClientToScreen(arrow->Handle(), &at);
    platform::headless::MoveMouse(at.x, at.y);
    Pump();
    EXPECT_TRUE(arrow->Hot());
    EXPECT_EQ(Pixel(arrow->Handle(), arrow->Width() / 2, 0),
              ArrowFaceAt(4, arrow->Width(), arrow->Height(), arrow->Width() / 2, 0));
    platform::headless::MoveMouse(5, 5);
    Pump();
    EXPECT_FALSE(arrow->Hot()) << "left";
    platform::headless::Click(at.x, at.y);
    Pump();
    HWND calendar = reinterpret_cast<HWND>(SendMessageW(picker->Handle(), DTM_GETMONTHCAL, 0, 0));
    EXPECT_NE(calendar, nullptr) << "the calendar dropped down";
}

} // namespace
