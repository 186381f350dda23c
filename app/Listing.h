#pragma once
// The four listings of the connection grid: one row per IPv4 TCP connection or listener and
// per UDP endpoint, with the owning process, written into the grid in the platform's table
// order, and the count text in status panel 2.

#include "app/GridModel.h"
#include "platform/base/WinTypes.h"

#include <string>

// Where a listing writes: the grid, the status bar, warning boxes, and the window's message
// loop, which is let through once per listing.
class ListingHost {
public:
    virtual ~ListingHost() = default;
    virtual GridModel& Grid() = 0;
    virtual void SetStatusText(int panel, const std::string& text) = 0;
    // A warning box owned by the main window, with an OK button; returns when it is closed.
    virtual void ShowWarning(const std::string& text, const std::string& caption) = 0;
    virtual void ProcessMessages() = 0;
};

// The location of a remote address that is not the machine's own: the database's country
// and area joined by the separator. Raises Exception when the database fails.
class LocationLookup {
public:
    virtual ~LocationLookup() = default;
    virtual std::string LocationOf(const std::string& remoteAddress, const std::string& separator) = 0;
};

enum class ListingView { TcpUdp, Tcp, Udp, RemoteTcp };

struct ListingResult {
    // False when a location look-up failed: the listing ended at that row, its count not
    // written and its trailing row left in place.
    bool completed = true;
    std::string failure; // the look-up's error message
};

constexpr int CountStatusPanel = 2;

ListingResult RunListing(ListingView view, ListingHost& host, LocationLookup& locations);

// The display text of one of the platform's TCP state numbers ("监听", "已建立"...,
// "未知状态%d" for any other value).
std::string GetTcpStateText(DWORD state);
// "192.168.1.5:1025" from an address and a port field in network byte order.
std::string EndpointText(DWORD address, DWORD portField);
// The count text of a view with the number of rows ("发现 TCP 连接端口： %d 个").
std::string CountText(ListingView view, int rows);
// "本机地址" for 0.0.0.0 and 127.0.0.1; otherwise the database's text.
std::string LocationText(const std::string& remoteAddress, ListingView view, LocationLookup& locations);
