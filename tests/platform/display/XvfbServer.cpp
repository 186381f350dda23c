#include "XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace testing_support {

namespace {

std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string list = path ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(':', start);
        std::string folder = list.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return {};
}

} // namespace

std::unique_ptr<XvfbServer> XvfbServer::Start(std::string& whyNot, int width, int height) {
    std::string program = FindProgram("Xvfb");
    if (program.empty()) {
        whyNot = "Xvfb is not installed (Debian package xvfb; make deps installs it)";
        return nullptr;
    }
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        whyNot = "cannot make a pipe for Xvfb";
        return nullptr;
    }
    // The server writes the display number it chose to this descriptor once it accepts clients.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    std::vector<std::string> arguments = {program,     "-displayfd", "3",        "-screen",    "0",    screen,
                                          "-nolisten", "tcp",        "-noreset", "+extension", "XTEST"};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        whyNot = "cannot start " + program;
        return nullptr;
    }
    std::string number;
    pollfd reader{pipeEnds[0], POLLIN, 0};
    // Startup takes a fraction of a second; ten seconds allow for a loaded machine.
    while (number.find('\n') == std::string::npos && poll(&reader, 1, 10000) > 0) {
        char chunk[16];
        ssize_t count = read(pipeEnds[0], chunk, sizeof chunk);
        if (count <= 0)
            break;
        number.append(chunk, static_cast<size_t>(count));
    }
    close(pipeEnds[0]);
    if (number.empty() || number.find('\n') == std::string::npos) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        whyNot = "Xvfb did not report a display";
        return nullptr;
    }
    number.erase(number.find('\n'));
    return std::unique_ptr<XvfbServer>(new XvfbServer(pid, ":" + number));
}

XvfbServer::~XvfbServer() {
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
}

} // namespace testing_support
