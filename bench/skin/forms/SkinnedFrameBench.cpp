// Painting the skinned frame of the program's window size (636 x 525): WM_NCPAINT of a skinned
// form, caption and caption buttons included, against WM_NCPAINT of the same form with the
// classic frame, in the same run; the ratio is what the skin costs over the classic look. Both
// are timed in CPU time of the thread.

#include "BenchSkinData.h"
#include "bench/BenchClock.h"

#include "framework/forms/Form.h"
#include "platform/display/Headless.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/WinSkinData.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

namespace {

std::unique_ptr<TForm> ShownForm(int left) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetCaption("QuillmereVER1.0.20100523");
    form->SetBounds(left, 20, 636, 525);
    form->AfterConstruction();
    form->Show();
    return form;
}

void SkinnedFrameAgainstClassic(benchmark::State& state) {
    platform::headless::Use();
    std::unique_ptr<TForm> classic = ShownForm(0);
    std::unique_ptr<TSkinData> skinData = LoadedSkinData();
    std::unique_ptr<TForm> skinned = ShownForm(300);
    platform::headless::RunUntilIdle();
    if (!SkinManager() || !SkinManager()->FindSkinnedWindow(skinned->Handle())) {
        state.SkipWithError("the form was not skinned");
        return;
    }
    double skinnedTime = 0;
    double classicTime = 0;
    for (auto _ : state) {
        const double start = ThreadCpuMicroseconds();
        SendMessageA(skinned->Handle(), WM_NCPAINT, 1, 0);
        const double middle = ThreadCpuMicroseconds();
        SendMessageA(classic->Handle(), WM_NCPAINT, 1, 0);
        const double end = ThreadCpuMicroseconds();
        skinnedTime += middle - start;
        classicTime += end - middle;
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["skinned_us"] = skinnedTime / iterations;
    state.counters["classic_us"] = classicTime / iterations;
    state.counters["skinned/classic"] = skinnedTime / classicTime;
    skinned.reset();
    skinData.reset();
    classic.reset();
}
BENCHMARK(SkinnedFrameAgainstClassic)->Unit(benchmark::kMicrosecond);

} // namespace
