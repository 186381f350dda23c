#pragma once
// The rows the grid benchmarks sort: a listing of many loopback connections of 250 processes,
// in the table's order (local endpoint ascending), so the process id column has many equal
// keys.

#include "app/ConnectionColumns.h"
#include "app/GridModel.h"

#include <string>

inline void FillConnectionRows(GridModel& grid, int rows) {
    grid.SetRowCount(rows + 1);
    for (int column = 0; column < ConnectionColumnCount; ++column)
        grid.SetCell(column, 0, ConnectionColumnTitles[column]);
    for (int row = 1; row <= rows; ++row) {
        int process = 1000 + (row * 7919) % 250;
        std::string name = "worker" + std::to_string(process % 40);
        grid.SetCell(ColumnProtocol, row, "TCP");
        grid.SetCell(ColumnLocal, row,
                     "127.0.0." + std::to_string(1 + row / 60000) + ":" +
                         std::to_string(10000 + row % 60000));
        grid.SetCell(ColumnRemote, row, "127.0.0.2:" + std::to_string(40000 + (row * 31) % 20000));
        grid.SetCell(ColumnLocation, row, "本机地址");
        grid.SetCell(ColumnState, row, row % 17 == 0 ? "等待时间" : "已建立");
        grid.SetCell(ColumnProcessId, row, std::to_string(process));
        grid.SetCell(ColumnProcessName, row, name);
        grid.SetCell(ColumnPath, row, "/usr/bin/" + name);
        grid.SetCell(ColumnDescription, row, "Worker " + std::to_string(process % 40) + " / Quillmere");
    }
}
