// Saving and opening a project of many varied items through memory streams,
// as the main window does with every file. Baseline: copying the same file
// image into a memory stream in one write. VALDORINE_BENCH_SMOKE=1 runs 100
// items instead of 10,000.
#include "bench/BenchSupport.h"
#include "calc/Item.h"
#include "platform/base/MemoryStream.h"
#include "project/Project.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

int ItemCount() {
    return bench_support::IsSmokeRun() ? 100 : 10000;
}

// Items of every geometry and type, with names, comments, result texts and,
// for Optimum, a sweep of points.
TProject VariedProject(int count) {
    TProject project;
    project.Address.SetText("Budapest\r\nF\xF5 utca 1.\r\nII. emelet");
    project.Customer.Add("Ny\xEDr\xF5 Kft.");
    project.Planer.Add("Kov\xE1\x63s \xC9va");
    project.Date = "2004. 02. 03.";
    project.Items.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        TItem item;
        item.Name = "Vezet\xE9k " + std::to_string(i);
        item.Comment = i % 3 == 0 ? "" : "Kaz\xE1nh\xE1z, " + std::to_string(i % 17) + ". szint";
        item.CalculationType = static_cast<CalcMode>(i % 7);
        item.Geometry = static_cast<GeometryType>(i % 4);
        item.Shape = static_cast<TankShape>(i % 4);
        item.InnerDiameter = 20.0f + static_cast<float>(i % 300);
        item.OuterDiameter = item.InnerDiameter + 4.5f;
        item.Length = static_cast<float>(i % 50) * 1.5f;
        item.Medium.ItemID = i % 5 == 0 ? "air" : "water";
        item.Medium.Temperature = static_cast<float>(i % 150);
        item.Isolation.IsolationID = "wool";
        item.Isolation.ResultText = "Javasolt: " + std::to_string(20 + i % 80) + " mm";
        item.Isolation.Thickness = static_cast<float>(20 + i % 80);
        if (item.CalculationType == CalcMode::Optimum)
            for (int t = 20; t <= 120; t += 10)
                item.PriceDiagram.emplace_back(static_cast<float>(t), 100.0f * static_cast<float>(t), 9000.0f / t);
        project.Items.push_back(std::move(item));
    }
    return project;
}

void BM_ProjectSave(benchmark::State& state) {
    TProject project = VariedProject(static_cast<int>(state.range(0)));
    std::int64_t bytes = 0;
    for (auto _ : state) {
        MyMemoryStream stream;
        project.SaveToStream(stream);
        bytes = stream.Size();
        benchmark::DoNotOptimize(stream.Memory());
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}
BENCHMARK(BM_ProjectSave)->Arg(ItemCount())->Unit(benchmark::kMillisecond);

void BM_ProjectLoad(benchmark::State& state) {
    TProject source = VariedProject(static_cast<int>(state.range(0)));
    MyMemoryStream image;
    source.SaveToStream(image);
    for (auto _ : state) {
        image.SetPosition(0);
        TProject project;
        project.LoadFromStream(image);
        benchmark::DoNotOptimize(project.Items.data());
    }
    state.SetBytesProcessed(state.iterations() * image.Size());
}
BENCHMARK(BM_ProjectLoad)->Arg(ItemCount())->Unit(benchmark::kMillisecond);

void BM_ProjectImageCopy(benchmark::State& state) {
    TProject source = VariedProject(static_cast<int>(state.range(0)));
    MyMemoryStream image;
    source.SaveToStream(image);
    for (auto _ : state) {
        MyMemoryStream copy;
        copy.Write(image.Memory(), static_cast<int>(image.Size()));
        benchmark::DoNotOptimize(copy.Memory());
    }
    state.SetBytesProcessed(state.iterations() * image.Size());
}
BENCHMARK(BM_ProjectImageCopy)->Arg(ItemCount())->Unit(benchmark::kMillisecond);

}  // namespace
