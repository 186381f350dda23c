#include "app/ListWriter.h"
#include "app/MemoryGrid.h"
#include "core/Exception.h"
#include "tests/platform/process/TestFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(ListWriter, ColumnsArePaddedToTheirWidestTextPlusOne) {
    MemoryGrid grid(2, 2);
    grid.SetCell(0, 0, " 协议");
    grid.SetCell(1, 0, " 本地IP");
    grid.SetCell(0, 1, "TCP");
    grid.SetCell(1, 1, "1.2.3.4:80");
    EXPECT_EQ(FormatGridText(grid), " 协议 " // 5 bytes and 1 blank
                                    " 本地IP    \r\n "
                                    "TCP   1.2.3.4:80 \r\n ");
}

TEST(ListWriter, AnEmptyListingSavesTitlesAndTheEmptyRow) {
    MemoryGrid grid(3, 2);
    grid.SetCell(0, 0, " a");
    grid.SetCell(1, 0, " bb");
    grid.SetCell(2, 0, " c");
    grid.SetCell(0, 1, "空");
    EXPECT_EQ(FormatGridText(grid), " a  bb  c \r\n 空        \r\n ");
    EXPECT_EQ(FormatGridText(MemoryGrid(0, 3)), "");
    EXPECT_EQ(FormatGridText(MemoryGrid(3, 0)), "");
}

TEST(ListWriter, SavingReplacesAnExistingFile) {
    TestFolder folder;
    std::string path = folder.Write("list.txt", std::string(1000, 'x'));
    MemoryGrid grid(1, 2);
    grid.SetCell(0, 0, " t");
    grid.SetCell(0, 1, "v");
    SaveGridText(grid, path);
    EXPECT_EQ(ReadFile(path), " t \r\n v  \r\n ");
    EXPECT_EQ(SavedMessageText("a.txt"), "连接表信息已保存到文件 a.txt 中。");
}

TEST(ListWriter, FailuresAreErrorsNotCompletions) {
    MemoryGrid grid(1, 2);
    grid.SetCell(0, 0, " t");
    TestFolder folder;
    try {
        SaveGridText(grid, folder / "no/such/folder/list.txt");
        FAIL() << "saved into a missing folder";
    } catch (const Exception& error) {
        EXPECT_EQ(
            error.Message().rfind("Cannot create file \"" + (folder / "no/such/folder/list.txt") + "\". ", 0),
            0u)
            << error.Message();
    }
    // A device that is always full takes no byte.
    try {
        SaveGridText(grid, "/dev/full");
        FAIL() << "a full device reported the list saved";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message().rfind("Cannot write file \"/dev/full\". ", 0), 0u) << error.Message();
    }
}

} // namespace
