// TItem::Calculate for each calculation type on a typical insulated pipe and
// on a tank, and the recalculation of a project of 1000 varied items.
// VALDORINE_BENCH_SMOKE=1 shrinks the project to 50 items.
#include "calc/Item.h"

#include "data/DatabaseLoader.h"
#include "data/Price.h"
#include "platform/win/MessageBox.h"
#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// The shipped data bases and price list, as the program loads them at start.
// A failed item in the project shows its box: answer it silently.
struct TBenchWorld {
    TBenchWorld() {
        LoadDatabases(std::filesystem::path(SOURCE_ROOT) / "data");
        LoadPriceList(std::filesystem::path(SOURCE_ROOT) / "PRICE.TXT");
        win::SetMessageBoxHook([](const std::string&, const std::string&, unsigned) { return win::IDOK; });
    }
};

void EnsureWorld() { static const TBenchWorld world; }

void SetMedium(TItem& item, const char* id, float temperature) {
    item.Medium.ItemID = id;
    item.Medium.Temperature = temperature;
    item.Medium.FetchProperties();
}

// DN 100 steel pipe, 50 m, 5 m3/h of water at 90 degC in air of 10 degC and
// 60 %, natural convection and radiation outside, mineral-wool pipe sections;
// Optimum over the ten thicknesses of mineral-wool mats.
TItem TypicalPipe(CalcMode type) {
    TItem item;
    item.CalculationType = type;
    item.InnerDiameter = 107.1f;
    item.OuterDiameter = 114.3f;
    item.WallLambda = 50;
    item.Length = 50;
    SetMedium(item, "water", 90);
    item.VolumeFlow = 5;
    item.FlowUnit = 1;
    item.AirTemperature = 10;
    item.AirHumidity = 60;
    item.Isolation.IsolationID = "mwshell";
    item.Isolation.Thickness = 50;
    item.EnergyPrice = 45;  // Ft per kWh, as the shipped price list
    item.Years = 10;
    item.ConstructionPrice = 2000;
    switch (type) {
    case CalcMode::Condensation:  // a chilled-water line in humid air
        SetMedium(item, "water", 6);
        item.AirTemperature = 26;
        item.AirHumidity = 70;
        break;
    case CalcMode::GivedSurfaceTemp:
        item.TargetValue = 25;
        break;
    case CalcMode::GivedPower:
        item.TargetValue = 90;
        break;
    case CalcMode::GivedTempDiff:
        item.TargetValue = 89.8f;
        break;
    case CalcMode::Optimum:
        item.Isolation.IsolationID = "mwmat";
        break;
    case CalcMode::Frost:  // standing still for 10 hours in frost
        SetMedium(item, "water", 5);
        item.AirTemperature = -15;
        item.InsideAlphaMode = 1;
        item.VolumeFlow = 0;
        item.Time = 10;
        break;
    default:
        break;
    }
    return item;
}

// A standing 2 m x 3 m hot-water tank, natural convection inside, wind
// outside, mineral-wool mats.
TItem TypicalTank(CalcMode type) {
    TItem item;
    item.CalculationType = type;
    item.Geometry = GeometryType::Tank;
    item.Shape = TankShape::Cylinder;
    item.StandingCylinder = 1;
    item.CylinderDiameter = 2000;
    item.CylinderLength = 3000;
    item.WallThickness = 8;
    item.WallLambda = 50;
    SetMedium(item, "water", 60);
    item.InsideAlphaMode = 1;
    item.OutsideAlphaMode = 0;
    item.WindSpeed = 3;
    item.AirTemperature = 5;
    item.Isolation.IsolationID = "mwmat";
    item.Isolation.Thickness = 80;
    item.TargetValue = 10;
    item.EnergyPrice = 45;
    item.Years = 10;
    item.ConstructionPrice = 3000;
    return item;
}

