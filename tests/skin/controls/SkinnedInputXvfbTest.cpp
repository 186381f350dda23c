// Skinned controls under a real mouse on a private Xvfb server: a combo box dropped down by its
// skinned button and an item chosen from its list, and a track bar's skinned thumb dragged as far
// as the same bar's without a skin under the same hand.

#include "ControlSkinXvfbFixture.h"

#include "framework/comctrls/TrackBar.h"
#include "framework/stdctrls/ComboBoxes.h"
#include "framework/stdctrls/ListItems.h"
#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/controls/listbox/ListBox.h"
#include "platform/display/Display.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinProgressBars.h"

#include <functional>

namespace {

class SkinnedInputOnXvfb : public ControlSkinXvfbTest {
protected:
    static POINT ScreenOf(HWND window, int x, int y) {
        POINT point{x, y};
        ClientToScreen(window, &point);
        return point;
    }
    // The skin attached as the form's mapping attaches it, the loop run on the X connection.
    template <typename Skin>
    Skin* Skinned(TWinControl* control) {
        auto* skin = new Skin(control);
        skin->InitSkin(skinForm.get(), skinData.get(), false, skinForm->ControlCanvas());
        Settle();
        return skin;
    }
    void ClickAt(POINT at) {
        m_client->MovePointer(at.x, at.y);
        Settle();
        m_client->Button(1, true);
        Settle();
        m_client->Button(1, false);
        Settle();
    }
};

TEST_F(SkinnedInputOnXvfb, AComboBoxDropsDownFromItsSkinnedButtonAndTakesTheItemClicked) {
    TForm* form = FormAt(40);
    auto* combo = Add<TComboBox>(form, 20, 20, 180, 24);
    combo->SetStyle(csDropDownList);
    for (const char* text : {"北京", "上海", "广州", "深圳", "杭州"})
        combo->Items()->Add(text);
    auto* skin = Skinned<TSkinComBox>(combo);
    const RECT button = skin->ButtonRect();
    ClickAt(ScreenOf(combo->Handle(), (button.left + button.right) / 2, (button.top + button.bottom) / 2));
    ASSERT_TRUE(RunUntil([&] { return skin->Dropped(); }))
        << "the press on the skinned button drops the list";
    HWND list = skin->ListWindow();
    ASSERT_TRUE(IsWindowVisible(list));
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
    ClickAt(ScreenOf(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2));
    ASSERT_TRUE(RunUntil([&] { return !skin->Dropped(); }));
    EXPECT_EQ(combo->ItemIndex(), 2) << "the item clicked";
    EXPECT_EQ(skin->ButtonState() == 2, false) << "the button is no longer pressed";
}

TEST_F(SkinnedInputOnXvfb, ATrackBarsSkinnedThumbDragsAsTheBarsOwn) {
    TTrackBar* bars[2] = {};
    for (int i = 0; i < 2; ++i) {
        TForm* form = FormAt(20 + 300 * i);
        bars[i] = Add<TTrackBar>(form, 10, 20, 220, 40);
        bars[i]->SetMax(20);
        if (i == 1)
            Skinned<TSkinTrackBar>(bars[i]);
    }
    Settle();
    for (TTrackBar* bar : bars) {
        RECT thumb{};
        SendMessageW(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        const POINT from =
            ScreenOf(bar->Handle(), (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
        m_client->MovePointer(from.x, from.y);
        Settle();
        m_client->Button(1, true);
        for (int step = 1; step <= 4; ++step)
            m_client->MovePointer(from.x + 25 * step, from.y);
        m_client->Button(1, false);
        ASSERT_TRUE(RunUntil([&] { return GetCapture() == nullptr; }));
        Settle();
    }
    EXPECT_GT(bars[0]->Position(), 5);
    EXPECT_EQ(bars[1]->Position(), bars[0]->Position()) << "the thumb dragged on the skin";
}

} // namespace
