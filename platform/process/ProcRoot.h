#pragma once
// The /proc tree the process and socket calls read. It is /proc, except in tests, which point
// it at a fixture tree of the same shape (numeric process folders, net/tcp, net/udp).

#include <cstdint>
#include <functional>
#include <string>

namespace platform {

const std::string& ProcRoot();
void SetProcRoot(std::string root);
// True while the calls read the system's own /proc, where netlink answers for the same sockets.
bool ProcRootIsSystem();

// Calls `visit(root, name, pid)` for every process folder (numeric name) of the /proc tree at
// `procRoot`; `root` is a descriptor of the tree that `name` is relative to. False, with errno
// set, when the tree cannot be opened.
bool ForEachProcessFolder(const std::string& procRoot,
                          const std::function<void(int root, const char* name, std::uint32_t pid)>& visit);

} // namespace platform
