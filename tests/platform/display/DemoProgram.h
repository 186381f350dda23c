#pragma once
// Starting a demo program of tools/ on a test X server as a person would (the test display
// setting removed, DISPLAY set), and waiting for what it shows.

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// Starts the program with the given display; its error output goes to the file. -1 on failure.
pid_t StartDemoProgram(const std::string& program, const std::string& display, const std::string& outputPath);
// The same with arguments after the program's name.
pid_t StartDemoProgram(const std::string& program, const std::vector<std::string>& arguments,
                       const std::string& display, const std::string& outputPath);

// Polls the condition every 20 ms for up to ten seconds.
bool WaitFor(const std::function<bool()>& condition);

// Waits up to ten seconds for the program to end, killing it after that; true with its exit
// status when it ended by itself.
bool WaitForExit(pid_t pid, int& status);

} // namespace testing_support
