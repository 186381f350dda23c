// The database's costs as the program pays them: a lookup (FindRecord + GetRecordFields) on
// an open database, and the construct-lookup-destroy cycle the connection list runs per row.

#include "core/StringList.h"
#include "ipdb/QQWryWriter.h"
#include "ipdb/untTQQWry.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// A database of 500,000 ranges over the whole address space, with a few thousand distinct
// countries and areas so that the records use every redirect, written once per run.
const std::string& GeneratedDatabase() {
    static const std::string path = [] {
        std::mt19937 random(1);
        std::vector<std::string> countries, areas;
        for (int i = 0; i < 250; ++i)
            countries.push_back("国家" + std::to_string(i));
        for (int i = 0; i < 4000; ++i)
            areas.push_back("某省某市" + std::to_string(i) + "网络");
        const std::uint32_t count = 500000;
        const std::uint32_t step = 0xFFFFFFFFu / count;
        std::vector<QQWryRange> ranges;
        ranges.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::uint32_t start = i * step;
            std::uint32_t end = i + 1 == count ? 0xFFFFFFFFu : start + step - 1;
            ranges.push_back(
                {start, end, countries[random() % countries.size()], areas[random() % areas.size()]});
        }
        ranges.back().Country = "基准库";
        ranges.back().Area = "2024年1月2日IP数据";
        std::vector<std::uint8_t> bytes = QQWryWriter::Build(ranges);
        std::string file = (std::filesystem::temp_directory_path() /
                            ("quillmere-bench-" + std::to_string(getpid()) + ".dat"))
                               .string();
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        std::atexit([] { std::filesystem::remove(GeneratedDatabase()); });
        return file;
    }();
    return path;
}

// The run folder's database beside the benchmark's bin folder: the GeoIP import (about
// 200,000 records) when the build made one, otherwise the small sample.
std::string RunDatabase() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return (program.parent_path().parent_path() / "run" / "QQWry.Dat").string();
}

std::vector<std::string> RandomAddresses() {
    std::mt19937 random(2);
    std::vector<std::string> addresses;
    for (int i = 0; i < 4096; ++i) {
        std::uint32_t a = static_cast<std::uint32_t>(random());
        addresses.push_back(std::to_string(a >> 24) + "." + std::to_string((a >> 16) & 255) + "." +
                            std::to_string((a >> 8) & 255) + "." + std::to_string(a & 255));
    }
    return addresses;
}

void Lookup(benchmark::State& state, const std::string& path) {
    const std::vector<std::string> addresses = RandomAddresses();
    std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
    TStringList fields;
    std::size_t i = 0;
    for (auto _ : state) {
        std::int64_t n = TQQWry::FindRecord(wry, addresses[i++ & 4095]);
        TQQWry::GetRecordFields(wry, fields, n);
        benchmark::DoNotOptimize(fields.Count());
    }
    state.counters["records"] = static_cast<double>(wry->GetRecordCount());
}

void Cycle(benchmark::State& state, const std::string& path) {
    const std::vector<std::string> addresses = RandomAddresses();
    std::size_t i = 0;
    for (auto _ : state) {
        std::unique_ptr<TQQWry> wry = TQQWry::Create(path);
        std::int64_t n = TQQWry::FindRecord(wry, addresses[i++ & 4095]);
        TStringList fields;
        TQQWry::GetRecordFields(wry, fields, n);
        wry.reset();
        benchmark::DoNotOptimize(fields.Count());
    }
}

void BM_OpenGenerated(benchmark::State& state) {
    const std::string& path = GeneratedDatabase();
    for (auto _ : state)
        benchmark::DoNotOptimize(TQQWry::Create(path));
}
BENCHMARK(BM_OpenGenerated);

void BM_LookupGenerated(benchmark::State& state) {
    Lookup(state, GeneratedDatabase());
}
BENCHMARK(BM_LookupGenerated);

void BM_CycleGenerated(benchmark::State& state) {
    Cycle(state, GeneratedDatabase());
}
BENCHMARK(BM_CycleGenerated);

void BM_LookupRunDatabase(benchmark::State& state) {
    if (!std::filesystem::exists(RunDatabase())) {
        state.SkipWithError("no run/QQWry.Dat beside bin/");
        return;
    }
    Lookup(state, RunDatabase());
}
BENCHMARK(BM_LookupRunDatabase);

void BM_CycleRunDatabase(benchmark::State& state) {
    if (!std::filesystem::exists(RunDatabase())) {
        state.SkipWithError("no run/QQWry.Dat beside bin/");
        return;
    }
    Cycle(state, RunDatabase());
}
BENCHMARK(BM_CycleRunDatabase);

} // namespace
