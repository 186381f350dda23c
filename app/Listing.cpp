#include "app/Listing.h"

#include "app/ConnectionColumns.h"
#include "app/ProcessFacts.h"
#include "app/ProcessLookup.h"
#include "core/Exception.h"
#include "platform/net/IpHelper.h"
#include "platform/net/WinSock.h"
#include "platform/sys/Heap.h"

#include <cstdio>
#include <unordered_map>

namespace {

constexpr BOOL Sorted = TRUE;
constexpr DWORD TableFlags = 2;
constexpr DWORD AddressFamily = 2; // IPv4

constexpr const char* TcpFetchFailed = "无法获取TCP连接表";
constexpr const char* UdpFetchFailed = "无法获取UDP连接表";
constexpr const char* FetchFailedCaption = "调用失败";
constexpr const char* EmptyRowText = "空";
constexpr const char* UdpRemoteText = "*.*.*.*:*";

// The process snapshot of one listing, released however the listing ends.
class SnapshotHolder {
public:
    SnapshotHolder() : m_snapshot(TakeProcessSnapshot()) {}
    ~SnapshotHolder() { CloseProcessSnapshot(m_snapshot); }
    SnapshotHolder(const SnapshotHolder&) = delete;
    SnapshotHolder& operator=(const SnapshotHolder&) = delete;
    HANDLE Get() const { return m_snapshot; }

private:
    HANDLE m_snapshot;
};

// A table from the platform, freed on the process heap.
class TableHolder {
public:
    ~TableHolder() { HeapFree(GetProcessHeap(), 0, m_table); }
    TableHolder() = default;
    TableHolder(const TableHolder&) = delete;
    TableHolder& operator=(const TableHolder&) = delete;
    PVOID* Out() { return &m_table; }
    template <typename Table>
    const Table* As() const {
        return static_cast<const Table*>(m_table);
    }

private:
    PVOID m_table = nullptr;
};

// The address part of an endpoint text: what precedes its ":".
std::string AddressOf(const std::string& endpoint) {
    return endpoint.substr(0, endpoint.find(':'));
}

bool IsMachineAddress(const std::string& address) {
    return address == "0.0.0.0" || address == "127.0.0.1";
}

// Columns 5 to 8, the same for TCP and UDP rows: the description is that of the name just
// written into column 6.
void WriteProcessCells(GridModel& grid, int row, DWORD processId, ProcessFacts& processes) {
    grid.SetCell(ColumnProcessId, row, std::to_string(processId));
    grid.SetCell(ColumnProcessName, row, processes.Name(processId));
    grid.SetCell(ColumnPath, row, processes.Path(processId));
    grid.SetCell(ColumnDescription, row, processes.Description(grid.Cell(ColumnProcessName, row)));
}

// The locations of one listing: an address looked up once gives the same text to its other
// rows. A failed look-up is not kept; it ends the listing.
class ListingLocations {
public:
    explicit ListingLocations(LocationLookup& lookup) : m_lookup(lookup) {}
    const std::string& Of(const std::string& address, ListingView view) {
        auto it = m_texts.find(address);
        if (it == m_texts.end())
            it = m_texts.emplace(address, LocationText(address, view, m_lookup)).first;
        return it->second;
    }

private:
    LocationLookup& m_lookup;
    std::unordered_map<std::string, std::string> m_texts;
};

class Lister {
public:
    Lister(ListingView view, ListingHost& host, LocationLookup& locations)
        : m_view(view), m_host(host), m_grid(host.Grid()), m_locations(locations) {}

    ListingResult Run() {
        m_grid.SetRowCount(2);
        SnapshotHolder snapshot;
        ProcessFacts processes(snapshot.Get());
        try {
            if (m_view != ListingView::Udp)
                ListTcp(processes);
            if (m_view == ListingView::TcpUdp || m_view == ListingView::Udp)
                ListUdp(processes);
        } catch (const Exception& error) {
            return {false, error.Message()};
        }
        Finish();
        return {};
    }

private:
    int LastRow() const { return m_grid.RowCount() - 1; }