void BM_ItemCalculatePipe(benchmark::State& state) {
    EnsureWorld();
    const TItem prototype = TypicalPipe(static_cast<CalcMode>(state.range(0)));
    TItem item = prototype;
    if (!item.Calculate())
        state.SkipWithError("calculation failed");
    for (auto _ : state) {
        item = prototype;
        benchmark::DoNotOptimize(item.Calculate());
    }
    state.counters["thickness_mm"] = item.Isolation.Thickness;
}
BENCHMARK(BM_ItemCalculatePipe)->DenseRange(0, 6)->Unit(benchmark::kMicrosecond);

void BM_ItemCalculateTank(benchmark::State& state) {
    EnsureWorld();
    const TItem prototype = TypicalTank(static_cast<CalcMode>(state.range(0)));
    TItem item = prototype;
    if (!item.Calculate())
        state.SkipWithError("calculation failed");
    for (auto _ : state) {
        item = prototype;
        benchmark::DoNotOptimize(item.Calculate());
    }
    state.counters["thickness_mm"] = item.Isolation.Thickness;
}
BENCHMARK(BM_ItemCalculateTank)->Arg(0)->Arg(2)->Arg(6)->Unit(benchmark::kMicrosecond);

// A project's items: every geometry and type, sizes and temperatures spread
// by a fixed-seed generator.
std::vector<TItem> VariedProject(std::size_t count) {
    std::uint32_t seed = 12345;
    auto next = [&seed](std::uint32_t range) {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) % range;
    };
    const float pipes[][2] = {{21.6f, 26.9f}, {35.9f, 42.4f}, {54.5f, 60.3f}, {82.5f, 88.9f},
                              {107.1f, 114.3f}, {160.3f, 168.3f}, {263.0f, 273.0f}};
    std::vector<TItem> items;
    for (std::size_t i = 0; i < count; ++i) {
        const auto type = static_cast<CalcMode>(next(7));
        TItem item = next(4) == 3 ? TypicalTank(type) : TypicalPipe(type);
        if (item.Geometry != GeometryType::Tank) {
            const auto& size = pipes[next(7)];
            item.InnerDiameter = size[0];
            item.OuterDiameter = size[1];
            item.Geometry = static_cast<GeometryType>(next(3));
            if (item.Geometry == GeometryType::SquareCanal) {
                item.SideA = 200 + 100.0f * next(6);
                item.SideB = 100 + 100.0f * next(4);
                item.WallThickness = 1;
                item.Isolation.IsolationID = "mwmat";
            }
            if (item.Geometry != GeometryType::Tube && item.InsideAlphaMode == 1) {
                item.InsideAlphaMode = 2;  // ducts offer no natural convection inside
                item.InsideAlpha = 50;
            }
            item.Length = 5.0f + next(100);
        } else {
            item.Shape = static_cast<TankShape>(next(3));
            item.SphereRadius = 1000;
            item.BoxA = item.BoxB = item.BoxHeight = 1500;
        }
        if (type != CalcMode::Condensation && type != CalcMode::Frost)
            SetMedium(item, "water", 40.0f + next(110));
        item.AirTemperature += static_cast<float>(next(10)) - 5;
        item.OutsideAlphaMode = static_cast<std::int16_t>(next(2));
        items.push_back(item);
    }
    return items;
}

void BM_ItemProjectRecalculation(benchmark::State& state) {
    EnsureWorld();
    const std::size_t count = bench_support::IsSmokeRun() ? 50 : 1000;
    const std::vector<TItem> project = VariedProject(count);
    std::vector<TItem> items = project;
    int succeeded = 0;
    for (TItem& item : items)
        succeeded += item.Calculate() ? 1 : 0;
    for (auto _ : state) {
        items = project;
        for (TItem& item : items)
            benchmark::DoNotOptimize(item.Calculate());
    }
    state.counters["items"] = static_cast<double>(count);
    state.counters["succeeded"] = succeeded;
}
BENCHMARK(BM_ItemProjectRecalculation)->Unit(benchmark::kMillisecond);

}  // namespace
