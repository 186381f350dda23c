#include "app/Listing.h"
#include "app/ConnectionColumns.h"
#include "app/MemoryGrid.h"
#include "core/Exception.h"
#include "platform/base/KernelObject.h"
#include "platform/net/WinSock.h"
#include "platform/process/ProcRoot.h"
#include "platform/sys/Heap.h"
#include "tests/app/ProcFixture.h"
#include "tests/platform/process/PeBuilder.h"
#include "tests/platform/process/TestFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <unistd.h>

namespace {

class RecordingHost : public ListingHost {
public:
    GridModel& Grid() override { return grid; }
    void SetStatusText(int panel, const std::string& text) override { status[panel] = text; }
    void ShowWarning(const std::string& text, const std::string& caption) override {
        warnings.push_back(text + "|" + caption);
    }
    void ProcessMessages() override {
        ++pumps;
        if (onPump)
            onPump();
    }

    MemoryGrid grid{ConnectionColumnCount, 2};
    std::map<int, std::string> status;
    std::vector<std::string> warnings;
    int pumps = 0;
    std::function<void()> onPump;
};

class FakeLocations : public LocationLookup {
public:
    std::string LocationOf(const std::string& address, const std::string& separator) override {
        asked.push_back(address);
        if (address == failOn)
            throw Exception("文件 QQWry.Dat 不存在！");
        return "Country" + separator + "Area";
    }

    std::vector<std::string> asked;
    std::string failOn;
};

std::vector<std::string> Row(const GridModel& grid, int row) {
    std::vector<std::string> texts;
    for (int column = 0; column < grid.ColCount(); ++column)
        texts.push_back(grid.Cell(column, row));
    return texts;
}

// Three TCP sockets (a listener, a connection out, a loopback connection), two UDP endpoints;
// process 100 is a Linux program, 200 a program with a version resource found in the current
// folder, 300 holds a socket but has ended before the snapshot.
class ListingFixture : public ::testing::Test {
protected:
    void SetUp() override {
        proc.Write("net/tcp", std::string(ProcNetHeader) +
                                  ProcNetLine(Hex(10, 0, 0, 1, 1025), Hex(1, 2, 3, 4, 80), 0x01, 222) +
                                  ProcNetLine(Hex(127, 0, 0, 1, 5000), Hex(127, 0, 0, 1, 6000), 0x01, 333) +
                                  ProcNetLine(Hex(0, 0, 0, 0, 80), Hex(0, 0, 0, 0, 0), 0x0A, 111));
        proc.Write("net/udp", std::string(ProcNetHeader) +
                                  ProcNetLine(Hex(127, 0, 0, 1, 323), Hex(0, 0, 0, 0, 0), 0x07, 555) +
                                  ProcNetLine(Hex(0, 0, 0, 0, 53), Hex(0, 0, 0, 0, 0), 0x07, 444));
        AddProcess(proc, 100, "/usr/sbin/fixtured");
        proc.Link("100/fd/3", "socket:[111]");
        proc.Link("100/fd/4", "socket:[444]");
        std::string tool = InstallTool();
        AddProcess(proc, 200, tool);
        proc.Link("200/fd/7", "socket:[222]");
        proc.Link("300/fd/1", "socket:[333]");
        platform::SetProcRoot(proc.Path());
        char cwd[4096];
        oldFolder = ::getcwd(cwd, sizeof cwd);
        ASSERT_EQ(::chdir((programs / "bin").c_str()), 0);
        handlesBefore = platform::OpenKernelHandleCount();
        blocksBefore = platform::LiveHeapBlockCount();
    }

    void TearDown() override {
        EXPECT_EQ(platform::OpenKernelHandleCount(), handlesBefore);
        EXPECT_EQ(platform::LiveHeapBlockCount(), blocksBefore);
        platform::SetProcRoot("/proc");
        EXPECT_EQ(::chdir(oldFolder.c_str()), 0);
    }

