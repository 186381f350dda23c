// Opening, painting and closing a popup menu of 20 items (with a separator, a checked item and
// shortcuts) as the skin draws it, against the same menu without the skin, in the same run:
// the ratio is what the skin costs over the platform's own menu. Both are timed in CPU time of
// the thread.

#include "BenchSkinData.h"
#include "bench/BenchClock.h"

#include "framework/forms/Form.h"
#include "framework/menus/Menus.h"
#include "platform/display/Headless.h"
#include "skin/forms/SkinManage.h"
#include "skin/forms/SkinMenuOwnerDraw.h"
#include "skin/forms/WinSkinData.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

namespace {

constexpr int ItemCount = 20;

void FillMenu(TPopupMenu& menu) {
    for (int i = 0; i < ItemCount; ++i) {
        auto* item = new TMenuItem(menu.Owner());
        item->SetCaption(i == 5 ? std::string("-")
                                : "菜单项 " + std::to_string(i) + "(&" + std::to_string(i % 10) + ")");
        if (i % 4 == 1)
            item->SetShortCut(TextToShortCut("Ctrl+" + std::to_string(i % 10)));
        item->SetChecked(i == 2);
        menu.Items()->Add(item);
    }
}

void SkinnedPopupAgainstPlain(benchmark::State& state) {
    platform::headless::Use();
    std::unique_ptr<TSkinData> skinData = LoadedSkinData();
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    form->AfterConstruction();
    form->Show();
    auto* skinned = new TPopupMenu(form.get());
    auto* plain = new TPopupMenu(form.get());
    FillMenu(*skinned);
    FillMenu(*plain);
    SwitchPopupMenus(*skinData, *form, true);
    plain->SetOwnerDraw(false);
    for (int i = 0; i < plain->Items()->Count(); ++i) {
        plain->Items()->Items(i)->OnAdvancedDrawItem = nullptr;
        plain->Items()->Items(i)->OnMeasureItem = nullptr;
    }
    platform::headless::RunUntilIdle();
    TSkinManage* manager = SkinManager();
    if (!manager || !manager->Active()) {
        state.SkipWithError("the skin manager is not running");
        return;
    }
    // Each menu is closed as soon as it waits for the user.
    platform::headless::SetIdleHandler([] { return EndMenu() != FALSE; });
    double skinnedTime = 0;
    double plainTime = 0;
    for (auto _ : state) {
        const double start = ThreadCpuMicroseconds();
        skinned->Popup(100, 100);
        const double between = ThreadCpuMicroseconds();
        manager->SetActive(0);
        plain->Popup(100, 100);
        manager->SetActive(1);
        const double end = ThreadCpuMicroseconds();
        skinnedTime += between - start;
        plainTime += end - between;
    }
    platform::headless::SetIdleHandler(nullptr);
    const double iterations = static_cast<double>(state.iterations());
    state.counters["skinned_us"] = skinnedTime / iterations;
    state.counters["plain_us"] = plainTime / iterations;
    state.counters["ratio"] = skinnedTime / plainTime;
    form.reset();
    skinData.reset();
}
BENCHMARK(SkinnedPopupAgainstPlain)->Unit(benchmark::kMicrosecond);

} // namespace
