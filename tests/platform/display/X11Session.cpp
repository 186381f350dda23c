#include "X11Session.h"

#include "platform/display/Display.h"
#include "platform/display/HeadlessDisplay.h"
#include "platform/user/WinUser.h"

namespace testing_support {

std::unique_ptr<X11Session> X11Session::StartServer(std::string& whyNot, int width, int height) {
    std::unique_ptr<XvfbServer> server = XvfbServer::Start(whyNot, width, height);
    if (!server)
        return nullptr;
    return std::unique_ptr<X11Session>(new X11Session(std::move(server)));
}

X11Session::~X11Session() {
    m_client.reset();
    if (m_display)
        platform::SetDisplay(std::make_unique<platform::HeadlessDisplay>());
}

::testing::AssertionResult X11Session::Connect() {
    std::string error;
    auto display = platform::X11Display::Open(m_server->Name().c_str(), error);
    if (!display)
        return ::testing::AssertionFailure() << "the X11 display does not open: " << error;
    m_display = display.get();
    platform::SetDisplay(std::move(display));
    m_client = XTestClient::Connect(m_server->Name());
    if (!m_client)
        return ::testing::AssertionFailure() << "the XTest client does not connect to " << m_server->Name();
    return ::testing::AssertionSuccess();
}

bool X11Session::RunUntil(const std::function<bool()>& condition, unsigned timeout) {
    const DWORD start = platform::Display().Now();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition())
            return true;
        if (platform::Display().Now() - start > timeout)
            return false;
        platform::Display().WaitForEvents(20);
    }
}

void X11Session::Settle() {
    int rounds = 0;
    RunUntil([&] { return ++rounds > 3; });
}

} // namespace testing_support
