#pragma once
// A private virtual X server for the tests that need a real display: started on a free display
// number (the server picks it and reports it), stopped when the object goes.

#include <memory>
#include <string>

#include <sys/types.h>

namespace testing_support {

class XvfbServer {
public:
    // Null, with the reason in whyNot, when no server can be started (Xvfb not installed).
    static std::unique_ptr<XvfbServer> Start(std::string& whyNot, int width = 800, int height = 600);
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    const std::string& Name() const { return m_name; } // ":N"

private:
    XvfbServer(pid_t pid, std::string name) : m_pid(pid), m_name(std::move(name)) {}
    pid_t m_pid;
    std::string m_name;
};

} // namespace testing_support
