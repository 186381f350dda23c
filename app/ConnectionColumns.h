#pragma once
// The nine columns of the connection grid. Every title begins with a blank, which lines the
// saved file's data up under the titles.

#include <array>

constexpr int ConnectionColumnCount = 9;

constexpr std::array<const char*, ConnectionColumnCount> ConnectionColumnTitles = {
    " 协议",     " 本地IP",   " 远程IP",
    " 所属地区", " 连接状态", " 进程ID",
    " 进程名",   " 文件路径", " 文件说明 / 公司名称",
};

enum ConnectionColumn {
    ColumnProtocol = 0,
    ColumnLocal = 1,
    ColumnRemote = 2,
    ColumnLocation = 3,
    ColumnState = 4,
    ColumnProcessId = 5,
    ColumnProcessName = 6,
    ColumnPath = 7,
    ColumnDescription = 8,
};
