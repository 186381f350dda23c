// The qqwry tool as a person runs it: UTF-8 output, errors on stderr, exit status 1.

#include "QQWryFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string Slurp(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    std::stringstream text;
    text << stream.rdbuf();
    return text.str();
}

class Tool : public ::testing::Test {
protected:
    TemporaryFolder folder;

    ToolRun Qqwry(const std::string& arguments) {
        std::string command = std::string(QUILLMERE_BIN_DIR) + "/qqwry " + arguments + " >" +
                              folder.File("out") + " 2>" + folder.File("err");
        int status = std::system(command.c_str());
        return ToolRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, Slurp(folder.File("out")),
                       Slurp(folder.File("err"))};
    }

    std::string Source(const std::string& text) {
        std::string path = folder.File("source.txt");
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
};

// The tool's texts are UTF-8, so these expectations are spelled as UTF-8 bytes.
const char* const Utf8Sample = "0.0.0.0\t9.255.255.255\t\xE5\x9B\xBD\t\xE5\x9C\xB0\n" // 国 地
                               "10.0.0.0\t255.255.255.255\tV1\t2024\xE5\xB9\xB4"
                               "1\xE6\x9C\x88"                              // 年 月
                               "2\xE6\x97\xA5IP\xE6\x95\xB0\xE6\x8D\xAE\n"; // 日 数据

TEST_F(Tool, BuildsAndReadsADatabase) {
    std::string database = folder.File("db.dat");
    ToolRun build = Qqwry("build " + Source(Utf8Sample) + " " + database);
    ASSERT_EQ(build.status, 0) << build.err;

    ToolRun info = Qqwry("info " + database);
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out, "\xE6\x96\x87\xE4\xBB\xB6\xE5\xA4\xA7\xE5\xB0\x8F\xEF\xBC\x9A" +
                            std::to_string(std::filesystem::file_size(database)) +
                            "\xE5\xAD\x97\xE8\x8A\x82\n" // 文件大小：…字节
                            "\xE8\xAE\xB0\xE5\xBD\x95\xE6\x80\xBB\xE6\x95\xB0\xEF\xBC\x9A"
                            "2\xE6\x9D\xA1\n"
                            "\xE6\x9B\xB4\xE6\x96\xB0\xE6\x97\xA5\xE6\x9C\x9F\xEF\xBC\x9A"
                            "2024\xE5\xB9\xB4"
                            "1\xE6\x9C\x88"
                            "2\xE6\x97\xA5\n"
                            "\xE6\x95\xB0\xE6\x8D\xAE\xE5\xBA\x93\xE7\x89\x88\xE6\x9C\xAC\xEF\xBC\x9AV1\n");

    ToolRun lookup = Qqwry("lookup " + database + " 8.8.8.8 1.2.x.4 10.0.0.1");
    EXPECT_EQ(lookup.status, 1);
    EXPECT_EQ(lookup.out, "8.8.8.8\t1\t0.0.0.0\t9.255.255.255\t\xE5\x9B\xBD\t\xE5\x9C\xB0\n"
                          "10.0.0.1\t2\t10.0.0.0\t255.255.255.255\tV1\t2024\xE5\xB9\xB4"
                          "1\xE6\x9C\x88"
                          "2\xE6\x97\xA5IP\xE6\x95\xB0\xE6\x8D\xAE\n");
    EXPECT_NE(lookup.err.find("1.2.x.4: \xE6\x97\xA0\xE6\x95\x88"), std::string::npos) << lookup.err; // 无效

    ToolRun dump = Qqwry("dump " + database);
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.out.substr(0, 40), "0.0.0.0         9.255.255.255   \xE5\x9B\xBD \xE5\x9C\xB0\n");
}

TEST_F(Tool, InfoPrintsWhatItKnowsBeforeTheDateFails) {
    std::string database = folder.File("nodate.dat");
    WriteDatabase(folder, {Range("0.0.0.0", "255.255.255.255", "V", "no date")}, "nodate.dat");
    ToolRun info = Qqwry("info " + database);
    EXPECT_EQ(info.status, 1);
    EXPECT_EQ(std::count(info.out.begin(), info.out.end(), '\n'), 2);
    EXPECT_NE(info.err.find("is not a valid date"), std::string::npos) << info.err;
}

TEST_F(Tool, BuildRefusesBadInputAndWritesNothing) {
    std::string database = folder.File("db.dat");
    ToolRun unsorted =
        Qqwry("build " + Source(std::string(Utf8Sample) + "1.0.0.0\t1.0.0.1\ta\tb\n") + " " + database);
    EXPECT_EQ(unsorted.status, 1);
    EXPECT_NE(unsorted.err.find("line 3: the range starting at 1.0.0.0"), std::string::npos) << unsorted.err;
    EXPECT_FALSE(std::filesystem::exists(database));

    ToolRun noRelease = Qqwry("build " + Source("0.0.0.0\t255.255.255.255\tV\tarea\n") + " " + database);
    EXPECT_EQ(noRelease.status, 1);
    EXPECT_NE(noRelease.err.find("line 1: the last range is the release record"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(database));
}

TEST_F(Tool, ExplainsItselfAndRefusesUnknownCommands) {
    ToolRun help = Qqwry("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("Usage: qqwry"), std::string::npos);
    ToolRun wrong = Qqwry("frobnicate");
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.err.find("unknown command"), std::string::npos);
    ToolRun missing = Qqwry("info " + folder.File("none.dat"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("none.dat"), std::string::npos);
}

} // namespace
