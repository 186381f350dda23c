#include "DemoProgram.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>

#include <vector>

extern char** environ;

namespace testing_support {

namespace {

long Milliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000 + now.tv_nsec / 1000000;
}

} // namespace

pid_t StartDemoProgram(const std::string& program, const std::string& display,
                       const std::string& outputPath) {
    return StartDemoProgram(program, {}, display, outputPath);
}

pid_t StartDemoProgram(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& display, const std::string& outputPath) {
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("QUILLMERE_DISPLAY=", 0) != 0)
            environment.push_back(entry);
    }
    environment.push_back("DISPLAY=" + display);
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::string path = program;
    std::vector<std::string> words = arguments;
    std::vector<char*> argv{path.data()};
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

bool WaitFor(const std::function<bool()>& condition) {
    long deadline = Milliseconds() + 10000;
    while (Milliseconds() < deadline) {
        if (condition())
            return true;
        timespec pause{0, 20 * 1000 * 1000};
        nanosleep(&pause, nullptr);
    }
    return condition();
}

bool WaitForExit(pid_t pid, int& status) {
    bool ended = WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; });
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    return ended;
}

} // namespace testing_support
