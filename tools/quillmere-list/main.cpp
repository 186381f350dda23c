// quillmere-list: runs one of the connection listings into a grid, optionally sorts it as
// header clicks would, and writes exactly what the save command writes.

#include "app/ConnectionColumns.h"
#include "app/GridSort.h"
#include "app/ListWriter.h"
#include "app/Listing.h"
#include "app/LocationText.h"
#include "app/MemoryGrid.h"
#include "platform/base/CodePage.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr const char* Usage =
    "usage: quillmere-list [--view remotetcp|tcp|udp|tcpudp] [--sort COLUMN[:desc]] [--gbk]\n"
    "\n"
    "Lists the machine's IPv4 TCP and UDP endpoints with their owning processes, as the\n"
    "program's connection grid shows them, and prints the list as the save command writes it.\n"
    "\n"
    "  --view VIEW       remotetcp (the default: TCP connections to other machines), tcp, udp\n"
    "                    or tcpudp\n"
    "  --sort COLUMN     sort by a column as a click on its header does; COLUMN is 0-8 or one\n"
    "                    of protocol, local, remote, location, state, pid, name, path,\n"
    "                    description; \":desc\" sorts descending, as a second click does\n"
    "  --gbk             print the GBK bytes of the saved file instead of UTF-8\n"
    "  --help            show this text\n"
    "\n"
    "Locations come from QQWry.Dat in the current folder. The count goes to standard error,\n"
    "with any warning. The exit status is 1 when the options are wrong, a table could not be\n"
    "read, the listing ended early on a database error, or the output could not be written.\n";

constexpr const char* ColumnNames[ConnectionColumnCount] = {
    "protocol", "local", "remote", "location", "state", "pid", "name", "path", "description"};

struct Options {
    ListingView view = ListingView::RemoteTcp;
    std::optional<int> sortColumn;
    bool descending = false;
    bool gbk = false;
};

// Reports to standard error, in UTF-8.
void Report(const std::string& gbkText) {
    std::fprintf(stderr, "quillmere-list: %s\n", platform::GbkToUtf8(gbkText).c_str());
}

class ToolHost : public ListingHost {
public:
    ToolHost() {
        for (int column = 0; column < ConnectionColumnCount; ++column)
            m_grid.SetCell(column, 0, ConnectionColumnTitles[column]);
    }

    GridModel& Grid() override { return m_grid; }
    void SetStatusText(int, const std::string& text) override { m_status = text; }
    void ShowWarning(const std::string& text, const std::string& caption) override {
        Report(caption + ": " + text);
        m_warned = true;
    }
    void ProcessMessages() override {}

    const std::string& Status() const { return m_status; }
    bool Warned() const { return m_warned; }

private:
    MemoryGrid m_grid{ConnectionColumnCount, 2};
    std::string m_status;
    bool m_warned = false;
};

std::optional<ListingView> ParseView(std::string_view text) {
    if (text == "remotetcp")
        return ListingView::RemoteTcp;
    if (text == "tcp")
        return ListingView::Tcp;
    if (text == "udp")
        return ListingView::Udp;
    if (text == "tcpudp")
        return ListingView::TcpUdp;
    return std::nullopt;
}

std::optional<int> ParseColumn(std::string_view text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + ConnectionColumnCount)
        return text[0] - '0';
    for (int column = 0; column < ConnectionColumnCount; ++column) {
        if (text == ColumnNames[column])
            return column;
    }
    return std::nullopt;
}

// The options, or an error message.
std::optional<std::string> ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= argc)
                return std::nullopt;
            return std::string_view(argv[++i]);
        };
        if (argument == "--view") {
            auto text = value();
            auto view = text ? ParseView(*text) : std::nullopt;
            if (!view)
                return "--view needs one of remotetcp, tcp, udp, tcpudp";
            options.view = *view;
        } else if (argument == "--sort") {
            auto text = value();
            if (!text)
                return "--sort needs a column";
            std::string_view column = *text;
            options.descending = column.ends_with(":desc");
            if (options.descending)
                column.remove_suffix(5);
            options.sortColumn = ParseColumn(column);
            if (!options.sortColumn)
                return "unknown column '" + std::string(*text) +
                       "' (0-8, or protocol, local, remote, location, "
                       "state, pid, name, path, description)";
        } else if (argument == "--gbk") {
            options.gbk = true;
        } else {
            return "unknown option '" + std::string(argument) + "'";
        }
    }
    return std::nullopt;
}

bool WriteAll(const std::string& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(Usage, stdout);
            return 0;
        }
    }
    Options options;
    if (auto error = ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "quillmere-list: %s\nTry 'quillmere-list --help'.\n", error->c_str());
        return 1;
    }

    ToolHost host;
    QQWryLocations locations;
    ListingResult result = RunListing(options.view, host, locations);
    bool failed = host.Warned();
    if (!result.completed) {
        Report("listing ended at row " + std::to_string(host.Grid().RowCount() - 1) + ": " + result.failure);
        failed = true;
    }
    if (options.sortColumn) {
        int lastSortColumn = NoSortColumn;
        SortByHeaderClick(&host.Grid(), *options.sortColumn, lastSortColumn);
        if (options.descending)
            SortByHeaderClick(&host.Grid(), *options.sortColumn, lastSortColumn);
    }

    std::string text = FormatGridText(host.Grid());
    if (!WriteAll(options.gbk ? text : platform::GbkToUtf8(text))) {
        std::fprintf(stderr, "quillmere-list: cannot write the list: %s\n", std::strerror(errno));
        return 1;
    }
    if (!host.Status().empty())
        std::fprintf(stderr, "%s\n", platform::GbkToUtf8(host.Status()).c_str());
    return failed ? 1 : 0;
}
