// The calculation dialog on the shipped data: opening it (built, translated,
// filled from the item and shown) and Calculate (controls read, calculation,
// results shown) for every calculation type.
#include "app/ItemModify.h"

#include "calc/Item.h"
#include "data/DatabaseLoader.h"
#include "data/Price.h"
#include "lang/Languages.h"
#include "platform/win/MessageBox.h"
#include "project/ProgramOptions.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

// The program's shared objects as the main window leaves them after start,
// in English; a failed calculation's box is answered silently.
struct TBenchWorld {
    TBenchWorld() {
        const std::filesystem::path root(SOURCE_ROOT);
        LanguageList = std::make_unique<TLanguages>();
        LanguageList->CompressedOnly = false;
        LanguageList->Load(root / "languages" / "*.xm?");
        LanguageList->SetLanguage("English");
        AppOptions = std::make_unique<TProgramOptions>();
        LoadDatabases(root / "data");
        LoadPriceList(root / "PRICE.TXT");
        win::SetMessageBoxHook([](const std::string&, const std::string&, unsigned) { return win::IDOK; });
    }
};

void EnsureWorld() { static const TBenchWorld world; }

// DN 100 steel pipe, 50 m of water at 90 degC in air of 10 degC; each type
// with a target it can reach.
TItem Pipe(CalcMode type) {
    TItem item;
    item.Name = "DN 100";
    item.CalculationType = type;
    item.InnerDiameter = 107.1f;
    item.OuterDiameter = 114.3f;
    item.WallLambda = 50;
    item.Length = 50;
    item.Medium.Temperature = 90;
    item.VolumeFlow = 5;
    item.FlowUnit = 1;
    item.AirTemperature = 10;
    item.AirHumidity = 60;
    item.Isolation.IsolationID = type == CalcMode::Optimum ? "mwmat" : "mwshell";
    item.Isolation.Thickness = 50;
    item.EnergyPrice = 45;
    item.Years = 10;
    item.ConstructionPrice = 2000;
    item.TargetValue = type == CalcMode::GivedPower ? 90 : type == CalcMode::GivedTempDiff ? 89.8f : 25;
    if (type == CalcMode::Condensation) {
        item.Medium.Temperature = 6;
        item.AirTemperature = 26;
        item.AirHumidity = 70;
    }
    if (type == CalcMode::Frost) {
        item.Medium.Temperature = 5;
        item.AirTemperature = -15;
        item.InsideAlphaMode = 1;
        item.VolumeFlow = 0;
        item.Time = 10;
    }
    item.Medium.FetchProperties();
    return item;
}

void BM_ItemModifyOpen(benchmark::State& state) {
    EnsureWorld();
    const TItem prototype = Pipe(CalcMode::GivedThickness);
    for (auto _ : state) {
        TItem item = prototype;
        auto form = std::make_unique<TItemModifyForm>(nullptr, &item);
        form->show();
        QApplication::processEvents();
        state.PauseTiming();
        form.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ItemModifyOpen)->Unit(benchmark::kMillisecond);

void BM_ItemModifyCalculate(benchmark::State& state) {
    EnsureWorld();
    TItem item = Pipe(static_cast<CalcMode>(state.range(0)));
    TItemModifyForm form(nullptr, &item);
    form.show();
    QApplication::processEvents();
    for (auto _ : state) {
        form.CalculateClick();
        QApplication::processEvents();
    }
    // The figure is a Calculate that succeeded.
    TItem check = item;
    if (!check.Calculate()) state.SkipWithError("calculation failed");
    state.counters["thickness_mm"] = item.Isolation.Thickness;
}
BENCHMARK(BM_ItemModifyCalculate)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
