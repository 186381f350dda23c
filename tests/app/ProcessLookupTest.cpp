#include "app/ProcessLookup.h"
#include "app/ConnectionColumns.h"
#include "app/Listing.h"
#include "app/MemoryGrid.h"
#include "app/ProcessFacts.h"
#include "platform/base/KernelObject.h"
#include "platform/net/WinSock.h"
#include "tests/platform/process/PeBuilder.h"
#include "tests/platform/process/TestFolder.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using platform::test::ResourceNode;

std::string OwnExecutable() {
    char buffer[PATH_MAX] = {};
    ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return std::string(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string OwnName() {
    std::string path = OwnExecutable();
    return path.substr(path.rfind('/') + 1);
}

TEST(ProcessLookup, NameAndPathOfThisProcess) {
    HANDLE snapshot = TakeProcessSnapshot();
    ASSERT_NE(snapshot, nullptr);
    DWORD self = static_cast<DWORD>(::getpid());
    EXPECT_EQ(GetProcessName(snapshot, self), OwnName());
    EXPECT_EQ(GetProcessName(snapshot, self), OwnName()); // every walk starts from the first entry
    EXPECT_EQ(GetProcessName(snapshot, 0), "");
    EXPECT_EQ(GetProcessName(nullptr, self), "");
    CloseProcessSnapshot(snapshot);
    EXPECT_EQ(GetProcessPath(self), OwnExecutable());
    EXPECT_EQ(GetProcessPath(0), "");
    EXPECT_EQ(GetProcessPath(0x7FFFFFF0), "");
}

TEST(ProcessFacts, AskedOnceAndKeptForTheListing) {
    HANDLE snapshot = TakeProcessSnapshot();
    DWORD self = static_cast<DWORD>(::getpid());
    std::unordered_map<DWORD, std::string> names = GetProcessNames(snapshot);
    ProcessFacts facts(snapshot);
    for (DWORD id : {self, static_cast<DWORD>(::getppid()), DWORD{1}, DWORD{0}, DWORD{0x7FFFFFF0}}) {
        EXPECT_EQ(facts.Name(id), GetProcessName(snapshot, id)) << id;
        EXPECT_EQ(names.count(id) ? names[id] : "", GetProcessName(snapshot, id)) << id;
    }
    EXPECT_EQ(facts.Path(self), OwnExecutable());
    CloseProcessSnapshot(snapshot);
    // Kept: the snapshot is closed, yet the name and the path asked for before remain.
    EXPECT_EQ(facts.Name(self), OwnName());
    EXPECT_EQ(&facts.Path(self), &facts.Path(self));
    EXPECT_EQ(facts.Description(""), "");
}

class FileDescription : public ::testing::Test {
protected:
    void SetUp() override {
        char cwd[4096];
        oldFolder = ::getcwd(cwd, sizeof cwd);
        ASSERT_EQ(::chdir(folder.Path().c_str()), 0);
    }
    void TearDown() override { EXPECT_EQ(::chdir(oldFolder.c_str()), 0); }

    void Install(const std::string& name, std::u16string table, std::vector<ResourceNode> strings) {
        platform::test::Bytes version;
        platform::test::VersionResource(std::move(table), std::move(strings)).AppendTo(version);
        platform::test::Bytes image = platform::test::PeImage(version);
        folder.Write(name, std::string(image.begin(), image.end()));
    }

    TestFolder folder;
    std::string oldFolder;
};

TEST_F(FileDescription, DescriptionAndCompanyOfTheFirstTranslation) {
    Install("both.exe", u"080404B0",
            {{u"FileDescription", true, u"网络工具", {}, {}}, {u"CompanyName", true, u"C", {}, {}}});
    Install("alone.exe", u"080404B0", {{u"FileDescription", true, u"D", {}, {}}});
    Install("blank.exe", u"080404B0",
            {{u"FileDescription", true, u"", {}, {}}, {u"CompanyName", true, u"C", {}, {}}});
    Install("company.exe", u"080404B0", {{u"CompanyName", true, u"C", {}, {}}});
    Install("elsewhere.exe", u"040904B0", {{u"FileDescription", true, u"D", {}, {}}});
    folder.Write("plain.exe", "no resources here");
    EXPECT_EQ(GetFileDescription("both.exe"), "网络工具 / C");
    EXPECT_EQ(GetFileDescription("alone.exe"), "D");
    EXPECT_EQ(GetFileDescription("blank.exe"), " / C");
    EXPECT_EQ(GetFileDescription("company.exe"), "");
    EXPECT_EQ(GetFileDescription("elsewhere.exe"), ""); // strings under another translation only
    EXPECT_EQ(GetFileDescription("plain.exe"), "");
    EXPECT_EQ(GetFileDescription("missing.exe"), "");
    EXPECT_EQ(GetFileDescription(""), "");
    const unsigned char entry[4] = {0x04, 0x08, 0xB0, 0x04};
    EXPECT_EQ(TranslationKey(entry), "080404B0");
}

class TestHost : public ListingHost {
public:
    GridModel& Grid() override { return grid; }
    void SetStatusText(int, const std::string&) override {}
    void ShowWarning(const std::string& text, const std::string&) override { ADD_FAILURE() << text; }
    void ProcessMessages() override {}
    MemoryGrid grid{ConnectionColumnCount, 2};
};

class NoLocations : public LocationLookup {
public:
    std::string LocationOf(const std::string&, const std::string&) override { return "elsewhere"; }
};

TEST(ListingOnThisMachine, OwnSocketsShowThisProcess) {
    int loopback = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int any = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int udp = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = inet_addr("127.0.0.1");
    ASSERT_EQ(::bind(loopback, reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
    where.sin_addr.s_addr = 0;
    ASSERT_EQ(::bind(any, reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
    ASSERT_EQ(::bind(udp, reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
    ::listen(loopback, 1);
    ::listen(any, 1);
    auto endpoint = [](int fd) {
        sockaddr_in local{};
        socklen_t length = sizeof local;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length);
        return EndpointText(local.sin_addr.s_addr, local.sin_port);
    };
    std::map<std::string, std::string> wanted = {
        {endpoint(loopback), "TCP"}, {endpoint(any), "TCP"}, {endpoint(udp), "UDP"}};

    TestHost host;
    NoLocations locations;
    std::size_t handles = platform::OpenKernelHandleCount();
    ASSERT_TRUE(RunListing(ListingView::TcpUdp, host, locations).completed);
    EXPECT_EQ(platform::OpenKernelHandleCount(), handles);
    std::size_t found = 0;
    for (int row = 1; row < host.grid.RowCount(); ++row) {
        auto it = wanted.find(host.grid.Cell(ColumnLocal, row));
        if (it == wanted.end() || it->second != host.grid.Cell(ColumnProtocol, row))
            continue;
        ++found;
        EXPECT_EQ(host.grid.Cell(ColumnProcessId, row), std::to_string(::getpid()));
        EXPECT_EQ(host.grid.Cell(ColumnProcessName, row), OwnName());
        EXPECT_EQ(host.grid.Cell(ColumnPath, row), OwnExecutable());
        if (it->second == "TCP") {
            EXPECT_EQ(host.grid.Cell(ColumnState, row), "监听");
            EXPECT_EQ(host.grid.Cell(ColumnLocation, row), "本机地址");
        }
    }
    EXPECT_EQ(found, 3u);
    for (int fd : {loopback, any, udp})
        ::close(fd);
}

} // namespace
