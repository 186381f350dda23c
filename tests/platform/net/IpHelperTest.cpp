#include "platform/net/IpHelper.h"
#include "platform/base/WinError.h"
#include "platform/net/WinSock.h"
#include "platform/process/ProcRoot.h"
#include "platform/sys/Heap.h"
#include "tests/platform/process/TestFolder.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

// Owns a socket of the test; the descriptor closes with the object.
class TestSocket {
public:
    TestSocket(int type, const char* address, bool listening) {
        m_fd = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_addr.s_addr = inet_addr(address);
        EXPECT_EQ(::bind(m_fd, reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
        if (listening) {
            EXPECT_EQ(::listen(m_fd, 4), 0);
        }
    }
    explicit TestSocket(int fd) : m_fd(fd) {}
    ~TestSocket() { ::close(m_fd); }
    TestSocket(const TestSocket&) = delete;
    TestSocket& operator=(const TestSocket&) = delete;

    int Fd() const { return m_fd; }
    sockaddr_in Local() const {
        sockaddr_in where{};
        socklen_t length = sizeof where;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&where), &length);
        return where;
    }

private:
    int m_fd;
};

std::vector<MIB_TCPEXROW> TcpRows() {
    PVOID table = nullptr;
    EXPECT_EQ(AllocateAndGetTcpExTableFromStack(&table, TRUE, GetProcessHeap(), 2, 2), NO_ERROR);
    if (!table)
        return {};
    auto* tcp = static_cast<MIB_TCPEXTABLE*>(table);
    std::vector<MIB_TCPEXROW> rows(tcp->table, tcp->table + tcp->dwNumEntries);
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, table));
    return rows;
}

std::vector<MIB_UDPEXROW> UdpRows() {
    PVOID table = nullptr;
    EXPECT_EQ(AllocateAndGetUdpExTableFromStack(&table, TRUE, GetProcessHeap(), 2, 2), NO_ERROR);
    if (!table)
        return {};
    auto* udp = static_cast<MIB_UDPEXTABLE*>(table);
    std::vector<MIB_UDPEXROW> rows(udp->table, udp->table + udp->dwNumEntries);
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, table));
    return rows;
}

const MIB_TCPEXROW* FindTcp(const std::vector<MIB_TCPEXROW>& rows, const sockaddr_in& local,
                            DWORD remotePort = 0) {
    for (const MIB_TCPEXROW& row : rows) {
        if (row.dwLocalAddr == local.sin_addr.s_addr && row.dwLocalPort == local.sin_port &&
            (remotePort == 0 || row.dwRemotePort == remotePort))
            return &row;
    }
    return nullptr;
}

bool TcpOrdered(const std::vector<MIB_TCPEXROW>& rows) {
    auto key = [](const MIB_TCPEXROW& row) {
        return std::make_tuple(ntohl(row.dwLocalAddr), ntohs(static_cast<uint16_t>(row.dwLocalPort)),
                               ntohl(row.dwRemoteAddr), ntohs(static_cast<uint16_t>(row.dwRemotePort)));
    };
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (key(rows[i]) < key(rows[i - 1]))
            return false;
    }
    return true;
}

class IpHelperSystem : public ::testing::TestWithParam<platform::SocketSource> {
protected:
    void SetUp() override { platform::SetSocketSource(GetParam()); }
    void TearDown() override { platform::SetSocketSource(platform::SocketSource::Automatic); }
};

