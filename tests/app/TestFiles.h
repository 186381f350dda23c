#pragma once
// Files the program's tests write and read: a file's bytes, and the smallest database that
// opens with a date (one range for every address, then the release record of 23 May 2010).

#include "ipdb/QQWryWriter.h"

#include <fstream>
#include <iterator>
#include <string>

inline std::string ReadBytes(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

inline std::string TwoRecordDatabase() {
    std::vector<std::uint8_t> bytes = QQWryWriter::Build(
        {{0, 0xFFFFFFFE, "测试", "地区"}, {0xFFFFFFFF, 0xFFFFFFFF, "示例数据", "2010年5月23日IP数据"}});
    return {bytes.begin(), bytes.end()};
}
