#include "platform/sys/ProcessStart.h"

#include "platform/base/CodePage.h"
#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/process/FileSearch.h"

#include <cerrno>
#include <spawn.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsExecutableFile(const std::string& path) {
    return IsRegularFile(path) && ::access(path.c_str(), X_OK) == 0;
}

// Starts the program and reaps it from a background thread when it ends, so a caller that
// never waits leaves no zombie. Returns 0 or the errno of the failed start.
int Spawn(const std::string& program, const std::vector<std::string>& arguments,
          const std::string& directory) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!directory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    pid_t child = 0;
    int error = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        return error;
    std::thread([child] {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return 0;
}

// The program a command line starts and the arguments after it.
struct ParsedCommand {
    std::string program;
    std::string rest;
};

ParsedCommand SplitProgram(const std::string& commandLine) {
    std::size_t start = commandLine.find_first_not_of(" \t");
    if (start == std::string::npos)
        return {};
    if (commandLine[start] == '"') {
        std::size_t close = commandLine.find('"', start + 1);
        if (close == std::string::npos)
            return {commandLine.substr(start + 1), ""};
        return {commandLine.substr(start + 1, close - start - 1), commandLine.substr(close + 1)};
    }
    // An unquoted name may hold blanks: the shortest prefix that names a file wins.
    std::size_t blank = commandLine.find_first_of(" \t", start);
    while (blank != std::string::npos) {
        std::string candidate = commandLine.substr(start, blank - start);
        if (IsRegularFile(platform::SearchFile(candidate)))
            return {candidate, commandLine.substr(blank)};
        blank = commandLine.find_first_of(" \t", blank + 1);
    }
    blank = commandLine.find_first_of(" \t", start);
    if (IsRegularFile(platform::SearchFile(commandLine.substr(start))))
        return {commandLine.substr(start), ""};
    if (blank == std::string::npos)
        return {commandLine.substr(start), ""};
    return {commandLine.substr(start, blank - start), commandLine.substr(blank)};
}

UINT WinExecResult(int error) {
    switch (error) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
        return ERROR_ACCESS_DENIED;
    case ENOEXEC:
        return ERROR_BAD_FORMAT;
    default:
        return 0;
    }
}

HINSTANCE ShellResult(int value) {
    return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(value));
}

} // namespace

std::vector<std::string> platform::SplitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    for (std::size_t i = 0; i < commandLine.size();) {
        char c = commandLine[i];
        if (!quoted && (c == ' ' || c == '\t')) {
            if (inArgument)
                arguments.push_back(std::move(current));
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            std::size_t count = commandLine.find_first_not_of('\\', i);
            if (count == std::string::npos)
                count = commandLine.size();
            std::size_t backslashes = count - i;
            if (count < commandLine.size() && commandLine[count] == '"') {
                current.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    current += '"';
                    i = count + 1;
                } else {
                    i = count;
                }
            } else {
                current.append(backslashes, '\\');
                i = count;
            }
            continue;
        }
        if (c == '"') {
            // Inside quotes, a doubled quote stands for one literal quote.
            if (quoted && i + 1 < commandLine.size() && commandLine[i + 1] == '"') {
                current += '"';
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (inArgument)
        arguments.push_back(std::move(current));
    return arguments;
}

UINT WinExec(LPCSTR commandLine, UINT) {
    if (!commandLine) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return ERROR_FILE_NOT_FOUND;
    }
    ParsedCommand parsed = SplitProgram(platform::GbkToUtf8(commandLine));
    if (parsed.program.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return ERROR_FILE_NOT_FOUND;
    }
    std::string path = platform::SearchFile(parsed.program);
    std::vector<std::string> arguments{parsed.program};
    for (std::string& argument : platform::SplitCommandLine(parsed.rest))
        arguments.push_back(std::move(argument));
    int error = Spawn(path, arguments, "");
    if (error != 0) {
        UINT result = WinExecResult(error);
        SetLastError(result == 0 ? ERROR_NOT_ENOUGH_MEMORY : result);
        return result;
    }
    return 33;
}

HINSTANCE ShellExecuteA(HWND, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT) {
    if (operation && *operation && ::strcasecmp(operation, "open") != 0) {
        SetLastError(ERROR_NO_ASSOCIATION);
        return ShellResult(SE_ERR_NOASSOC);
    }
    if (!file || !*file) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return ShellResult(SE_ERR_FNF);
    }
    std::string target = platform::GbkToUtf8(file);
    std::string folder = directory ? platform::GbkToUtf8(directory) : std::string();
    std::string program;
    std::vector<std::string> arguments;
    std::string local = target.find('/') == std::string::npos ? platform::SearchFile(target) : target;
    if (target.find("://") == std::string::npos && IsExecutableFile(local)) {
        program = local;
        arguments.push_back(target);
        for (std::string& argument :
             platform::SplitCommandLine(parameters ? platform::GbkToUtf8(parameters) : ""))
            arguments.push_back(std::move(argument));
    } else {
        // The opener is looked up along PATH; the address is one argument, never a shell word.
        program = platform::SearchExecutableOnPath("xdg-open");
        if (program.empty()) {
            SetLastError(ERROR_NO_ASSOCIATION);
            return ShellResult(SE_ERR_NOASSOC);
        }
        arguments = {"xdg-open", target};
    }
    int error = Spawn(program, arguments, folder);
    switch (error) {
    case 0:
        return ShellResult(42);
    case ENOENT:
    case ENOTDIR:
        SetLastError(ERROR_FILE_NOT_FOUND);
        return ShellResult(SE_ERR_FNF);
    case EACCES:
    case EPERM:
        SetLastError(ERROR_ACCESS_DENIED);
        return ShellResult(SE_ERR_ACCESSDENIED);
    case ENOMEM:
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return ShellResult(SE_ERR_OOM);
    default:
        SetLastError(ERROR_NO_ASSOCIATION);
        return ShellResult(SE_ERR_NOASSOC);
    }
}
