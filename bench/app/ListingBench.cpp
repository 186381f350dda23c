// The connection listing against `ss -tanp` on the same 10,000 sockets, held by a few hundred
// processes: this process accepts the server side of every connection, and each child holds
// the client sides of its own connections to 127.0.0.2, an address the location column looks
// up in a generated database (the server sides, whose remote is 127.0.0.1, need no look-up).

#include "app/ConnectionColumns.h"
#include "app/Listing.h"
#include "app/LocationText.h"
#include "app/MemoryGrid.h"
#include "app/ProcessLookup.h"
#include "ipdb/QQWryWriter.h"
#include "platform/net/IpHelper.h"
#include "platform/net/WinSock.h"
#include "platform/sys/Heap.h"

#include <benchmark/benchmark.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr int ChildCount = 250;
constexpr int ConnectionsPerChild = 20; // 250 × 20 client sides + as many server sides

class BenchHost : public ListingHost {
public:
    GridModel& Grid() override { return grid; }
    void SetStatusText(int, const std::string&) override {}
    void ShowWarning(const std::string& text, const std::string&) override {
        std::fprintf(stderr, "warning: %s\n", text.c_str());
    }
    void ProcessMessages() override {}
    MemoryGrid grid{ConnectionColumnCount, 2};
};

double Seconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The sockets, the children that hold them, and a database in a folder of its own.
class SocketFarm {
public:
    SocketFarm() {
        rlimit limit{};
        ::getrlimit(RLIMIT_NOFILE, &limit);
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);

        WriteDatabase();
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_addr.s_addr = inet_addr("127.0.0.2");
        if (::bind(m_listener, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 ||
            ::listen(m_listener, 4096) != 0)
            Fail("listener");
        socklen_t length = sizeof where;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&where), &length);

        for (int child = 0; child < ChildCount; ++child) {
            int ready[2];
            if (::pipe(ready) != 0)
                Fail("pipe");
            pid_t pid = ::fork();
            if (pid == 0)
                HoldConnections(where, ready[1]);
            ::close(ready[1]);
            m_children.push_back(pid);
            for (int i = 0; i < ConnectionsPerChild; ++i) {
                int server = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
                if (server < 0)
                    Fail("accept");
                m_servers.push_back(server);
            }
            char byte = 0;
            if (::read(ready[0], &byte, 1) != 1)
                Fail("child");
            ::close(ready[0]);
        }
    }

    ~SocketFarm() {
        for (pid_t child : m_children)
            ::kill(child, SIGKILL);
        for (pid_t child : m_children)
            ::waitpid(child, nullptr, 0);
        for (int server : m_servers)
            ::close(server);
        ::close(m_listener);
        std::string command = "rm -rf '" + m_folder + "'";
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "could not remove %s\n", m_folder.c_str());
    }

