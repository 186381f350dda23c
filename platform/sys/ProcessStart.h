#pragma once
// Starting other programs: WinExec and ShellExecuteA. Nothing goes through a shell: the
// command line is split into arguments the way the platform's C runtime splits it, and the
// program is started with posix_spawn. The caller never waits; finished children are reaped.

#include "platform/base/ShowCommands.h"
#include "platform/base/WinTypes.h"

#include <string>
#include <vector>

constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_PNF = 3;
constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int SE_ERR_OOM = 8;
constexpr int SE_ERR_NOASSOC = 31;

// Above 31 when the program was started; otherwise 0 (out of memory), ERROR_FILE_NOT_FOUND,
// ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED or ERROR_BAD_FORMAT. The first word of the
// command line names the program (quoted, or the shortest prefix ending at a blank that names
// an existing file); a name without "/" is searched like a library file.
UINT WinExec(LPCSTR commandLine, UINT showCommand);

// Operation "open" (or null): a document or address is handed to xdg-open as one argument; an
// executable file is started with the parameters. Returns a value above 32 on success,
// otherwise SE_ERR_FNF, SE_ERR_ACCESSDENIED, SE_ERR_OOM or SE_ERR_NOASSOC (no opener, or an
// operation other than "open").
HINSTANCE ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        INT showCommand);

namespace platform {
// Splits a command line (UTF-8) into arguments: blanks separate, double quotes group, and
// 2n backslashes before a quote stand for n backslashes, 2n+1 for n and a literal quote.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
} // namespace platform
