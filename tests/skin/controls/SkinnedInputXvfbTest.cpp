// Skinned controls under a real mouse on a private Xvfb server: a combo box dropped down by its
// skinned button and an item chosen from its list, and a track bar's skinned thumb dragged as far
// as the same bar's without a skin under the same hand.

#include "ControlSkinFixture.h"

#include "../../platform/display/XTestClient.h"
#include "../../platform/display/XvfbServer.h"

#include "framework/comctrls/TrackBar.h"
#include "framework/stdctrls/ComboBoxes.h"
#include "framework/stdctrls/ListItems.h"
#include "platform/controls/combobox/ComboBox.h"
#include "platform/controls/common/CommCtrl.h"
#include "platform/controls/listbox/ListBox.h"
#include "platform/display/Display.h"
#include "platform/display/HeadlessDisplay.h"
#include "platform/display/x11/X11Display.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/controls/SkinProgressBars.h"

#include <functional>

using testing_support::XTestClient;
using testing_support::XvfbServer;

namespace {

class SkinnedInputOnXvfb : public ControlSkinTest {
protected:
    void SetUp() override {
        std::string whyNot;
        m_server = XvfbServer::Start(whyNot);
        if (!m_server)
            GTEST_SKIP() << whyNot;
        ControlSkinTest::SetUp();
        std::string error;
        auto display = platform::X11Display::Open(m_server->Name().c_str(), error);
        ASSERT_TRUE(display) << error;
        m_display = display.get();
        platform::SetDisplay(std::move(display));
        m_client = XTestClient::Connect(m_server->Name());
        ASSERT_TRUE(m_client);
    }
    void TearDown() override {
        if (!m_server)
            return;
        ControlSkinTest::TearDown();
        m_client.reset();
        platform::SetDisplay(std::make_unique<platform::HeadlessDisplay>());
        m_server.reset();
    }

    // Runs the loop until the condition holds, waiting on the X connection; false after 5 s.
    bool RunUntil(const std::function<bool()>& condition) {
        const DWORD start = platform::Display().Now();
        for (;;) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            if (condition())
                return true;
            if (platform::Display().Now() - start > 5000)
                return false;
            platform::Display().WaitForEvents(20);
        }
    }
    void Settle() {
        int rounds = 0;
        RunUntil([&] { return ++rounds > 3; });
    }
    TForm* FormAt(int left) {
        auto* form = new TForm(nullptr);
        forms.emplace_back(form);
        form->SetBounds(left, 40, 260, 260);
        form->AfterConstruction();
        form->Show();
        EXPECT_TRUE(RunUntil([&] { return m_client->IsShown(m_display->NativeWindow(form->Handle())); }));
        Settle();
        return form;
    }
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

    std::unique_ptr<XvfbServer> m_server;
    platform::X11Display* m_display = nullptr;
    std::unique_ptr<XTestClient> m_client;
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
