#pragma once
// The /proc tree the process and socket calls read. It is /proc, except in tests, which point
// it at a fixture tree of the same shape (numeric process folders, net/tcp, net/udp).

#include <string>

namespace platform {

const std::string& ProcRoot();
void SetProcRoot(std::string root);
// True while the calls read the system's own /proc, where netlink answers for the same sockets.
bool ProcRootIsSystem();

} // namespace platform
