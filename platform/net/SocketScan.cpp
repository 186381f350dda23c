#include "platform/net/SocketScan.h"

#include "platform/process/ProcRoot.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/inet_diag.h>
#include <linux/netlink.h>
#include <linux/sock_diag.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

bool SendDumpRequest(int fd, int protocol) {
    struct {
        nlmsghdr header;
        inet_diag_req_v2 request;
    } message{};
    message.header.nlmsg_len = sizeof message;
    message.header.nlmsg_type = SOCK_DIAG_BY_FAMILY;
    message.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    message.header.nlmsg_seq = 1;
    message.request.sdiag_family = AF_INET;
    message.request.sdiag_protocol = static_cast<std::uint8_t>(protocol);
    message.request.idiag_states = ~0u; // every state, listeners and TIME_WAIT included
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    for (;;) {
        ssize_t sent =
            ::sendto(fd, &message, sizeof message, 0, reinterpret_cast<sockaddr*>(&kernel), sizeof kernel);
        if (sent == static_cast<ssize_t>(sizeof message))
            return true;
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent >= 0)
            errno = EIO;
        return false;
    }
}

RawSocket FromDiagMessage(const inet_diag_msg& message) {
    RawSocket socket;
    socket.linuxState = message.idiag_state;
    socket.localAddress = message.id.idiag_src[0];
    socket.localPort = ntohs(message.id.idiag_sport);
    socket.remoteAddress = message.id.idiag_dst[0];
    socket.remotePort = ntohs(message.id.idiag_dport);
    socket.inode = message.idiag_inode;
    return socket;
}

bool ParseHexEndpoint(const char* text, std::uint32_t& address, std::uint16_t& port) {
    // "0100007F:0016": the address as the kernel's 32-bit word in this machine's byte order
    // (so its bytes in memory are the network order), then the port in host order.
    char* end = nullptr;
    unsigned long value = std::strtoul(text, &end, 16);
    if (end != text + 8 || *end != ':')
        return false;
    const char* portText = end + 1;
    unsigned long portValue = std::strtoul(portText, &end, 16);
    if (end == portText || portValue > 0xFFFF)
        return false;
    address = static_cast<std::uint32_t>(value);
    port = static_cast<std::uint16_t>(portValue);
    return true;
}

bool ParseProcNetLine(const char* line, RawSocket& socket) {
    char local[64];
    char remote[64];
    unsigned state = 0;
    unsigned long long inode = 0;
    // sl local remote st tx:rx tr:when retrnsmt uid timeout inode
    int fields =
        std::sscanf(line, " %*s %63s %63s %x %*s %*s %*s %*s %*s %llu", local, remote, &state, &inode);
    if (fields != 4)
        return false;
    if (!ParseHexEndpoint(local, socket.localAddress, socket.localPort) ||
        !ParseHexEndpoint(remote, socket.remoteAddress, socket.remotePort))
        return false;
    socket.linuxState = state;
    socket.inode = inode;
    return true;
}

// "socket:[12345]" -> 12345.
bool SocketInode(const char* link, std::size_t length, std::uint64_t& inode) {
    constexpr char prefix[] = "socket:[";
    constexpr std::size_t prefixLength = sizeof prefix - 1;
    if (length <= prefixLength + 1 || std::memcmp(link, prefix, prefixLength) != 0 || link[length - 1] != ']')
        return false;
    inode = 0;
    for (std::size_t i = prefixLength; i + 1 < length; ++i) {
        if (link[i] < '0' || link[i] > '9')
            return false;
        inode = inode * 10 + static_cast<std::uint64_t>(link[i] - '0');
    }
    return true;
}

} // namespace

bool ReadNetlinkSockets(int protocol, std::vector<RawSocket>& sockets) {
    Descriptor fd(::socket(AF_NETLINK, SOCK_DGRAM | SOCK_CLOEXEC, NETLINK_SOCK_DIAG));
    if (fd.Get() < 0 || !SendDumpRequest(fd.Get(), protocol))
        return false;
    std::vector<RawSocket> found;
    alignas(nlmsghdr) char buffer[1 << 16];
    for (;;) {
        ssize_t length = ::recv(fd.Get(), buffer, sizeof buffer, 0);
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0) {
            if (length == 0)
                errno = EIO;
            return false;
        }
        int remaining = static_cast<int>(length);
        for (auto* header = reinterpret_cast<nlmsghdr*>(buffer); NLMSG_OK(header, remaining);
             header = NLMSG_NEXT(header, remaining)) {
            if (header->nlmsg_type == NLMSG_DONE) {
                sockets = std::move(found);
                return true;
            }
            if (header->nlmsg_type == NLMSG_ERROR) {
                const auto* error = static_cast<const nlmsgerr*>(NLMSG_DATA(header));
                errno = header->nlmsg_len >= NLMSG_LENGTH(sizeof(nlmsgerr)) && error->error < 0
                            ? -error->error
                            : EIO;
                return false;
            }
            if (header->nlmsg_type != SOCK_DIAG_BY_FAMILY ||
                header->nlmsg_len < NLMSG_LENGTH(sizeof(inet_diag_msg)))
                continue;
            const auto* message = static_cast<const inet_diag_msg*>(NLMSG_DATA(header));
            if (message->idiag_family == AF_INET)
                found.push_back(FromDiagMessage(*message));
        }
    }
}

bool ReadProcNetSockets(const std::string& procRoot, int protocol, std::vector<RawSocket>& sockets) {
    std::string path = procRoot + (protocol == IPPROTO_TCP ? "/net/tcp" : "/net/udp");
    FILE* file = std::fopen(path.c_str(), "re");
    if (!file)
        return false;
    std::vector<RawSocket> found;
    char* line = nullptr;
    std::size_t capacity = 0;
    bool header = true;
    while (::getline(&line, &capacity, file) >= 0) {
        RawSocket socket;
        if (!header && ParseProcNetLine(line, socket))
            found.push_back(socket);
        header = false;
    }
    bool failed = std::ferror(file) != 0;
    std::free(line);
    std::fclose(file);
    if (failed) {
        errno = EIO;
        return false;
    }
    sockets = std::move(found);
    return true;
}

std::unordered_map<std::uint64_t, std::uint32_t> FindSocketOwners(const std::string& procRoot) {
    std::unordered_map<std::uint64_t, std::uint32_t> owners;
    ForEachProcessFolder(procRoot, [&](int root, const char* name, std::uint32_t pid) {
        std::string fdPath = std::string(name) + "/fd";
        int fdFolder = ::openat(root, fdPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fdFolder < 0)
            return; // gone, or another user's: its sockets keep owner 0
        DIR* descriptors = ::fdopendir(fdFolder);
        if (!descriptors) {
            ::close(fdFolder);
            return;
        }
        while (dirent* descriptor = ::readdir(descriptors)) {
            if (descriptor->d_name[0] == '.')
                continue;
            char link[64];
            ssize_t length = ::readlinkat(fdFolder, descriptor->d_name, link, sizeof link);
            std::uint64_t inode = 0;
            if (length > 0 && SocketInode(link, static_cast<std::size_t>(length), inode)) {
                auto [it, inserted] = owners.emplace(inode, pid);
                if (!inserted && pid < it->second)
                    it->second = pid;
            }
        }
        ::closedir(descriptors);
    });
    return owners;
}

} // namespace platform
