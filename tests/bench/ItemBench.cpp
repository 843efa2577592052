// TItem::Calculate for each calculation type on a typical insulated pipe and
// on a tank, and the recalculation of a project of 1000 varied items.
// VALDORINE_BENCH_SMOKE=1 shrinks the project to 50 items.
#include "calc/Item.h"

#include "data/Isolation.h"
#include "data/Mediumdbitem.h"
#include "data/Price.h"
#include "platform/win/MessageBox.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

TMediumFunction Polinom(const char* name, std::vector<float> coefficients) {
    TMediumFunction function;
    function.Name = name;
    function.Mode = TMediumFunction::kPolinom;
    function.PolinomValues = std::move(coefficients);
    return function;
}

TMediumFunction Points(const char* name, std::vector<float> temperatures, std::vector<float> values) {
    TMediumFunction function;
    function.Name = name;
    function.Mode = TMediumFunction::kPoints;
    function.PointTemperatures = std::move(temperatures);
    function.PointValues = std::move(values);
    return function;
}

// Water and air roughly as tables give them; the viscosity of water through
// eight points, as a data file might hold it.
void InstallMedia() {
    auto media = std::make_unique<TMediumTypes>();
    TMediumDBItem water;
    water.ItemID = "water";
    water.Functions = {Polinom("ro", {-0.0036f, -0.067f, 1000.6f}),
                       Polinom("C", {0.0175f, -1.5f, 4210}),
                       Points("nu", {0, 20, 40, 60, 80, 100, 150, 200},
                              {1.787e-6f, 1.004e-6f, 0.658e-6f, 0.475e-6f, 0.365e-6f, 0.294e-6f, 0.197e-6f, 0.157e-6f}),
                       Polinom("lambda", {-8e-6f, 0.0019f, 0.5636f}),
                       Polinom("v", {7.5e-6f, 9e-5f}),
                       Polinom("to", {0})};
    media->Add(water);
    TMediumDBItem air;
    air.ItemID = "air";
    air.Functions = {Polinom("ro", {-0.0043f, 1.29f}), Polinom("C", {1005}),
                     Polinom("nu", {9e-8f, 1.33e-5f}), Polinom("lambda", {7.5e-5f, 0.0243f}),
                     Polinom("v", {-1.1e-5f, 3.66e-3f})};
    media->Add(air);
    MediumTypes = std::move(media);
}

// Mineral-wool shells: a dozen thicknesses for each common bore; mats by
// thickness alone. Prices for every size.
void InstallInsulations() {
    auto types = std::make_unique<TIsolationTypes>();
    auto prices = std::make_unique<TPrice>();
    prices->Currency = "EUR";
    const float thicknesses[] = {20, 25, 30, 40, 50, 60, 70, 80, 90, 100, 120, 150};

    TIsolation shell;
    shell.ItemID = "shell";
    shell.PrintName = "Shell %s";
    shell.TubeShell = 1;
    shell.Usages = 0x1F;
    shell.c2 = 2e-7f;
    shell.c1 = 1.5e-4f;
    shell.c0 = 0.033f;
    shell.TempMin = -50;
    shell.TempMax = 250;
    for (float bore : {22.0f, 28.0f, 42.0f, 60.0f, 89.0f, 115.0f, 140.0f, 169.0f, 220.0f, 273.0f, 324.0f}) {
        for (float v : thicknesses) {
            TIsolationSubItem size;
            size.db = bore;
            size.v = v;
            size.SizeName = std::to_string(static_cast<int>(bore)) + "x" + std::to_string(static_cast<int>(v));
            shell.SubItems.push_back(size);
            prices->Items.push_back({"shell" + shell.PriceKey(bore - 1, v), bore * v * 0.004f + 2});
        }
    }
    types->Add(shell);

    TIsolation mat = shell;
    mat.ItemID = "mat";
    mat.PrintName = "Mat %s mm";
    mat.TubeShell = 0;
    mat.SubItems.clear();
    for (float v : thicknesses) {
        TIsolationSubItem size;
        size.v = v;
        size.SizeName = std::to_string(static_cast<int>(v));
        mat.SubItems.push_back(size);
        prices->Items.push_back({"mat" + mat.PriceKey(0, v), v * 0.25f});
    }
    types->Add(mat);
    prices->Items.push_back({"END", 0});
    IsolationTypes = std::move(types);
    PriceList = std::move(prices);
}

struct TBenchWorld {
    TBenchWorld() {
        InstallMedia();
        InstallInsulations();
        // A failed item in the project shows its box: answer it silently.
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
// 60 %, natural convection and radiation outside, mineral-wool shells.
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
    item.Isolation.IsolationID = "shell";
    item.Isolation.Thickness = 50;
    item.EnergyPrice = 0.12f;
    item.Years = 10;
    item.ConstructionPrice = 8;
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
    item.Isolation.IsolationID = "mat";
    item.Isolation.Thickness = 80;
    item.TargetValue = 10;
    item.EnergyPrice = 0.12f;
    item.Years = 10;
    item.ConstructionPrice = 15;
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
                item.Isolation.IsolationID = "mat";
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
    const char* smoke = std::getenv("VALDORINE_BENCH_SMOKE");
    const std::size_t count = smoke && std::string(smoke) == "1" ? 50 : 1000;
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
