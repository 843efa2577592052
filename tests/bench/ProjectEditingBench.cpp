// Delete, cut and paste of half the items of a 1,000-item project, each with
// the refill of the main window's list that follows it, as the commands run
// them. Baseline: the refill alone. VALDORINE_BENCH_SMOKE=1 runs 40 items.
#include "app/ListViewItems.h"
#include "bench/BenchSupport.h"
#include "calc/Item.h"
#include "lang/Languages.h"
#include "platform/ui/ListView.h"
#include "project/Project.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

int ItemCount() {
    return bench_support::IsSmokeRun() ? 40 : 1000;
}

// The list view needs the application object; the clipboard copy needs the
// language service.
void PrepareProcess() {
    static int argc = 1;
    static char name[] = "project_editing_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    if (!LanguageList) LanguageList = std::make_unique<TLanguages>();
}

TProject ProjectOf(int count) {
    TProject project;
    for (int i = 0; i < count; ++i) {
        TItem item;
        item.Name = "Vezet\xE9k " + std::to_string(i);
        item.Comment = "Kaz\xE1nh\xE1z, " + std::to_string(i % 17) + ". szint";
        item.CalculationType = static_cast<CalcMode>(i % 7);
        item.InnerDiameter = 20.0f + static_cast<float>(i % 300);
        item.OuterDiameter = item.InnerDiameter + 4.5f;
        item.Isolation.ResultText = "Javasolt: " + std::to_string(20 + i % 80) + " mm";
        project.Items.push_back(std::move(item));
    }
    return project;
}

// The project in a fresh list with every other entry selected.
void ShowHalfSelected(const TProject& project, TListViewItems& items, TListView& list) {
    project.FillListView(items);
    for (int i = 1; i < list.Count(); i += 2) list.SetSelected(i, true);
}

void BM_ProjectEditingRefill(benchmark::State& state) {
    PrepareProcess();
    const TProject project = ProjectOf(static_cast<int>(state.range(0)));
    TListView list;
    TListViewItems items(list);
    for (auto _ : state) {
        project.FillListView(items);
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_ProjectEditingRefill)->Arg(ItemCount())->Unit(benchmark::kMillisecond);

// Delete, or cut (the clipboard copy first), of every other item.
void RemoveHalf(benchmark::State& state, bool cut) {
    PrepareProcess();
    const TProject source = ProjectOf(static_cast<int>(state.range(0)));
    TListView list;
    list.SetMultiSelect(true);
    TListViewItems items(list);
    for (auto _ : state) {
        state.PauseTiming();
        TProject project = source;
        ShowHalfSelected(project, items, list);
        state.ResumeTiming();
        if (cut) project.CopyToClipboard(items);
        project.DeleteSelectedItems(items);
        project.FillListView(items);
        benchmark::DoNotOptimize(project.Items.data());
    }
}

void BM_ProjectEditingDelete(benchmark::State& state) {
    RemoveHalf(state, false);
}
BENCHMARK(BM_ProjectEditingDelete)->Arg(ItemCount())->Unit(benchmark::kMillisecond);

void BM_ProjectEditingCut(benchmark::State& state) {
    RemoveHalf(state, true);
}
BENCHMARK(BM_ProjectEditingCut)->Arg(ItemCount())->Unit(benchmark::kMillisecond);

void BM_ProjectEditingPaste(benchmark::State& state) {
    PrepareProcess();
    const TProject source = ProjectOf(static_cast<int>(state.range(0)));
    TListView list;
    list.SetMultiSelect(true);
    TListViewItems items(list);
    ShowHalfSelected(source, items, list);
    source.CopyToClipboard(items);
    for (auto _ : state) {
        state.PauseTiming();
        TProject project = source;
        project.FillListView(items);
        state.ResumeTiming();
        project.PasteFromClipboard();
        project.FillListView(items);
        benchmark::DoNotOptimize(project.Items.data());
    }
}
BENCHMARK(BM_ProjectEditingPaste)->Arg(ItemCount())->Unit(benchmark::kMillisecond);

}  // namespace