    std::string InstallTool() {
        platform::test::Bytes version;
        platform::test::VersionResource(u"080404B0", {{u"CompanyName", true, u"某公司", {}, {}},
                                                      {u"FileDescription", true, u"测试程序", {}, {}}})
            .AppendTo(version);
        platform::test::Bytes image = platform::test::PeImage(version);
        return programs.Write("bin/tool.exe", std::string(image.begin(), image.end()));
    }

    TestFolder proc;
    TestFolder programs;
    std::string oldFolder;
    std::size_t handlesBefore = 0;
    std::size_t blocksBefore = 0;
    RecordingHost host;
    FakeLocations locations;
};

using Texts = std::vector<std::string>;

TEST_F(ListingFixture, TcpAndUdpViewListsBothTablesInTableOrder) {
    ListingResult result = RunListing(ListingView::TcpUdp, host, locations);
    EXPECT_TRUE(result.completed);
    ASSERT_EQ(host.grid.RowCount(), 6);
    EXPECT_EQ(Row(host.grid, 1), (Texts{"TCP", "0.0.0.0:80", "0.0.0.0:0", "本机地址", "监听", "100",
                                        "fixtured", "/usr/sbin/fixtured", ""}));
    EXPECT_EQ(Row(host.grid, 2), (Texts{"TCP", "10.0.0.1:1025", "1.2.3.4:80", "Country  Area", "已建立",
                                        "200", "tool.exe", programs / "bin/tool.exe", "测试程序 / 某公司"}));
    EXPECT_EQ(Row(host.grid, 3),
              (Texts{"TCP", "127.0.0.1:5000", "127.0.0.1:6000", "本机地址", "已建立", "300", "", "", ""}));
    EXPECT_EQ(Row(host.grid, 4),
              (Texts{"UDP", "0.0.0.0:53", "*.*.*.*:*", "", "", "100", "fixtured", "/usr/sbin/fixtured", ""}));
    EXPECT_EQ(Row(host.grid, 5), (Texts{"UDP", "127.0.0.1:323", "*.*.*.*:*", "", "", "0", "", "", ""}));
    EXPECT_EQ(host.status[CountStatusPanel], "发现 TCP/UDP 连接端口： 5 个");
    EXPECT_EQ(host.pumps, 1);
    EXPECT_EQ(locations.asked, (Texts{"1.2.3.4"}));
    EXPECT_TRUE(host.warnings.empty());
}

TEST_F(ListingFixture, EachViewListsItsRowsWithItsSeparatorAndCount) {
    RunListing(ListingView::Tcp, host, locations);
    EXPECT_EQ(host.grid.RowCount(), 4);
    EXPECT_EQ(host.grid.Cell(ColumnLocation, 2), "Country Area");
    EXPECT_EQ(host.status[CountStatusPanel], "发现 TCP 连接端口： 3 个");

    RunListing(ListingView::Udp, host, locations);
    EXPECT_EQ(host.grid.RowCount(), 3);
    EXPECT_EQ(host.grid.Cell(ColumnProtocol, 1), "UDP");
    EXPECT_EQ(host.status[CountStatusPanel], "发现 UDP 连接端口： 2 个");

    RunListing(ListingView::RemoteTcp, host, locations);
    ASSERT_EQ(host.grid.RowCount(), 2);
    EXPECT_EQ(host.grid.Cell(ColumnRemote, 1), "1.2.3.4:80");
    EXPECT_EQ(host.grid.Cell(ColumnLocation, 1), "Country Area");
    EXPECT_EQ(host.status[CountStatusPanel], "发现 TCP 连接端口： 1 个");
    EXPECT_EQ(host.pumps, 3);
}

TEST_F(ListingFixture, NothingListedGivesTheEmptyRow) {
    proc.Write("net/tcp", ProcNetHeader);
    proc.Write("net/udp", ProcNetHeader);
    host.grid.SetRowCount(5);
    for (int column = 0; column < ConnectionColumnCount; ++column)
        host.grid.SetCell(column, 1, "old");
    RunListing(ListingView::TcpUdp, host, locations);
    ASSERT_EQ(host.grid.RowCount(), 2);
    EXPECT_EQ(Row(host.grid, 1), (Texts{"空", "", "", "", "", "", "", "", ""}));
    EXPECT_EQ(host.status[CountStatusPanel], "发现 TCP/UDP 连接端口： 0 个");
}

TEST_F(ListingFixture, AFailedFetchWarnsAndTheListingGoesOn) {
    std::filesystem::remove(proc / "net/tcp");
    RunListing(ListingView::TcpUdp, host, locations);
    EXPECT_EQ(host.warnings, (Texts{"无法获取TCP连接表|调用失败"}));
    EXPECT_EQ(host.pumps, 0); // only after a successful TCP fetch
    EXPECT_EQ(host.grid.RowCount(), 3);
    EXPECT_EQ(host.status[CountStatusPanel], "发现 TCP/UDP 连接端口： 2 个");

    std::filesystem::remove(proc / "net/udp");
    RunListing(ListingView::TcpUdp, host, locations);
    EXPECT_EQ(host.warnings.size(), 3u);
    EXPECT_EQ(host.warnings.back(), "无法获取UDP连接表|调用失败");
    EXPECT_EQ(host.grid.Cell(ColumnProtocol, 1), "空");
    EXPECT_EQ(host.status[CountStatusPanel], "发现 TCP/UDP 连接端口： 0 个");
}

TEST_F(ListingFixture, AFailedLocationEndsTheListingAtItsRow) {
    for (int column = 0; column < ConnectionColumnCount; ++column)
        host.grid.SetCell(column, 1, "old");
    locations.failOn = "1.2.3.4";
    ListingResult result = RunListing(ListingView::TcpUdp, host, locations);
    EXPECT_FALSE(result.completed);
    EXPECT_EQ(result.failure, "文件 QQWry.Dat 不存在！");
    // The listener's row, then the failing row half written over the old texts; no count, no
    // UDP rows, the trailing row kept; the snapshot is released all the same (TearDown).
    ASSERT_EQ(host.grid.RowCount(), 3);
    EXPECT_EQ(host.grid.Cell(ColumnProtocol, 1), "TCP");
    EXPECT_EQ(Row(host.grid, 2), (Texts{"TCP", "10.0.0.1:1025", "1.2.3.4:80", "", "", "", "", "", ""}));
    EXPECT_EQ(host.status.count(CountStatusPanel), 0u);

    RunListing(ListingView::RemoteTcp, host, locations);
    ASSERT_EQ(host.grid.RowCount(), 2);
    EXPECT_EQ(Row(host.grid, 1), (Texts{"TCP", "10.0.0.1:1025", "1.2.3.4:80", "本机地址", "监听", "100",
                                        "fixtured", "/usr/sbin/fixtured", ""}));
    host.grid.SetRowCount(2);

    RunListing(ListingView::Udp, host, locations); // no locations: unaffected
    EXPECT_EQ(host.status[CountStatusPanel], "发现 UDP 连接端口： 2 个");
}

TEST_F(ListingFixture, AProcessThatEndsAfterTheSnapshotKeepsItsName) {
    host.onPump = [&] { std::filesystem::remove_all(proc / "200"); };
    RunListing(ListingView::RemoteTcp, host, locations);
    EXPECT_EQ(Row(host.grid, 1), (Texts{"TCP", "10.0.0.1:1025", "1.2.3.4:80", "Country Area", "已建立", "200",
                                        "tool.exe", "", "测试程序 / 某公司"}));
}

TEST_F(ListingFixture, RowsOfOneProcessShareItsTexts) {
    // Three more connections of process 200 and one more endpoint of process 100, between
    // and after the others in table order.
    proc.Write("net/tcp", std::string(ProcNetHeader) +
                              ProcNetLine(Hex(10, 0, 0, 1, 1025), Hex(1, 2, 3, 4, 80), 0x01, 222) +
                              ProcNetLine(Hex(10, 0, 0, 1, 1026), Hex(1, 2, 3, 4, 80), 0x01, 223) +
                              ProcNetLine(Hex(10, 0, 0, 1, 1027), Hex(5, 6, 7, 8, 443), 0x08, 224) +
                              ProcNetLine(Hex(0, 0, 0, 0, 80), Hex(0, 0, 0, 0, 0), 0x0A, 111) +
                              ProcNetLine(Hex(10, 0, 0, 1, 1028), Hex(1, 2, 3, 4, 80), 0x01, 225));
    proc.Link("200/fd/8", "socket:[223]");
    proc.Link("200/fd/9", "socket:[224]");
    proc.Link("200/fd/10", "socket:[225]");
    proc.Link("100/fd/5", "socket:[556]");
    proc.Write("net/udp", std::string(ProcNetHeader) +
                              ProcNetLine(Hex(0, 0, 0, 0, 53), Hex(0, 0, 0, 0, 0), 0x07, 444) +
                              ProcNetLine(Hex(0, 0, 0, 0, 67), Hex(0, 0, 0, 0, 0), 0x07, 556));
    RunListing(ListingView::TcpUdp, host, locations);
    ASSERT_EQ(host.grid.RowCount(), 8);
    const Texts tool{"200", "tool.exe", programs / "bin/tool.exe", "测试程序 / 某公司"};
    const Texts fixtured{"100", "fixtured", "/usr/sbin/fixtured", ""};
    const std::pair<int, Texts> owners[] = {{1, fixtured}, {2, tool},     {3, tool},    {4, tool},
                                            {5, tool},     {6, fixtured}, {7, fixtured}};
    for (const auto& [row, texts] : owners) {
        Texts cells = Row(host.grid, row);
        EXPECT_EQ(Texts(cells.begin() + ColumnProcessId, cells.end()), texts) << "row " << row;
    }
    EXPECT_EQ(host.grid.Cell(ColumnLocation, 4), "Country  Area");
    EXPECT_EQ(host.grid.Cell(ColumnState, 4), "等待关闭");
    EXPECT_EQ(locations.asked, (Texts{"1.2.3.4", "5.6.7.8"})); // each address once per listing

    RunListing(ListingView::Tcp, host, locations);
    EXPECT_EQ(locations.asked, (Texts{"1.2.3.4", "5.6.7.8", "1.2.3.4", "5.6.7.8"}));
}

TEST_F(ListingFixture, AnIdReusedBetweenListingsShowsTheNewProgram) {
    RunListing(ListingView::RemoteTcp, host, locations);
    EXPECT_EQ(host.grid.Cell(ColumnProcessName, 1), "tool.exe");

    // Process 200 ends; another program gets its id and the same socket's descriptor.
    std::filesystem::remove_all(proc / "200");
    AddProcess(proc, 200, "/usr/sbin/fixtured");
    proc.Link("200/fd/7", "socket:[222]");
    RunListing(ListingView::RemoteTcp, host, locations);
    EXPECT_EQ(Row(host.grid, 1), (Texts{"TCP", "10.0.0.1:1025", "1.2.3.4:80", "Country Area", "已建立", "200",
                                        "fixtured", "/usr/sbin/fixtured", ""}));
}

TEST(TcpStateText, KnownStatesAndTheRest) {
    const char* expected[] = {"关闭",      "监听",     "同步发送", "同步接收", "已建立",   "等待完成1",
                              "等待完成2", "等待关闭", "正在关闭", "最后确认", "等待时间", "删除"};
    for (DWORD state = 1; state <= 12; ++state)
        EXPECT_EQ(GetTcpStateText(state), expected[state - 1]);
    EXPECT_EQ(GetTcpStateText(0), "未知状态0");
    EXPECT_EQ(GetTcpStateText(13), "未知状态13");
    EXPECT_EQ(GetTcpStateText(0xFFFFFFFF), "未知状态-1");
}

TEST(EndpointText, DottedAddressAndHostOrderPort) {
    EXPECT_EQ(EndpointText(htonl(0xC0A80105), htons(1025)), "192.168.1.5:1025");
    EXPECT_EQ(EndpointText(0, 0), "0.0.0.0:0");
    // Only the low 16 bits of the port field count.
    EXPECT_EQ(EndpointText(htonl(0x0A000001), 0xABCD0000u | htons(53)), "10.0.0.1:53");
}

} // namespace
