#include "platform/base/CodePage.h"

#include <benchmark/benchmark.h>

#include <string>

// Process names and paths cross from UTF-8 to GBK once per grid row.
static void BM_Utf8ToGbk_PathSizedText(benchmark::State& state) {
    const std::string path = "/usr/lib/x86_64-linux-gnu/\xE7\xBD\x91\xE7\xBB\x9C/service-daemon";
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::Utf8ToGbk(path));
}
BENCHMARK(BM_Utf8ToGbk_PathSizedText);
