// Loading the program's default skin: the archive part (decompression, directory, description)
// against the whole load with every element built, in the same run; the counters give the
// whole load in milliseconds and the share the elements add.

#include "core/Stream.h"
#include "skin/data/DefaultSkin.h"
#include "skin/data/SkinElementSet.h"
#include "skin/data/SkinRead.h"
#include "skin/data/WinSkinIni.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <time.h>

namespace {

// Elements draw into bitmaps only; no screen is needed.
const bool Headless = setenv("QUILLMERE_DISPLAY", "headless", 0) == 0;

// Seconds on the monotonic clock (<chrono> does not build with the GBK execution character set).
double Now() {
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) / 1e9;
}

TMemoryStream DefaultArchive() {
    TMemoryStream stream;
    stream.WriteBuffer(DefaultSkinArchive().data(), static_cast<std::int64_t>(DefaultSkinArchive().size()));
    return stream;
}

void ReadArchive(TMemoryStream& archive, TSkinReader& reader, TQuickIni& ini) {
    reader.LoadSkin(archive);
    TMemoryStream description;
    std::string name;
    reader.FindEntry(".ini", description, name);
    ini.LoadFromStream(&description);
}

// The baseline: what every load costs before any element is built.
void BM_DefaultSkinArchiveOnly(benchmark::State& state) {
    TMemoryStream archive = DefaultArchive();
    for (auto _ : state) {
        TSkinReader reader;
        TQuickIni ini;
        ReadArchive(archive, reader, ini);
        benchmark::DoNotOptimize(ini.Lines().Count());
    }
}
BENCHMARK(BM_DefaultSkinArchiveOnly)->Unit(benchmark::kMillisecond);

void BM_DefaultSkinWithElements(benchmark::State& state) {
    benchmark::DoNotOptimize(Headless);
    TMemoryStream archive = DefaultArchive();
    TSkinElements elements;
    double archiveSeconds = 0, elementSeconds = 0;
    for (auto _ : state) {
        const double start = Now();
        TSkinReader reader;
        TQuickIni ini;
        ReadArchive(archive, reader, ini);
        const double read = Now();
        elements.ReadSkinElements(reader, ini);
        const double built = Now();
        archiveSeconds += read - start;
        elementSeconds += built - read;
    }
    const double loads = static_cast<double>(state.iterations());
    state.counters["load_ms"] = (archiveSeconds + elementSeconds) / loads * 1000;
    state.counters["archive_ms"] = archiveSeconds / loads * 1000;
    state.counters["whole_to_archive"] = (archiveSeconds + elementSeconds) / archiveSeconds;
}
BENCHMARK(BM_DefaultSkinWithElements)->Unit(benchmark::kMillisecond);

} // namespace
