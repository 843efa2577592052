#include "app/BigChart.h"

#include "app/CostChart.h"
#include "lang/Languages.h"
#include "ui_BigChart.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QLineSeries>

TBigChartForm::TBigChartForm(QWidget* owner, const TCostChart& source)
    : TForm(owner), ui_(std::make_unique<Ui::BigChartForm>()) {
    ui_->setupUi(this);
    // The button face, not the program's green.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    setPalette(palette);
    TCostChart& chart = Chart();
    chart.Bars(0).setObjectName(QStringLiteral("Series1"));
    chart.Bars(1).setObjectName(QStringLiteral("Series2"));
    chart.Line().setObjectName(QStringLiteral("Series3"));
    for (int i = 0; i < TCostChart::kSeriesCount; ++i) AddComponent(chart.Series(i));
    chart.chart()->setBackgroundBrush(QColor(208, 224, 192));
    LanguageList->TranslateForm(*this);
    chart.CopyFrom(source);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

TBigChartForm::~TBigChartForm() = default;

TCostChart& TBigChartForm::Chart() const {
    return *ui_->Chart1;
}
