// The connection listing against `ss -tanp` on the same sockets, each run as a whole program
// (`quillmere-list --view tcp` and `ss -tanp`, output to /dev/null) side by side in one run:
//   (a) 18,000 loopback connections to 127.0.0.1: this process holds the listener and the
//       server sides, one child the client sides (36,001 sockets in two processes: the hard
//       limit of descriptors per process here is 20,000);
//   (b) 10,000 sockets over 251 processes: this process holds the server sides, each of 250
//       children 20 client sides connected to 127.0.0.2, an address the location column looks
//       up in a generated database (the server sides' remote, 127.0.0.1, needs no look-up).
// QUILLMERE_LIST_BEFORE=PATH also times another quillmere-list (an older build) on the same
// sockets. The in-process benchmarks time a listing into a grid and the table call alone.

#include "app/ConnectionColumns.h"
#include "app/Listing.h"
#include "app/LocationText.h"
#include "app/MemoryGrid.h"
#include "ipdb/QQWryWriter.h"
#include "platform/net/IpHelper.h"
#include "platform/net/WinSock.h"
#include "platform/sys/Heap.h"

#include "bench/BenchClock.h"

#include <benchmark/benchmark.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

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

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "socket farm: %s failed: %s\n", what, std::strerror(errno));
    std::exit(1);
}

// The sockets, the children that hold their client sides, and a database in a folder of its
// own, which becomes the current folder; everything is released when the farm goes.
class SocketFarm {
public:
    SocketFarm(int children, int connectionsPerChild, const char* address) {
        rlimit limit{};
        ::getrlimit(RLIMIT_NOFILE, &limit);
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);

        WriteDatabase();
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_addr.s_addr = inet_addr(address);
        if (::bind(m_listener, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 ||
            ::listen(m_listener, 4096) != 0)
            Fail("listener");
        socklen_t length = sizeof where;
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&where), &length);

        for (int child = 0; child < children; ++child) {
            int ready[2];
            if (::pipe(ready) != 0)
                Fail("pipe");
            pid_t pid = ::fork();
            if (pid == 0)
                HoldConnections(where, connectionsPerChild, ready[1]);
            ::close(ready[1]);
            m_children.push_back(pid);
            for (int i = 0; i < connectionsPerChild; ++i) {
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
        if (::chdir(m_oldFolder.c_str()) != 0)
            std::fprintf(stderr, "could not return to %s\n", m_oldFolder.c_str());
        std::string command = "rm -rf '" + m_folder + "'";
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "could not remove %s\n", m_folder.c_str());
    }

    SocketFarm(const SocketFarm&) = delete;
    SocketFarm& operator=(const SocketFarm&) = delete;

private:
    // A child holds its own connections only: the server sides and pipes it inherited are
    // closed, so that each socket has the one owner the workload means.
    // It dies with the benchmark, even one that ends on an error without the farm's destructor.
    [[noreturn]] static void HoldConnections(const sockaddr_in& target, int connections, int ready) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (ready > 3)
            ::close_range(3, static_cast<unsigned>(ready) - 1, 0);
        ::close_range(static_cast<unsigned>(ready) + 1, ~0u, 0);
        for (int i = 0; i < connections; ++i) {
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
        char cwd[PATH_MAX];
        m_oldFolder = ::getcwd(cwd, sizeof cwd) ? cwd : "/";
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

    std::string m_oldFolder;
    std::string m_folder;
    int m_listener = -1;
    std::vector<pid_t> m_children;
    std::vector<int> m_servers;
};

std::unique_ptr<SocketFarm> MakeFarm(const benchmark::State& state) {
    return std::make_unique<SocketFarm>(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                                        state.range(2) == 1 ? "127.0.0.1" : "127.0.0.2");
}

// The wall time of a program run to its end, its output to /dev/null.
double RunProgram(const std::string& program, std::vector<std::string> arguments) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    arguments.insert(arguments.begin(), program);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    double start = MonotonicSeconds();
    pid_t child = 0;
    if (::posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    ::waitpid(child, &status, 0);
    double elapsed = MonotonicSeconds() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", program.c_str());
        std::exit(1);
    }
    return elapsed;
}

std::string ToolBesideThisProgram() {
    char path[PATH_MAX] = {};
    ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    std::string self(path, static_cast<std::size_t>(length > 0 ? length : 0));
    return self.substr(0, self.rfind('/') + 1) + "quillmere-list";
}

std::vector<MIB_TCPEXROW> TcpRows() {
    PVOID table = nullptr;
    if (AllocateAndGetTcpExTableFromStack(&table, TRUE, GetProcessHeap(), 2, 2) != NO_ERROR)
        std::exit(1);
    const auto* tcp = static_cast<const MIB_TCPEXTABLE*>(table);
    std::vector<MIB_TCPEXROW> rows(tcp->table, tcp->table + tcp->dwNumEntries);
    HeapFree(GetProcessHeap(), 0, table);
    return rows;
}

// Args: children, connections per child, 1 for connections to 127.0.0.1 (else 127.0.0.2).
// Each iteration runs quillmere-list (and the older one, if given), then ss.
void BM_ToolAgainstSs(benchmark::State& state) {
    auto farm = MakeFarm(state);
    const std::string tool = ToolBesideThisProgram();
    const char* before = std::getenv("QUILLMERE_LIST_BEFORE");
    double listing = 0;
    double older = 0;
    double ss = 0;
    for (auto _ : state) {
        double one = RunProgram(tool, {"--view", "tcp"});
        if (before)
            older += RunProgram(before, {"--view", "tcp"});
        ss += RunProgram("ss", {"-tanp"});
        listing += one;
        state.SetIterationTime(one);
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["sockets"] = static_cast<double>(TcpRows().size());
    state.counters["list_ms"] = listing * 1000 / iterations;
    state.counters["ss_tanp_ms"] = ss * 1000 / iterations;
    state.counters["list/ss"] = listing / ss;
    if (before) {
        state.counters["before_ms"] = older * 1000 / iterations;
        state.counters["before/ss"] = older / ss;
    }
}
BENCHMARK(BM_ToolAgainstSs)
    ->ArgNames({"children", "each", "loopback"})
    ->Args({1, 18000, 1})
    ->Args({250, 20, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

// A TCP listing into a grid in this process, and the table call alone, on workload (b).
void BM_InProcessListing(benchmark::State& state) {
    auto farm = MakeFarm(state);
    double table = 0;
    for (auto _ : state) {
        BenchHost host;
        QQWryLocations locations;
        double start = MonotonicSeconds();
        ListingResult result = RunListing(ListingView::Tcp, host, locations);
        double middle = MonotonicSeconds();
        benchmark::DoNotOptimize(TcpRows());
        table += MonotonicSeconds() - middle;
        state.SetIterationTime(middle - start);
        if (!result.completed) {
            std::fprintf(stderr, "listing failed: %s\n", result.failure.c_str());
            std::exit(1);
        }
        state.counters["rows"] = host.grid.RowCount() - 1;
    }
    state.counters["table_ms"] = table * 1000 / static_cast<double>(state.iterations());
}
BENCHMARK(BM_InProcessListing)
    ->ArgNames({"children", "each", "loopback"})
    ->Args({250, 20, 0})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace
