#pragma once
// The IPv4 TCP and UDP tables with the owning process of each endpoint:
// AllocateAndGetTcpExTableFromStack and AllocateAndGetUdpExTableFromStack.
//
// The sockets come from the kernel's socket diagnostics over netlink, or from /proc/net/tcp
// and /proc/net/udp when netlink is not available; owners are found by matching socket inodes
// against the descriptors under /proc/[pid]/fd. A socket that several processes share goes
// to the lowest process id; a socket whose owner cannot be seen (another user's process)
// has process id 0. Linux TCP states are given the platform's numbers (MIB_TCP_STATE_*).

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

constexpr DWORD MIB_TCP_STATE_CLOSED = 1;
constexpr DWORD MIB_TCP_STATE_LISTEN = 2;
constexpr DWORD MIB_TCP_STATE_SYN_SENT = 3;
constexpr DWORD MIB_TCP_STATE_SYN_RCVD = 4;
constexpr DWORD MIB_TCP_STATE_ESTAB = 5;
constexpr DWORD MIB_TCP_STATE_FIN_WAIT1 = 6;
constexpr DWORD MIB_TCP_STATE_FIN_WAIT2 = 7;
constexpr DWORD MIB_TCP_STATE_CLOSE_WAIT = 8;
constexpr DWORD MIB_TCP_STATE_CLOSING = 9;
constexpr DWORD MIB_TCP_STATE_LAST_ACK = 10;
constexpr DWORD MIB_TCP_STATE_TIME_WAIT = 11;
constexpr DWORD MIB_TCP_STATE_DELETE_TCB = 12;

// Addresses in network byte order; ports in network byte order in the low 16 bits.
struct MIB_TCPEXROW {
    DWORD dwState;
    DWORD dwLocalAddr;
    DWORD dwLocalPort;
    DWORD dwRemoteAddr;
    DWORD dwRemotePort;
    DWORD dwProcessId;
};
static_assert(sizeof(MIB_TCPEXROW) == 24);

struct MIB_TCPEXTABLE {
    DWORD dwNumEntries;
    MIB_TCPEXROW table[1];
};

struct MIB_UDPEXROW {
    DWORD dwLocalAddr;
    DWORD dwLocalPort;
    DWORD dwProcessId;
};
static_assert(sizeof(MIB_UDPEXROW) == 12);

struct MIB_UDPEXTABLE {
    DWORD dwNumEntries;
    MIB_UDPEXROW table[1];
};

// NO_ERROR and a table allocated with HeapAlloc(heap, flags, ...) that the caller releases
// with HeapFree; ordered (TCP: local address, local port, remote address, remote port; UDP:
// local address, local port; addresses and ports compared as numbers) when `order` is TRUE.
// Errors: ERROR_INVALID_PARAMETER (no table pointer, a heap other than the process heap, or an
// unknown family), ERROR_NOT_SUPPORTED
// (IPv6), ERROR_NOT_ENOUGH_MEMORY, or the reason the system's tables could not be read.
DWORD AllocateAndGetTcpExTableFromStack(PVOID* table, BOOL order, HANDLE heap, DWORD flags, DWORD family);
DWORD AllocateAndGetUdpExTableFromStack(PVOID* table, BOOL order, HANDLE heap, DWORD flags, DWORD family);

namespace platform {

// Where the sockets are read: netlink with /proc/net as fallback (the default, used only while
// the /proc root is the system's), netlink alone, or the /proc root's net/tcp and net/udp.
enum class SocketSource { Automatic, Netlink, ProcFiles };
void SetSocketSource(SocketSource source);

// Linux's TCP state numbers (TCP_ESTABLISHED = 1 ... TCP_NEW_SYN_RECV = 12) as the platform's;
// 0 for a value Linux does not define.
DWORD PlatformTcpState(unsigned linuxState);

} // namespace platform
