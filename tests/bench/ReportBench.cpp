// The print preview of a project: every page laid out twice (measure, then
// draw) into page pictures, and the Optimum cost charts drawn by the
// calculation dialog. Reported per page and per chart; the preview of 100
// items with 10 Optimum ones should take under a second, its charts under
// 300 ms. VALDORINE_BENCH_SMOKE=1 runs 10 items with one chart.
#include "bench/BenchSupport.h"
#include "app/ItemModify.h"
#include "calc/Item.h"
#include "platform/ui/QtCanvas.h"
#include "project/Project.h"
#include "report/PrintingOptions.h"
#include "report/Report.h"

#include <QApplication>
#include <QPainter>
#include <QPicture>

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

namespace {

int ItemCount() { return bench_support::IsSmokeRun() ? 10 : 100; }

class TAllRows : public IItemSelection {
public:
    explicit TAllRows(int count) : count_(count) {}
    int Count() const override { return count_; }
    bool Selected(int) const override { return true; }

private:
    int count_;
};

// Every tenth item is Optimum with a sweep of cost points.
TProject ReportProject(int count) {
    TProject project;
    project.FileName = "C:\\Projects\\Kaz\xE1nh\xE1z.kvr";
    project.Address.Add("F\xF5 utca 1.");
    project.Customer.Add("Ny\xEDr\xF5 Kft.");
    for (int i = 0; i < count; ++i) {
        TItem item;
        item.Name = "Vezet\xE9k " + std::to_string(i);
        item.CalculationType = i % 10 == 9 ? CalcMode::Optimum : static_cast<CalcMode>(i % 6);
        item.Geometry = static_cast<GeometryType>(i % 4);
        item.InnerDiameter = 20.0f + static_cast<float>(i % 300);
        item.OuterDiameter = item.InnerDiameter + 4.5f;
        item.Length = 12.5f;
        item.Medium.ItemID = "water";
        item.Medium.Temperature = 80;
        item.Isolation = {"wool", "Javasolt: 50 mm", 50, 0.04f};
        if (item.CalculationType == CalcMode::Optimum)
            for (int t = 20; t <= 120; t += 10)
                item.PriceDiagram.emplace_back(static_cast<float>(t), 100.0f * static_cast<float>(t), 9000.0f / t);
        project.Items.push_back(std::move(item));
    }
    return project;
}

TPrintingOptionSet AllOptions() {
    TPrintingOptionSet options;
    for (const auto option : {TPrintingOption::ProjektData, TPrintingOption::ProjektName, TPrintingOption::PageNumber,
                              TPrintingOption::Date})
        options.Set(option, true);
    return options;
}

void BM_ReportPreview(benchmark::State& state) {
    const TPrintingOptionSet options = AllOptions();
    const TProject project = ReportProject(ItemCount());
    const TAllRows rows(project.ItemCount());
    double chartSeconds = 0;
    int charts = 0;
    const TDiagramDrawer previous =
        SetDiagramDrawer([&](const TItem& item, QWidget* owner, TCanvas& canvas, const TRect& rect) {
            const auto start = std::chrono::steady_clock::now();
            DrawItemChart(item, owner, canvas, rect);
            chartSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            ++charts;
        });
    int pages = 0;
    for (auto _ : state) {
        TItemReport job(project, rows, true, {20, 20, 15, 20}, options, "");
        job.ScreenPixelsPerInch = 96;
        job.Preview(nullptr);
        pages += job.PageCount();
        benchmark::DoNotOptimize(job.PageCount());
    }
    SetDiagramDrawer(previous);
    const double iterations = static_cast<double>(state.iterations());
    state.counters["pages"] = pages / iterations;
    state.counters["s_per_page"] = benchmark::Counter(static_cast<double>(pages), benchmark::Counter::kIsRate |
                                                                                      benchmark::Counter::kInvert);
    state.counters["charts_s"] = chartSeconds / iterations;
    state.counters["s_per_chart"] = charts > 0 ? chartSeconds / charts : 0;
}
BENCHMARK(BM_ReportPreview)->Unit(benchmark::kMillisecond);

// One chart into a page picture (1); the baseline is the same rectangle
// filled (0); building the calculation dialog alone (2) shows where a chart's
// time goes.
void BM_ReportChart(benchmark::State& state) {
    const TProject project = ReportProject(10);
    const TItem& item = project.Items[9];
    for (auto _ : state) {
        QPicture picture;
        QPainter painter(&picture);
        TQtCanvas canvas(painter, 96);
        if (state.range(0) == 0) {
            canvas.FillRect({75, 300, 528, 526});
        } else if (state.range(0) == 2) {
            TItem copy = item;
            TItemModifyForm form(nullptr, &copy);
        } else {
            DrawItemChart(item, nullptr, canvas, {75, 300, 528, 526});
        }
        painter.end();
        benchmark::DoNotOptimize(picture.size());
    }
}
BENCHMARK(BM_ReportChart)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
