// Repainting a list header of 50 columns with two-row titles full of markup
// (superscripts, subscripts, the Symbol font, centred and right-aligned
// titles) into an image, as a horizontal scroll does. Cases: the whole header,
// and the 1000-pixel part a window shows. Baseline: the same titles without
// markup drawn straight with QPainter::drawText, one call per line.
#include "bench/BenchSupport.h"
#include "listheader/ListHeader.h"
#include "listheader/TitleResources.h"
#include "platform/ui/QtCanvas.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kColumns = 50;

QApplication& App() {
    static int argc = 1;
    static char name[] = "listheader_bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }();
    return *app;
}

std::string Titles() {
    const char* const lines[][2] = {
        {"D\\dk\\p\\;outer diameter", "mm"},
        {"\\fl\\p\\dins", "W/mK"},
        {"q\\dl", "W/m"},
        {"Surface", "m\\u2"},
        {"\\fa\\p\\du", "W/m\\u2\\pK"},
        {"Name", ""},
    };
    std::string text = "2\r\n" + std::to_string(kColumns) + "\r\n";
    for (int i = 0; i < kColumns; ++i) {
        const auto& line = lines[i % 6];
        text += "12\r\n5.2F" + std::string(i % 3 == 0 ? "c" : i % 3 == 1 ? "r" : "l") + "r" + std::to_string(i) +
                "\r\n" + line[0] + "\r\n" + line[1] + "\r\n";
    }
    return text;
}

struct THeaderScene {
    THeaderScene() {
        RegisterTitleResource("BenchHeader", Titles());
        header.setFont(QFont(QStringLiteral("Arial"), 9));
        header.SetFormatName("BenchHeader");
        width = header.CellRect(kColumns - 1).right() + 1;
        image = QImage(width, header.height(), QImage::Format_RGB32);
    }
    QApplication& app = App();  // before any widget
    TListHeader header;
    int width = 0;
    QImage image;
};

void PaintHeader(benchmark::State& state, int clipWidth) {
    THeaderScene scene;
    const int width = clipWidth > 0 ? clipWidth : scene.width;
    for (auto _ : state) {
        QPainter painter(&scene.image);
        painter.setClipRect(0, 0, width, scene.image.height());
        TQtCanvas canvas(painter);
        scene.header.Paint(canvas);
        benchmark::DoNotOptimize(scene.image.constBits());
    }
    state.counters["px"] = width;
}

void BM_ListHeaderPaintAll(benchmark::State& state) {
    PaintHeader(state, 0);
}
BENCHMARK(BM_ListHeaderPaintAll)->Unit(benchmark::kMillisecond);

void BM_ListHeaderPaintVisible(benchmark::State& state) {
    PaintHeader(state, 1000);
}
BENCHMARK(BM_ListHeaderPaintVisible)->Unit(benchmark::kMillisecond);

void BM_ListHeaderPlainText(benchmark::State& state) {
    THeaderScene scene;
    const TListHeaderFormat& format = scene.header.Format();
    const THeaderMetrics metrics = scene.header.Metrics();
    for (auto _ : state) {
        QPainter painter(&scene.image);
        painter.setFont(scene.header.font());
        for (int p = 0; p < format.ColumnCount(); ++p) {
            const QRect cell = scene.header.CellRect(p);
            painter.fillRect(cell, Qt::lightGray);
            for (int row = 0; row < format.RowCount(); ++row) {
                const QRect line(cell.x() + 2, 2 + row * metrics.lineHeight, cell.width() - 4, metrics.lineHeight);
                painter.drawText(line, Qt::AlignHCenter, QString::fromLatin1(format.ColumnAt(p)->GetTitle(row)));
            }
        }
        benchmark::DoNotOptimize(scene.image.constBits());
    }
}
BENCHMARK(BM_ListHeaderPlainText)->Unit(benchmark::kMillisecond);

}  // namespace