private:
    [[noreturn]] static void Fail(const char* what) {
        std::fprintf(stderr, "socket farm: %s failed: %s\n", what, std::strerror(errno));
        std::exit(1);
    }

    [[noreturn]] static void HoldConnections(const sockaddr_in& target, int ready) {
        for (int i = 0; i < ConnectionsPerChild; ++i) {
            int client = ::socket(AF_INET, SOCK_STREAM, 0);
            if (client < 0 ||
                ::connect(client, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0)
                ::_exit(1);
        }
        char byte = 1;
        if (::write(ready, &byte, 1) != 1)
            ::_exit(1);
        for (;;)
            ::pause();
    }

    void WriteDatabase() {
        char pattern[] = "/tmp/quillmere-bench-XXXXXX";
        m_folder = ::mkdtemp(pattern);
        std::vector<QQWryRange> ranges;
        // 65,536 ranges of 65,536 addresses each, with a handful of repeating texts.
        for (std::uint32_t i = 0; i < 65536; ++i) {
            ranges.push_back({i << 16, (i << 16) | 0xFFFF, "国家" + std::to_string(i % 200),
                              "地区" + std::to_string(i % 37)});
        }
        std::vector<std::uint8_t> bytes = QQWryWriter::Build(ranges);
        std::ofstream(m_folder + "/QQWry.Dat", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (::chdir(m_folder.c_str()) != 0)
            Fail("chdir");
    }

    std::string m_folder;
    int m_listener = -1;
    std::vector<pid_t> m_children;
    std::vector<int> m_servers;
};

SocketFarm& Farm() {
    static SocketFarm farm;
    return farm;
}

double RunSs() {
    double start = Seconds();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    char ss[] = "ss";
    char options[] = "-tanp";
    char* argv[] = {ss, options, nullptr};
    pid_t child = 0;
    if (::posix_spawnp(&child, "ss", &actions, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "ss is not installed (iproute2)\n");
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    ::waitpid(child, nullptr, 0);
    return Seconds() - start;
}

double RunListingOnce(ListingView view, int& rows) {
    BenchHost host;
    QQWryLocations locations;
    double start = Seconds();
    ListingResult result = RunListing(view, host, locations);
    double elapsed = Seconds() - start;
    if (!result.completed) {
        std::fprintf(stderr, "listing failed: %s\n", result.failure.c_str());
        std::exit(1);
    }
    rows = host.grid.RowCount() - 1;
    return elapsed;
}

// Each iteration lists the TCP view and runs `ss -tanp` on the same sockets.
void BM_TcpListingAgainstSs(benchmark::State& state) {
    Farm();
    double listing = 0;
    double ss = 0;
    int rows = 0;
    for (auto _ : state) {
        double one = RunListingOnce(ListingView::Tcp, rows);
        double other = RunSs();
        listing += one;
        ss += other;
        state.SetIterationTime(one);
    }
    state.counters["rows"] = rows;
    state.counters["listing_ms"] = listing * 1000 / static_cast<double>(state.iterations());
    state.counters["ss_tanp_ms"] = ss * 1000 / static_cast<double>(state.iterations());
    state.counters["listing/ss"] = listing / ss;
}
BENCHMARK(BM_TcpListingAgainstSs)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RemoteTcpListing(benchmark::State& state) {
    Farm();
    int rows = 0;
    for (auto _ : state)
        state.SetIterationTime(RunListingOnce(ListingView::RemoteTcp, rows));
    state.counters["rows"] = rows;
}
BENCHMARK(BM_RemoteTcpListing)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// The parts of a listing, each over the rows of the TCP table.
std::vector<MIB_TCPEXROW> TcpRows() {
    PVOID table = nullptr;
    if (AllocateAndGetTcpExTableFromStack(&table, TRUE, GetProcessHeap(), 2, 2) != NO_ERROR)
        std::exit(1);
    const auto* tcp = static_cast<const MIB_TCPEXTABLE*>(table);
    std::vector<MIB_TCPEXROW> rows(tcp->table, tcp->table + tcp->dwNumEntries);
    HeapFree(GetProcessHeap(), 0, table);
    return rows;
}

void BM_PartTcpTable(benchmark::State& state) {
    Farm();
    for (auto _ : state)
        benchmark::DoNotOptimize(TcpRows());
}
BENCHMARK(BM_PartTcpTable)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PartProcessNames(benchmark::State& state) {
    Farm();
    std::vector<MIB_TCPEXROW> rows = TcpRows();
    for (auto _ : state) {
        HANDLE snapshot = TakeProcessSnapshot();
        for (const MIB_TCPEXROW& row : rows)
            benchmark::DoNotOptimize(GetProcessName(snapshot, row.dwProcessId));
        CloseProcessSnapshot(snapshot);
    }
}
BENCHMARK(BM_PartProcessNames)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PartProcessPaths(benchmark::State& state) {
    Farm();
    std::vector<MIB_TCPEXROW> rows = TcpRows();
    for (auto _ : state) {
        for (const MIB_TCPEXROW& row : rows)
            benchmark::DoNotOptimize(GetProcessPath(row.dwProcessId));
    }
}
BENCHMARK(BM_PartProcessPaths)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PartDescriptions(benchmark::State& state) {
    Farm();
    std::vector<MIB_TCPEXROW> rows = TcpRows();
    for (auto _ : state) {
        for (std::size_t i = 0; i < rows.size(); ++i)
            benchmark::DoNotOptimize(GetFileDescription("bench-ListingBench"));
    }
}
BENCHMARK(BM_PartDescriptions)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_PartLocations(benchmark::State& state) {
    Farm();
    QQWryLocations locations;
    for (auto _ : state) {
        for (int i = 0; i < ChildCount * ConnectionsPerChild; ++i)
            benchmark::DoNotOptimize(locations.LocationOf("127.0.0.2", " "));
    }
}
BENCHMARK(BM_PartLocations)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