    void ListTcp(ProcessFacts& processes) {
        TableHolder table;
        if (AllocateAndGetTcpExTableFromStack(table.Out(), Sorted, GetProcessHeap(), TableFlags,
                                              AddressFamily) != NO_ERROR) {
            m_host.ShowWarning(TcpFetchFailed, FetchFailedCaption);
            return;
        }
        m_host.ProcessMessages();
        const auto* tcp = table.As<MIB_TCPEXTABLE>();
        for (DWORD i = 0; i < tcp->dwNumEntries; ++i) {
            const MIB_TCPEXROW& row = tcp->table[i];
            std::string remote = EndpointText(row.dwRemoteAddr, row.dwRemotePort);
            if (m_view == ListingView::RemoteTcp && IsMachineAddress(AddressOf(remote)))
                continue;
            int at = LastRow();
            m_grid.SetCell(ColumnProtocol, at, "TCP");
            m_grid.SetCell(ColumnLocal, at, EndpointText(row.dwLocalAddr, row.dwLocalPort));
            m_grid.SetCell(ColumnRemote, at, remote);
            // A failing database look-up ends the listing here, the row half written.
            m_grid.SetCell(ColumnLocation, at, m_locations.Of(AddressOf(remote), m_view));
            m_grid.SetCell(ColumnState, at, GetTcpStateText(row.dwState));
            WriteProcessCells(m_grid, at, row.dwProcessId, processes);
            m_grid.SetRowCount(m_grid.RowCount() + 1);
        }
    }

    void ListUdp(ProcessFacts& processes) {
        TableHolder table;
        if (AllocateAndGetUdpExTableFromStack(table.Out(), Sorted, GetProcessHeap(), TableFlags,
                                              AddressFamily) != NO_ERROR) {
            m_host.ShowWarning(UdpFetchFailed, FetchFailedCaption);
            return;
        }
        // The messages go through once per listing: in the TCP and UDP view after the TCP table.
        if (m_view == ListingView::Udp)
            m_host.ProcessMessages();
        const auto* udp = table.As<MIB_UDPEXTABLE>();
        for (DWORD i = 0; i < udp->dwNumEntries; ++i) {
            const MIB_UDPEXROW& row = udp->table[i];
            int at = LastRow();
            m_grid.SetCell(ColumnProtocol, at, "UDP");
            m_grid.SetCell(ColumnLocal, at, EndpointText(row.dwLocalAddr, row.dwLocalPort));
            m_grid.SetCell(ColumnRemote, at, UdpRemoteText);
            m_grid.SetCell(ColumnLocation, at, "");
            m_grid.SetCell(ColumnState, at, "");
            WriteProcessCells(m_grid, at, row.dwProcessId, processes);
            m_grid.SetRowCount(m_grid.RowCount() + 1);
        }
    }

    void Finish() {
        if (m_grid.RowCount() == 2) {
            m_host.SetStatusText(CountStatusPanel, CountText(m_view, 0));
            m_grid.SetCell(ColumnProtocol, 1, EmptyRowText);
            for (int column = 1; column < ConnectionColumnCount; ++column)
                m_grid.SetCell(column, 1, "");
            return;
        }
        m_grid.SetRowCount(m_grid.RowCount() - 1);
        m_host.SetStatusText(CountStatusPanel, CountText(m_view, m_grid.RowCount() - 1));
    }

    ListingView m_view;
    ListingHost& m_host;
    GridModel& m_grid;
    ListingLocations m_locations;
};

} // namespace

ListingResult RunListing(ListingView view, ListingHost& host, LocationLookup& locations) {
    return Lister(view, host, locations).Run();
}

std::string GetTcpStateText(DWORD state) {
    static const char* const texts[] = {"关闭",     "监听",      "同步发送",  "同步接收",
                                        "已建立",   "等待完成1", "等待完成2", "等待关闭",
                                        "正在关闭", "最后确认",  "等待时间",  "删除"};
    if (state >= 1 && state <= 12)
        return texts[state - 1];
    char text[32];
    std::snprintf(text, sizeof text, "未知状态%d", static_cast<int>(state));
    return text;
}

std::string EndpointText(DWORD address, DWORD portField) {
    in_addr where{};
    where.s_addr = address;
    return std::string(inet_ntoa(where)) + ":" +
           std::to_string(ntohs(static_cast<uint16_t>(portField & 0xFFFF)));
}

std::string CountText(ListingView view, int rows) {
    const char* format = view == ListingView::TcpUdp ? "发现 TCP/UDP 连接端口： %d 个"
                         : view == ListingView::Udp  ? "发现 UDP 连接端口： %d 个"
                                                     : "发现 TCP 连接端口： %d 个";
    char text[64];
    std::snprintf(text, sizeof text, format, rows);
    return text;
}

std::string LocationText(const std::string& remoteAddress, ListingView view, LocationLookup& locations) {
    if (IsMachineAddress(remoteAddress))
        return "本机地址";
    return locations.LocationOf(remoteAddress, view == ListingView::TcpUdp ? "  " : " ");
}
