#pragma once
// Reading the IPv4 sockets of the system and the processes that hold them.

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <unordered_map>
#include <vector>

namespace platform {

struct RawSocket {
    unsigned linuxState = 0;         // TCP_* of the kernel; 7 (TCP_CLOSE) for unconnected UDP
    std::uint32_t localAddress = 0;  // network byte order
    std::uint16_t localPort = 0;     // host byte order
    std::uint32_t remoteAddress = 0; // network byte order
    std::uint16_t remotePort = 0;    // host byte order
    std::uint64_t inode = 0;         // 0 for sockets no process holds (TIME_WAIT, requests)
};

// All IPv4 sockets of the protocol (IPPROTO_TCP or IPPROTO_UDP) from the kernel's socket
// diagnostics. False with errno set when netlink cannot answer.
bool ReadNetlinkSockets(int protocol, std::vector<RawSocket>& sockets);
// The same from "<procRoot>/net/tcp" or ".../net/udp". False with errno set when unreadable.
bool ReadProcNetSockets(const std::string& procRoot, int protocol, std::vector<RawSocket>& sockets);

// Socket inode -> id of the lowest process holding a descriptor for it, over the processes of
// the /proc root whose descriptor folders can be read.
std::unordered_map<std::uint64_t, std::uint32_t> FindSocketOwners(const std::string& procRoot);

} // namespace platform
