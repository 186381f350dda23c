#pragma once
// One private X session for the in-process X11 tests: an Xvfb server, our X11 display on it
// as the program's display, and the XTest client that plays the person at the keyboard.
// Started in two steps, so that a fixture can skip before its own set-up when Xvfb is
// missing and connect after it (that set-up installs the headless display).

#include "XTestClient.h"
#include "XvfbServer.h"

#include "platform/display/x11/X11Display.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace testing_support {

class X11Session {
public:
    // Null, with the reason in whyNot, when no server can be started.
    static std::unique_ptr<X11Session> StartServer(std::string& whyNot, int width = 800, int height = 600);
    // The connection closes before its server stops; the headless display is the program's again.
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    // Opens our display on the server, makes it the program's and connects the XTest client.
    ::testing::AssertionResult Connect();

    const std::string& ServerName() const { return m_server->Name(); }
    platform::X11Display& Display() const { return *m_display; }
    XTestClient& Client() const { return *m_client; }

    // Runs the message loop until the condition holds, waiting on the X connection between
    // rounds; false when the time (in ms) passes first.
    bool RunUntil(const std::function<bool()>& condition, unsigned timeout = 5000);
    // A few rounds of the loop, for what the server and the windows still have to say.
    void Settle();

private:
    explicit X11Session(std::unique_ptr<XvfbServer> server) : m_server(std::move(server)) {}

    std::unique_ptr<XvfbServer> m_server;
    platform::X11Display* m_display = nullptr;
    std::unique_ptr<XTestClient> m_client;
};

// A fixture on a private X session: Base's own set-up runs first, then our display opens on
// the server; its windows go before the session does.
template <typename Base>
class OnX11Session : public Base {
protected:
    void SetUp() override {
        std::string whyNot;
        m_session = X11Session::StartServer(whyNot);
        if (!m_session)
            GTEST_SKIP() << whyNot;
        Base::SetUp();
        ASSERT_TRUE(m_session->Connect());
        m_display = &m_session->Display();
        m_client = &m_session->Client();
    }
    void TearDown() override {
        if (!m_session)
            return;
        Base::TearDown();
        m_session.reset();
    }

    bool RunUntil(const std::function<bool()>& condition) { return m_session->RunUntil(condition); }
    void Settle() { m_session->Settle(); }

    std::unique_ptr<X11Session> m_session;
    platform::X11Display* m_display = nullptr;
    XTestClient* m_client = nullptr;
};

} // namespace testing_support
