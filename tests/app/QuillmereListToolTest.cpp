#include "app/LocationText.h"
#include "ipdb/QQWryWriter.h"
#include "platform/base/CodePage.h"
#include "platform/net/WinSock.h"
#include "tests/platform/process/TestFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err; // UTF-8
};

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs the tool in the folder; arguments are plain words.
ToolRun RunTool(const TestFolder& folder, const std::string& arguments) {
    std::string command =
        "cd '" + folder.Path() + "' && '" QUILLMERE_BIN_DIR "/quillmere-list' " + arguments + " > out 2> err";
    int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(folder / "out"), ReadFile(folder / "err")};
}

std::string Utf8(const std::string& gbk) {
    return platform::GbkToUtf8(gbk);
}

// A listener on 127.0.0.2 and a connection to it from this process: the client side's remote
// address is one the database is asked about.
class Connection {
public:
    Connection() {
        listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in where{};
        where.sin_family = AF_INET;
        where.sin_addr.s_addr = inet_addr("127.0.0.2");
        EXPECT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
        EXPECT_EQ(::listen(listener, 1), 0);
        socklen_t length = sizeof where;
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&where), &length);
        client = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        EXPECT_EQ(::connect(client, reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
        server = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        sockaddr_in local{};
        length = sizeof local;
        ::getsockname(client, reinterpret_cast<sockaddr*>(&local), &length);
        clientEndpoint = std::string(inet_ntoa(local.sin_addr)) + ":" + std::to_string(ntohs(local.sin_port));
    }
    ~Connection() {
        for (int fd : {client, server, listener})
            ::close(fd);
    }

    int listener = -1;
    int client = -1;
    int server = -1;
    std::string clientEndpoint;
};

TEST(QuillmereList, HelpAndWrongOptions) {
    TestFolder folder;
    ToolRun help = RunTool(folder, "--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: quillmere-list"), std::string::npos);
    ToolRun wrong = RunTool(folder, "--view everything");
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.err.find("--view needs one of"), std::string::npos);
    EXPECT_EQ(RunTool(folder, "--sort size").status, 1);
    EXPECT_EQ(RunTool(folder, "--frobnicate").status, 1);
}

TEST(QuillmereList, RemoteConnectionsWithLocationOwnerAndSavedLayout) {
    TestFolder folder;
    std::vector<std::uint8_t> bytes =
        QQWryWriter::Build({{0, 0x7F000001, "别处", "某地"}, {0x7F000002, 0xFFFFFFFF, "本机", "回环"}});
    folder.Write(LocationDatabaseName, std::string(bytes.begin(), bytes.end()));
    Connection connection;

    ToolRun run = RunTool(folder, "--sort local:desc");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind(Utf8(" 协议 "), 0), 0u);
    EXPECT_TRUE(run.out.ends_with("\r\n "));
    std::size_t at = run.out.find(connection.clientEndpoint + " ");
    ASSERT_NE(at, std::string::npos) << run.out;
    std::string line = run.out.substr(at, run.out.find('\r', at) - at);
    EXPECT_NE(line.find(Utf8("本机 回环")), std::string::npos) << line;
    EXPECT_NE(line.find(Utf8("已建立")), std::string::npos) << line;
    std::string processId = std::to_string(::getpid());
    processId.insert(0, 1, ' ');
    processId.push_back(' ');
    EXPECT_NE(line.find(processId), std::string::npos) << line;
    EXPECT_NE(run.err.find(Utf8("发现 TCP 连接端口： ")), std::string::npos);

    ToolRun gbk = RunTool(folder, "--view udp --gbk");
    EXPECT_EQ(gbk.status, 0);
    EXPECT_EQ(gbk.out.rfind(" 协议 ", 0), 0u); // GBK bytes as the file holds them
}

TEST(QuillmereList, AMissingDatabaseEndsTheListingAndSaysSo) {
    TestFolder folder;
    Connection connection;
    ToolRun run = RunTool(folder, "--view remotetcp");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("listing ended at row"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(Utf8("文件 QQWry.Dat 不存在！")), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find(Utf8("发现")), std::string::npos); // no count
}

} // namespace
