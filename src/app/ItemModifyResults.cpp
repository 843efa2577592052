// The calculation dialog's results: the labels, the cost chart, and the
// chart drawn onto a report page.

#include "app/ItemModify.h"

#include "app/CostChart.h"
#include "app/ItemModifyInternal.h"
#include "calc/Item.h"
#include "data/Price.h"
#include "lang/Languages.h"
#include "platform/ui/QtText.h"
#include "ui_ItemModify.h"

#include <QPainter>
#include <QTabBar>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>

using namespace item_modify;

namespace {

// Red where a surface is colder than its dew point: water condenses there.
void ShowDewPoint(QLabel& label, double dewPoint, double wall) {
    ShowNumber(label, dewPoint);
    QPalette palette = label.palette();
    palette.setColor(QPalette::WindowText,
                     wall >= dewPoint ? label.parentWidget()->palette().color(QPalette::WindowText) : QColor(Qt::red));
    label.setPalette(palette);
}

}  // namespace

std::string TItemModifyForm::LeftAxisTitle(const std::string& currency) const {
    return LanguageList->GetString("IDS_LEFTAXISTEXT") + " [" + currency + (EditedItem->IsLinear() ? "/m" : "/m2") +
           "]";
}

void TItemModifyForm::ShowResults() {
    Updating = true;
    ShowMediumProperties();
    const TItem& item = *EditedItem;
    Ui::ItemModifyForm& ui = *ui_;
    if (item.VolumeGiven) {
        ShowNumber(*ui.Speed, item.Velocity, 3);
        ShowNumber(*ui.Speed2, item.Velocity, 3);
    } else {
        ShowNumber(*ui.Volume, item.VolumeFlow);
        ShowNumber(*ui.Volume2, item.VolumeFlow);
    }
    if (item.InsideAlphaMode != 2) {
        ShowNumber(*ui.InsideAlpha, item.InsideAlpha);
        ShowNumber(*ui.InsideAlpha2, item.InsideAlpha);
    }
    if (item.OutsideAlphaMode != 2) {
        ShowNumber(*ui.OutsideAlpha, item.OutsideAlpha);
        ShowNumber(*ui.OutsideAlpha2, item.OutsideAlpha);
    }
    if (item.CalculationType != CalcMode::GivedThickness) ShowNumber(*ui.IsolationThickness2, item.Isolation.Thickness);
    ShowNumber(*ui.IsolationHeatConditionFactor, item.Isolation.IsolationLambda, 3);
    ShowNumber(*ui.k, item.KValue, 3);
    const bool round = IsRoundSection(item);
    ui.kDimension->setText(round ? QStringLiteral(" W/mK") : QStringLiteral(" W/m2K"));
    ShowNumber(*ui.InsideWallTemperature, item.InsideWallTemperature);
    if (IsAirMedium(item.Medium.ItemID) && item.InsideHumidity > 0) {
        ShowDewPoint(*ui.InsideSaturatedTemperature, item.InsideDewPoint, item.InsideWallTemperature);
    } else {
        ui.InsideSaturatedTemperature->clear();
    }
    if (round) ShowNumber(*ui.GeometryThickness2, item.WallThickness);
    if (item.CalculationType != CalcMode::GivedSurfaceTemp) {
        ShowNumber(*ui.OutsideWallTemperature2, item.SurfaceTemperature);
    }
    if (item.AirHumidity > 0) ShowDewPoint(*ui.OutsideSaturatedTemperature, item.AirDewPoint, item.SurfaceTemperature);
    ShowNumber(*ui.SpecificPowerloss, std::fabs(item.SpecificLoss));
    ui.SpecificPowerlossDimension->setText(round ? QStringLiteral(" W/m") : QStringLiteral(" W/m2"));
    ShowNumber(*ui.Powerloss, std::fabs(item.Loss) * 0.001);
    if (item.CalculationType != CalcMode::GivedPower) ShowNumber(*ui.EnergySave2, std::fabs(item.SavingRatio) * 100);
    if (item.CalculationType != CalcMode::GivedTempDiff) ShowNumber(*ui.OutTemperature2, item.OutletTemperature);

    TCostChart& chart = Chart();
    if (PriceList) chart.LeftAxis().setTitleText(ToQString(LeftAxisTitle(PriceList->Currency)));
    QList<TCostChart::TPoint> points;
    for (const TPriceDiagramItem& point : item.PriceDiagram) {
        points.push_back({point.Thickness, point.Investment,
                          static_cast<double>(point.Investment) + point.LossCost, point.LossCost});
    }
    chart.SetPoints(points);
    ui.OptimalThickness->setText(NumberText(item.Isolation.Thickness) + QStringLiteral(" mm"));
    SetMemoText(*ui.Suggestion, item.Isolation.ResultText);
    Updating = false;
}