TEST_P(IpHelperSystem, OwnSocketsAppearWithThisProcessAsOwner) {
    TestSocket loopbackListener(SOCK_STREAM, "127.0.0.1", true);
    TestSocket anyListener(SOCK_STREAM, "0.0.0.0", true);
    TestSocket udp(SOCK_DGRAM, "0.0.0.0", false);
    TestSocket client(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in target = loopbackListener.Local();
    ASSERT_EQ(::connect(client.Fd(), reinterpret_cast<sockaddr*>(&target), sizeof target), 0);
    TestSocket server(::accept4(loopbackListener.Fd(), nullptr, nullptr, SOCK_CLOEXEC));

    std::vector<MIB_TCPEXROW> rows = TcpRows();
    EXPECT_TRUE(TcpOrdered(rows));
    DWORD self = static_cast<DWORD>(::getpid());

    const MIB_TCPEXROW* listener = FindTcp(rows, loopbackListener.Local());
    ASSERT_NE(listener, nullptr);
    EXPECT_EQ(listener->dwState, MIB_TCP_STATE_LISTEN);
    EXPECT_EQ(listener->dwRemoteAddr, 0u);
    EXPECT_EQ(listener->dwProcessId, self);
    EXPECT_STREQ(inet_ntoa(in_addr{listener->dwLocalAddr}), "127.0.0.1");
    EXPECT_EQ(ntohs(static_cast<uint16_t>(listener->dwLocalPort)), ntohs(target.sin_port));

    const MIB_TCPEXROW* any = FindTcp(rows, anyListener.Local());
    ASSERT_NE(any, nullptr);
    EXPECT_EQ(any->dwState, MIB_TCP_STATE_LISTEN);
    EXPECT_EQ(any->dwProcessId, self);

    const MIB_TCPEXROW* outgoing = FindTcp(rows, client.Local(), target.sin_port);
    ASSERT_NE(outgoing, nullptr);
    EXPECT_EQ(outgoing->dwState, MIB_TCP_STATE_ESTAB);
    EXPECT_EQ(outgoing->dwRemoteAddr, target.sin_addr.s_addr);
    EXPECT_EQ(outgoing->dwProcessId, self);
    const MIB_TCPEXROW* incoming = FindTcp(rows, server.Local(), client.Local().sin_port);
    ASSERT_NE(incoming, nullptr);
    EXPECT_EQ(incoming->dwProcessId, self);

    bool udpFound = false;
    for (const MIB_UDPEXROW& row : UdpRows()) {
        if (row.dwLocalPort == udp.Local().sin_port && row.dwLocalAddr == 0) {
            udpFound = true;
            EXPECT_EQ(row.dwProcessId, self);
        }
    }
    EXPECT_TRUE(udpFound);
    EXPECT_EQ(platform::LiveHeapBlockCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(BothSources, IpHelperSystem,
                         ::testing::Values(platform::SocketSource::Automatic,
                                           platform::SocketSource::ProcFiles));

TEST(IpHelper, ArgumentsAreChecked) {
    PVOID table = reinterpret_cast<PVOID>(1);
    EXPECT_EQ(AllocateAndGetTcpExTableFromStack(nullptr, TRUE, GetProcessHeap(), 0, 2),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(AllocateAndGetTcpExTableFromStack(&table, TRUE, GetProcessHeap(), 0, 23), ERROR_NOT_SUPPORTED);
    EXPECT_EQ(table, nullptr);
    EXPECT_EQ(AllocateAndGetUdpExTableFromStack(&table, TRUE, GetProcessHeap(), 0, 7),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(AllocateAndGetUdpExTableFromStack(&table, TRUE, reinterpret_cast<HANDLE>(0x1234), 0, 2),
              ERROR_INVALID_PARAMETER);
}

TEST(IpHelper, LinuxStatesGetThePlatformsNumbers) {
    const DWORD expected[] = {0, 5, 3, 4, 6, 7, 11, 1, 8, 10, 2, 9, 4, 0};
    for (unsigned state = 0; state < std::size(expected); ++state)
        EXPECT_EQ(platform::PlatformTcpState(state), expected[state]) << "Linux state " << state;
}

// A /proc tree with sockets, descriptors and processes, read through the fallback files.
class IpHelperFixture : public ::testing::Test {
protected:
    void SetUp() override {
        const char* header =
            "  sl  local_address rem_address   st tx_queue rx_queue tr tm->when retrnsmt   uid  "
            "timeout inode\n";
        // Rows out of order; 10.0.0.2 sorts after 9.0.0.1 as a number, not as text.
        folder.Write("net/tcp",
                     std::string(header) +
                         "   0: 0200000A:0050 0501A8C0:C000 01 00000000:00000000 00:00000000 00000000  "
                         "1000        0 222 1 0\n"
                         "   1: 0100007F:1F90 00000000:0000 0A 00000000:00000000 00:00000000 00000000  "
                         "1000        0 111 1 0\n"
                         "   2: 01000009:0050 0600A8C0:D000 06 00000000:00000000 00:00000000 00000000  "
                         "0        0 0 1 0\n"
                         "   3: 0200000A:0016 0501A8C0:C001 0D 00000000:00000000 00:00000000 00000000  "
                         "0        0 333 1 0\n"
                         "   4: garbage line\n");
        folder.Write("net/udp",
                     std::string(header) +
                         "   0: 00000000:0035 00000000:0000 07 00000000:00000000 00:00000000 00000000  "
                         "0        0 444 2 0\n"
                         "   1: 0100007F:0035 00000000:0000 07 00000000:00000000 00:00000000 00000000  "
                         "0        0 555 2 0\n");
        folder.Link("300/fd/3", "socket:[111]");
        folder.Link("300/fd/4", "/dev/null");
        folder.Link("250/fd/9", "socket:[111]"); // shared: the lower id owns it
        folder.Link("42/fd/5", "socket:[222]");
        folder.Link("42/fd/6", "socket:[444]");
        folder.Link("42/fd/7", "pipe:[555]");
        folder.Write("self", "not a process folder");
        platform::SetProcRoot(folder.Path());
    }
    void TearDown() override { platform::SetProcRoot("/proc"); }

    TestFolder folder;
};

TEST_F(IpHelperFixture, TcpRowsAreOrderedMappedAndOwned) {
    std::vector<MIB_TCPEXROW> rows = TcpRows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_STREQ(inet_ntoa(in_addr{rows[0].dwLocalAddr}), "9.0.0.1");
    EXPECT_EQ(rows[0].dwState, MIB_TCP_STATE_TIME_WAIT);
    EXPECT_EQ(rows[0].dwProcessId, 0u);
    EXPECT_STREQ(inet_ntoa(in_addr{rows[1].dwLocalAddr}), "10.0.0.2");
    EXPECT_EQ(ntohs(static_cast<uint16_t>(rows[1].dwLocalPort)), 22);
    EXPECT_EQ(rows[1].dwState, 0u); // Linux has no state 13
    EXPECT_EQ(rows[2].dwState, MIB_TCP_STATE_ESTAB);
    EXPECT_EQ(ntohs(static_cast<uint16_t>(rows[2].dwLocalPort)), 80);
    EXPECT_STREQ(inet_ntoa(in_addr{rows[2].dwRemoteAddr}), "192.168.1.5");
    EXPECT_EQ(ntohs(static_cast<uint16_t>(rows[2].dwRemotePort)), 0xC000);
    EXPECT_EQ(rows[2].dwProcessId, 42u);
    EXPECT_STREQ(inet_ntoa(in_addr{rows[3].dwLocalAddr}), "127.0.0.1");
    EXPECT_EQ(rows[3].dwState, MIB_TCP_STATE_LISTEN);
    EXPECT_EQ(rows[3].dwProcessId, 250u);
}

TEST_F(IpHelperFixture, UdpRowsAreOrderedAndOwned) {
    std::vector<MIB_UDPEXROW> rows = UdpRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].dwLocalAddr, 0u);
    EXPECT_EQ(ntohs(static_cast<uint16_t>(rows[0].dwLocalPort)), 53);
    EXPECT_EQ(rows[0].dwProcessId, 42u);
    EXPECT_EQ(rows[1].dwProcessId, 0u); // only a pipe has that number
}

TEST_F(IpHelperFixture, AnUnreadableTableIsAFailureNotAnEmptyTable) {
    std::filesystem::remove(folder / "net/tcp");
    PVOID table = nullptr;
    EXPECT_NE(AllocateAndGetTcpExTableFromStack(&table, TRUE, GetProcessHeap(), 2, 2), NO_ERROR);
    EXPECT_EQ(table, nullptr);
    EXPECT_EQ(platform::LiveHeapBlockCount(), 0u);
}

TEST_F(IpHelperFixture, AnEmptyTableHasNoRows) {
    folder.Write("net/udp", "  sl  local_address rem_address   st\n");
    EXPECT_TRUE(UdpRows().empty());
}

} // namespace
