#pragma once
// A fixture /proc tree's texts: lines of net/tcp and net/udp as the kernel writes them on this
// machine, and a process's entries.

#include "tests/platform/process/TestFolder.h"

#include <cstdio>
#include <string>

// "a.b.c.d:port" as /proc/net/tcp writes it (the address in the machine's byte order).
inline std::string Hex(int a, int b, int c, int d, int port) {
    char text[32];
    std::snprintf(text, sizeof text, "%02X%02X%02X%02X:%04X", d, c, b, a, port);
    return text;
}

inline std::string ProcNetLine(const std::string& local, const std::string& remote, int state, int inode) {
    char text[256];
    std::snprintf(text, sizeof text, "   0: %s %s %02X 00000000:00000000 00:00000000 00000000  0 0 %d 1 0\n",
                  local.c_str(), remote.c_str(), state, inode);
    return text;
}

inline const char* const ProcNetHeader =
    "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  "
    "timeout inode\n";

// A running process: its stat line (named after the executable), executable link and mapping.
inline void AddProcess(const TestFolder& proc, int pid, const std::string& exe) {
    std::string id = std::to_string(pid);
    proc.Write(id + "/stat", id + " (" + exe.substr(exe.rfind('/') + 1, 15) +
                                 ") S 1 0 0 0 -1 0 0 0 0 0 0 0 0 0 20 0 1 0 100\n");
    proc.Link(id + "/exe", exe);
    proc.Write(id + "/maps", "00400000-00401000 r-xp 00000000 08:01 1234   " + exe + "\n");
}
