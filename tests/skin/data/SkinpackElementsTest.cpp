// `skinpack elements`: the description of the built elements, line by line.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ElementLines(const std::string& design, int& status) {
    const std::string command =
        "'" QUILLMERE_BIN_DIR "/skinpack' elements '" QUILLMERE_BIN_DIR "/../skins/" + design + ".skn' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    std::array<char, 4096> buffer;
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        output.append(buffer.data(), n);
    status = pclose(pipe);
    std::vector<std::string> lines;
    std::istringstream stream(output);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

std::map<std::string, int> CountByKind(const std::vector<std::string>& lines) {
    std::map<std::string, int> kinds;
    for (const std::string& line : lines)
        ++kinds[line.substr(0, line.find(' '))];
    return kinds;
}

TEST(SkinpackElements, DescribesTheDefaultSkin) {
    int status = -1;
    const std::vector<std::string> lines = ElementLines("default", status);
    ASSERT_EQ(status, 0);
    const std::map<std::string, int> kinds = CountByKind(lines);
    EXPECT_EQ(kinds.at("element"), 38);
    EXPECT_EQ(kinds.at("sysbutton"), 9);
    EXPECT_EQ(kinds.at("colour"), 16);
    EXPECT_EQ(kinds.at("customcolour"), 10);
    ASSERT_GE(lines.size(), 38u);
    EXPECT_EQ(lines[0],
              "element BorderLeft TDataSkinBorder 10x45 frames=2 margins=0,30,0,5 trans=1 tile=1 style=0 "
              "colours=0,0,0 extra=none");
    EXPECT_EQ(lines[21],
              "element Scrollbar TDataSkinObject 368x16 frames=23 margins=0,0,0,0 trans=1 tile=0 style=0 "
              "colours=-1,-1,-1");
    EXPECT_EQ(lines[4].rfind("element Title TDataSkinTitle none frames=2 margins=25,0,96,0 ", 0), 0u)
        << lines[4];
    EXPECT_NE(lines[4].find(" align=0 textback=0 fontheight=12 txtback=0,0 active=#FFFFFF inactive=#EEF1F5"),
              std::string::npos);
    EXPECT_EQ(lines[38],
              "sysbutton 0 BUTTONCLOSE action=0 align=1 x=34 y=5 vis=0 vis1=0 frames=4 image=112x20");
    EXPECT_EQ(lines[44], "sysbutton 6 - action=7 align=100 x=60 y=0 vis=100 vis1=100 frames=4 image=64x14");
    EXPECT_EQ(lines[47], "colour 0 #1F2933 given=1");
    EXPECT_EQ(lines.back(), "skinname Quillmere");
}

TEST(SkinpackElements, RefusesAMissingArchive) {
    int status = -1;
    const std::vector<std::string> lines = ElementLines("no-such-skin", status);
    EXPECT_NE(status, 0);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines[0].find("skinpack:"), std::string::npos);
}

} // namespace
