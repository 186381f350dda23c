#include "platform/net/IpHelper.h"

#include "platform/base/LastError.h"
#include "platform/base/WinError.h"
#include "platform/net/SocketScan.h"
#include "platform/process/ProcRoot.h"
#include "platform/sys/Heap.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <tuple>

namespace {

constexpr DWORD PlatformInet6Family = 23;

platform::SocketSource& Source() {
    static platform::SocketSource source = platform::SocketSource::Automatic;
    return source;
}

// The sockets of the protocol, or the platform's error code of why they cannot be read.
DWORD ReadSockets(int protocol, std::vector<platform::RawSocket>& sockets) {
    platform::SocketSource source = Source();
    if (source == platform::SocketSource::Automatic && !platform::ProcRootIsSystem())
        source = platform::SocketSource::ProcFiles; // netlink would answer for the real system
    if (source != platform::SocketSource::ProcFiles) {
        if (platform::ReadNetlinkSockets(protocol, sockets))
            return NO_ERROR;
        if (source == platform::SocketSource::Netlink)
            return platform::ErrorFromErrno(errno);
    }
    if (platform::ReadProcNetSockets(platform::ProcRoot(), protocol, sockets))
        return NO_ERROR;
    return errno == ENOENT ? ERROR_NOT_SUPPORTED : platform::ErrorFromErrno(errno);
}

DWORD CheckArguments(PVOID* table, HANDLE heap, DWORD family) {
    if (!table)
        return ERROR_INVALID_PARAMETER;
    *table = nullptr;
    if (heap != GetProcessHeap())
        return ERROR_INVALID_PARAMETER;
    if (family == PlatformInet6Family)
        return ERROR_NOT_SUPPORTED;
    if (family != AF_INET)
        return ERROR_INVALID_PARAMETER;
    return NO_ERROR;
}

DWORD PortField(std::uint16_t hostPort) {
    return htons(hostPort);
}

DWORD OwnerOf(const std::unordered_map<std::uint64_t, std::uint32_t>& owners, std::uint64_t inode) {
    if (inode == 0)
        return 0;
    auto it = owners.find(inode);
    return it == owners.end() ? 0 : it->second;
}

template <typename Table, typename Row>
Table* AllocateTable(HANDLE heap, DWORD flags, std::size_t rows) {
    std::size_t bytes = std::max(sizeof(Table), offsetof(Table, table) + rows * sizeof(Row));
    return static_cast<Table*>(HeapAlloc(heap, flags, bytes));
}

} // namespace

void platform::SetSocketSource(SocketSource source) {
    Source() = source;
}

DWORD platform::PlatformTcpState(unsigned linuxState) {
    switch (linuxState) {
    case 1: // TCP_ESTABLISHED
        return MIB_TCP_STATE_ESTAB;
    case 2: // TCP_SYN_SENT
        return MIB_TCP_STATE_SYN_SENT;
    case 3:  // TCP_SYN_RECV
    case 12: // TCP_NEW_SYN_RECV: a connection request not yet accepted
        return MIB_TCP_STATE_SYN_RCVD;
    case 4: // TCP_FIN_WAIT1
        return MIB_TCP_STATE_FIN_WAIT1;
    case 5: // TCP_FIN_WAIT2
        return MIB_TCP_STATE_FIN_WAIT2;
    case 6: // TCP_TIME_WAIT
        return MIB_TCP_STATE_TIME_WAIT;
    case 7: // TCP_CLOSE
        return MIB_TCP_STATE_CLOSED;
    case 8: // TCP_CLOSE_WAIT
        return MIB_TCP_STATE_CLOSE_WAIT;
    case 9: // TCP_LAST_ACK
        return MIB_TCP_STATE_LAST_ACK;
    case 10: // TCP_LISTEN
        return MIB_TCP_STATE_LISTEN;
    case 11: // TCP_CLOSING
        return MIB_TCP_STATE_CLOSING;
    default:
        return 0;
    }
}

DWORD AllocateAndGetTcpExTableFromStack(PVOID* table, BOOL order, HANDLE heap, DWORD flags, DWORD family) {
    if (DWORD error = CheckArguments(table, heap, family))
        return error;
    std::vector<platform::RawSocket> sockets;
    if (DWORD error = ReadSockets(IPPROTO_TCP, sockets))
        return error;
    if (order) {
        std::stable_sort(
            sockets.begin(), sockets.end(), [](const platform::RawSocket& a, const platform::RawSocket& b) {
                return std::make_tuple(ntohl(a.localAddress), a.localPort, ntohl(a.remoteAddress),
                                       a.remotePort) < std::make_tuple(ntohl(b.localAddress), b.localPort,
                                                                       ntohl(b.remoteAddress), b.remotePort);
            });
    }
    auto owners = platform::FindSocketOwners(platform::ProcRoot());
    auto* result = AllocateTable<MIB_TCPEXTABLE, MIB_TCPEXROW>(heap, flags, sockets.size());
    if (!result)
        return ERROR_NOT_ENOUGH_MEMORY;
    result->dwNumEntries = static_cast<DWORD>(sockets.size());
    MIB_TCPEXROW* rows = result->table;
    for (std::size_t i = 0; i < sockets.size(); ++i) {
        const platform::RawSocket& socket = sockets[i];
        rows[i] = {platform::PlatformTcpState(socket.linuxState),
                   socket.localAddress,
                   PortField(socket.localPort),
                   socket.remoteAddress,
                   PortField(socket.remotePort),
                   OwnerOf(owners, socket.inode)};
    }
    *table = result;
    return NO_ERROR;
}

DWORD AllocateAndGetUdpExTableFromStack(PVOID* table, BOOL order, HANDLE heap, DWORD flags, DWORD family) {
    if (DWORD error = CheckArguments(table, heap, family))
        return error;
    std::vector<platform::RawSocket> sockets;
    if (DWORD error = ReadSockets(IPPROTO_UDP, sockets))
        return error;
    if (order) {
        std::stable_sort(sockets.begin(), sockets.end(),
                         [](const platform::RawSocket& a, const platform::RawSocket& b) {
                             return std::make_pair(ntohl(a.localAddress), a.localPort) <
                                    std::make_pair(ntohl(b.localAddress), b.localPort);
                         });
    }
    auto owners = platform::FindSocketOwners(platform::ProcRoot());
    auto* result = AllocateTable<MIB_UDPEXTABLE, MIB_UDPEXROW>(heap, flags, sockets.size());
    if (!result)
        return ERROR_NOT_ENOUGH_MEMORY;
    result->dwNumEntries = static_cast<DWORD>(sockets.size());
    MIB_UDPEXROW* rows = result->table;
    for (std::size_t i = 0; i < sockets.size(); ++i) {
        const platform::RawSocket& socket = sockets[i];
        rows[i] = {socket.localAddress, PortField(socket.localPort), OwnerOf(owners, socket.inode)};
    }
    *table = result;
    return NO_ERROR;
}