void TItemModifyForm::ClearResults() {
    if (Updating) return;
    const TItem& item = *EditedItem;
    Ui::ItemModifyForm& ui = *ui_;
    (item.VolumeGiven ? ui.Speed2 : ui.Volume2)->clear();
    if (item.InsideAlphaMode != 2) ui.InsideAlpha2->clear();
    if (item.OutsideAlphaMode != 2) ui.OutsideAlpha2->clear();
    if (IsRoundSection(item)) ui.GeometryThickness2->clear();
    if (item.CalculationType != CalcMode::GivedThickness) ui.IsolationThickness2->clear();
    for (QLabel* label : {ui.IsolationHeatConditionFactor, ui.k, ui.InsideWallTemperature,
                          ui.InsideSaturatedTemperature, ui.OutsideSaturatedTemperature, ui.SpecificPowerloss,
                          ui.Powerloss}) {
        label->clear();
    }
    if (item.CalculationType != CalcMode::GivedSurfaceTemp) ui.OutsideWallTemperature2->clear();
    if (item.CalculationType != CalcMode::GivedPower) ui.EnergySave2->clear();
    if (item.CalculationType != CalcMode::GivedTempDiff) ui.OutTemperature2->clear();
    // The same currency as the results show; the program's own only without a price list.
    Chart().LeftAxis().setTitleText(ToQString(LeftAxisTitle(PriceList ? PriceList->Currency : "Ft")));
    Chart().Clear();
    ui.OptimalThickness->clear();
    ui.Suggestion->clear();
}

void TItemModifyForm::DrawResultPage(QPainter& painter, const QRect& rect) {
    const int w = rect.width();
    const int h = rect.height();
    if (w <= 0 || h <= 0) return;
    QTabWidget& pages = *ui_->CalculationPageControl;
    // The page control takes the rectangle's aspect by shrinking its longer side.
    int width = pages.x() + pages.width();
    int height = pages.y() + pages.height();
    if (static_cast<double>(width) / height > static_cast<double>(w) / h) {
        width = w * height / h;
    } else {
        height = h * width / w;
    }
    pages.setGeometry(0, 0, width, height);

    TCostChart& chart = Chart();
    chart.Bars(0).setBrush(QBrush(chart.Bars(0).color(), Qt::FDiagPattern));
    chart.Bars(1).setBrush(QBrush(chart.Bars(1).color(), Qt::BDiagPattern));
    chart.chart()->setBackgroundBrush(Qt::white);
    // The chart's place on that page: beside Panel1, below the tabs.
    const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &pages);
    const QSizeF size(std::max(1, width - ui_->Panel1->maximumWidth() - frame),
                      std::max(1, height - pages.tabBar()->sizeHint().height() - frame));
    chart.SetDrawingSize(size);
    painter.save();
    painter.setClipRect(rect);
    chart.scene()->render(&painter, QRectF(rect), QRectF(chart.chart()->pos(), size), Qt::IgnoreAspectRatio);
    painter.restore();
}
