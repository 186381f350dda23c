#pragma once
// Control skins under a real mouse: the control-skin fixture on a private X session, with
// shown forms placed side by side so that a skinned and a plain control meet the same hand.

#include "ControlSkinFixture.h"

#include "../../platform/display/X11Session.h"

#include <functional>
#include <memory>
#include <string>

class ControlSkinXvfbTest : public ControlSkinTest {
protected:
    void SetUp() override {
        std::string whyNot;
        m_session = testing_support::X11Session::StartServer(whyNot);
        if (!m_session)
            GTEST_SKIP() << whyNot;
        ControlSkinTest::SetUp();
        ASSERT_TRUE(m_session->Connect());
        m_display = &m_session->Display();
        m_client = &m_session->Client();
    }
    void TearDown() override {
        if (!m_session)
            return;
        ControlSkinTest::TearDown();
        m_session.reset();
    }

    bool RunUntil(const std::function<bool()>& condition) { return m_session->RunUntil(condition); }
    void Settle() { m_session->Settle(); }

    // A shown form at (left, 40), once the X server shows its window.
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

    std::unique_ptr<testing_support::X11Session> m_session;
    platform::X11Display* m_display = nullptr;
    testing_support::XTestClient* m_client = nullptr;
};
