// The calculation dialog's results: Calculate, the cost chart, the chart on
// a report page, the enlarged chart and the standard tubes.

#include "app/ItemModifyFixture.h"

#include "app/BigChart.h"
#include "app/CostChart.h"
#include "app/StandardTubes.h"
#include "data/StandardTubes.h"
#include "lang/Languages.h"
#include "platform/base/SysUtils.h"
#include "platform/ui/QtText.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

class ItemModifyResultsTest : public ItemModifyFixture {
protected:
    void SetUp() override {
        ItemModifyFixture::SetUp();
        StartWithData();
    }

    // The points' thickness, lower and upper bar values, one field at a time.
    static std::vector<double> Values(const TCostChart& chart, double TCostChart::TPoint::*field) {
        std::vector<double> values;
        for (const TCostChart::TPoint& point : chart.Points()) values.push_back(point.*field);
        return values;
    }

    static TItem WithPoints() {
        TItem item = Pipe(CalcMode::Optimum);
        item.PriceDiagram = {{10, 5, 7}, {20, 8, 3}, {30, 12, 2}};
        return item;
    }

    // Pixels of the image that are not white, inside and outside the rectangle.
    static std::pair<int, int> NonWhite(const QImage& image, const QRect& rect) {
        int inside = 0;
        int outside = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) == qRgb(255, 255, 255)) continue;
                (rect.contains(x, y) ? inside : outside)++;
            }
        }
        return {inside, outside};
    }
};

}  // namespace

TEST_F(ItemModifyResultsTest, CalculateShowsTheEnginesResultsAndAnEditClearsThem) {
    TItem item = Pipe();
    auto form = Open(item);
    Type(*form, "IsolationThickness", "80");
    form->CalculateClick();
    ASSERT_TRUE(Boxes.empty());
    TItem expected = Pipe();
    expected.Isolation.Thickness = 80;
    ASSERT_TRUE(expected.Calculate());
    const struct {
        const char* label;
        std::string text;
    } rows[] = {
        {"k", FloatToStrG(expected.KValue, 3)},
        {"kDimension", " W/mK"},
        {"IsolationHeatConditionFactor", FloatToStrG(expected.Isolation.IsolationLambda, 3)},
        {"InsideWallTemperature", FloatToStrG(expected.InsideWallTemperature, 4)},
        {"OutsideWallTemperature2", FloatToStrG(expected.SurfaceTemperature, 4)},
        {"OutsideSaturatedTemperature", FloatToStrG(expected.AirDewPoint, 4)},
        {"SpecificPowerloss", FloatToStrG(std::fabs(expected.SpecificLoss), 4)},
        {"SpecificPowerlossDimension", " W/m"},
        {"Powerloss", FloatToStrG(std::fabs(expected.Loss) * 0.001, 4)},
        {"OutTemperature2", FloatToStrG(expected.OutletTemperature, 4)},
        {"EnergySave2", FloatToStrG(std::fabs(expected.SavingRatio) * 100, 4)},
        {"Speed2", FloatToStrG(expected.Velocity, 3)},
        {"GeometryThickness2", FloatToStrG(expected.WallThickness, 4)},
        {"InsideAlpha2", FloatToStrG(expected.InsideAlpha, 4)},
        {"OutsideAlpha2", FloatToStrG(expected.OutsideAlpha, 4)},
        {"Suggestion", expected.Isolation.ResultText},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(Text(*form, row.label), row.text);
    }
    EXPECT_EQ(item, expected);

    // Every input the results depend on clears them, the item keeps its own.
    for (const char* edit : {"TubeLength", "BallRadius", "EmissionFactor", "AirTemperature"}) {
        SCOPED_TRACE(edit);
        form->CalculateClick();
        ASSERT_FALSE(Text(*form, "k").empty());
        const TItem calculated = item;
        Type(*form, edit, "0.9");
        EXPECT_EQ(Text(*form, "k"), "");
        EXPECT_EQ(Text(*form, "Suggestion"), "");
        EXPECT_EQ(item, calculated);
    }
    // The name and the comment don't touch the results.
    form->CalculateClick();
    Type(*form, "Name", "x");
    EXPECT_FALSE(Text(*form, "k").empty());
}

TEST_F(ItemModifyResultsTest, RectangularDuctShowsPerSquareMetreAndTheAxisPerMetre) {
    TItem item = Pipe();
    item.Geometry = GeometryType::SquareCanal;
    item.SideA = 400;
    item.SideB = 200;
    item.WallThickness = 1;
    item.Medium.ItemID = "air";
    item.Medium.Temperature = 40;
    item.VolumeFlow = 1000;
    item.Isolation.IsolationID = "mwmat";
    auto form = Open(item);
    form->CalculateClick();
    ASSERT_TRUE(Boxes.empty());
    EXPECT_EQ(Text(*form, "kDimension"), " W/m2K");
    EXPECT_EQ(Text(*form, "SpecificPowerlossDimension"), " W/m2");
    EXPECT_EQ(FromQString(form->Chart().LeftAxis().titleText()),
              LanguageList->GetString("IDS_LEFTAXISTEXT") + " [Ft/m]");
}

TEST_F(ItemModifyResultsTest, EveryTypeCalculatesOnTheShippedData) {
    for (int type = 0; type <= 6; ++type) {
        SCOPED_TRACE(type);
        TItem item = Pipe(static_cast<CalcMode>(type));
        auto form = Open(item);
        Boxes.clear();
        form->CalculateClick();
        EXPECT_TRUE(Boxes.empty()) << (Boxes.empty() ? "" : Boxes[0].Text);
        EXPECT_FALSE(Text(*form, "k").empty());
        EXPECT_EQ(form->Chart().Count(), type == 6 ? static_cast<int>(item.PriceDiagram.size()) : 0);
    }
}

TEST_F(ItemModifyResultsTest, ChartStacksTheCostsAndTheLineRunsThroughTheSums) {
    TItem item = WithPoints();
    auto form = Open(item);
    form->setAttribute(Qt::WA_DontShowOnScreen);
    form->show();
    TCostChart& chart = form->Chart();
    EXPECT_EQ(Values(chart, &TCostChart::TPoint::Thickness), (std::vector<double>{10, 20, 30}));
    EXPECT_EQ(Values(chart, &TCostChart::TPoint::Lower), (std::vector<double>{5, 8, 12}));
    EXPECT_EQ(Values(chart, &TCostChart::TPoint::Upper), (std::vector<double>{7, 3, 2}));
    EXPECT_EQ(chart.Line().points(), (QList<QPointF>{{10, 12}, {20, 11}, {30, 14}}));
    EXPECT_EQ(chart.MarkTexts(), (QStringList{"12", "11", "14"}));
    EXPECT_GE(chart.LeftAxis().max(), 14);
    EXPECT_EQ(chart.Bars(0).objectName(), "Series1");
    EXPECT_EQ(chart.Bars(1).objectName(), "Series3");
    EXPECT_EQ(chart.Line().objectName(), "Series2");
    EXPECT_EQ(Text(*form, "OptimalThickness"), "50 mm");
}

// The chart as drawn in the dialog, enlarged and on a report page: bars on
// the thickness scale, and every text whole and clear of the others.
TEST_F(ItemModifyResultsTest, ChartDrawsThicknessToScaleAndItsTextsReadable) {
    TItem item = Pipe(CalcMode::Optimum);
    auto form = Open(item);
    form->setAttribute(Qt::WA_DontShowOnScreen);
    form->show();
    form->CalculateClick();
    ASSERT_GE(form->Chart().Count(), 5);
    TBigChartForm big(form.get(), form->Chart());
    big.setAttribute(Qt::WA_DontShowOnScreen);
    big.show();
    QApplication::sendPostedEvents();
    auto empty = Open(item);
    empty->Chart().Clear();
    const auto printed = [](TItemModifyForm& dialog) -> TCostChart& {
        QImage page(1200, 600, QImage::Format_RGB32);
        QPainter painter(&page);
        dialog.DrawResultPage(painter, page.rect());
        return dialog.Chart();
    };
    const struct {
        const char* name;
        std::function<TCostChart&()> draw;
    } charts[] = {
        {"dialog", [&]() -> TCostChart& { return form->Chart(); }},
        {"enlarged", [&]() -> TCostChart& { return big.Chart(); }},
        {"printed", [&]() -> TCostChart& { return printed(*form); }},
        {"empty", [&]() -> TCostChart& { return printed(*empty); }},
    };
    for (const auto& row : charts) {
        SCOPED_TRACE(row.name);
        TCostChart& chart = row.draw();
        for (int set = 0; set < 2; ++set) {
            const QList<QRectF> bars = chart.BarRects(set);
            ASSERT_EQ(bars.size(), chart.Count());
            for (int i = 0; i < chart.Count(); ++i) {
                const QPointF at = chart.chart()->mapToPosition(QPointF(chart.Points()[i].Thickness, 0), &chart.Line());
                EXPECT_NEAR(bars[i].center().x(), at.x(), 0.5) << i;
            }
        }
        // Texts and marks as drawn, a pixel in from their edges.
        QList<QPair<QString, QRectF>> shown;
        for (const QGraphicsItem* item : chart.scene()->items()) {
            const auto* text = qgraphicsitem_cast<const QGraphicsTextItem*>(item);
            const QString name = text ? text->toPlainText() : QStringLiteral("mark");
            if (!item->isVisible() || name.isEmpty() || (!text && item->type() != TCostChart::kMarkType)) continue;
            EXPECT_FALSE(name.contains(QStringLiteral("...")) || name.contains(QChar(0x2026))) << name.toStdString();
            shown.append({name, item->sceneBoundingRect().adjusted(1, 1, -1, -1)});
            for (qsizetype j = 0; j + 1 < shown.size(); ++j) {
                EXPECT_FALSE(shown[j].second.intersects(shown.back().second))
                    << name.toStdString() << " over " << shown[j].first.toStdString();
            }
        }
        const auto titled = [&](const QString& title) {
            return std::any_of(shown.begin(), shown.end(), [&](const auto& s) { return s.first == title; });
        };
        EXPECT_TRUE(titled(chart.BottomAxis().titleText()));
        EXPECT_TRUE(titled(chart.LeftAxis().titleText()));
    }
}

TEST_F(ItemModifyResultsTest, ClearedChartNamesThePriceListsCurrency) {
    Stop();
    testing_support::WriteFile(ProgramFolder() / "PRICE.TXT", "2031 12 31\n\"EUR\"\n\"mwshell_15_20\" 10\n\"END\" 0\n");
    Start();
    TItem item = WithPoints();
    auto form = Open(item);
    const std::string cost = LanguageList->GetString("IDS_LEFTAXISTEXT");
    EXPECT_EQ(FromQString(form->Chart().LeftAxis().titleText()), cost + " [EUR/m]");
    Type(*form, "TubeLength", "60");
    EXPECT_EQ(FromQString(form->Chart().LeftAxis().titleText()), cost + " [EUR/m]");
    EXPECT_EQ(form->Chart().Count(), 0);
    TItem tank = Tank(CalcMode::Optimum);
    auto tankForm = Open(tank);
    Type(*tankForm, "CylinderLength", "2100");
    EXPECT_EQ(FromQString(tankForm->Chart().LeftAxis().titleText()), cost + " [EUR/m2]");
}

TEST_F(ItemModifyResultsTest, WithoutAPriceListOptimumIsNoChoice) {
    Stop();
    std::filesystem::remove(ProgramFolder() / "PRICE.TXT");
    Start();
    TItem item = WithPoints();
    item.ConstructionPrice = 77;
    auto form = Open(item);
    EXPECT_EQ(Combo(*form, "CalculationType").count(), 6);
    EXPECT_EQ(Combo(*form, "CalculationType").currentIndex(), -1);
    Type(*form, "ConstructionPrice", "99");
    ASSERT_TRUE(form->ReadControls());
    EXPECT_EQ(item.ConstructionPrice, 77);  // prices are not read
    Type(*form, "TubeLength", "60");
    EXPECT_EQ(FromQString(form->Chart().LeftAxis().titleText()),
              LanguageList->GetString("IDS_LEFTAXISTEXT") + " [Ft/m]");
}

TEST_F(ItemModifyResultsTest, ResultPageTakesTheRectanglesAspectOnANeverShownDialog) {
    TItem item = WithPoints();
    auto form = Open(item);
    QImage page(800, 400, QImage::Format_RGB32);
    page.fill(Qt::white);
    const QRect target(100, 50, 600, 300);
    {
        QPainter painter(&page);
        form->DrawResultPage(painter, target);
    }
    // 793 / 425 is not above 600 / 300: the height becomes 300 * 793 / 600.
    EXPECT_EQ(Find<QTabWidget>(*form, "CalculationPageControl").geometry(), QRect(0, 0, 793, 396));
    const auto [inside, outside] = NonWhite(page, target);
    EXPECT_GT(inside, 1000);
    EXPECT_EQ(outside, 0);
    EXPECT_EQ(form->Chart().Bars(0).brush().style(), Qt::FDiagPattern);
    EXPECT_EQ(form->Chart().Bars(1).brush().style(), Qt::BDiagPattern);

    // An empty rectangle draws nothing and changes nothing.
    auto other = Open(item);
    QImage blank(100, 100, QImage::Format_RGB32);
    blank.fill(Qt::white);
    {
        QPainter painter(&blank);
        other->DrawResultPage(painter, QRect(10, 10, 0, 50));
    }
    EXPECT_EQ(NonWhite(blank, blank.rect()).first, 0);
    EXPECT_EQ(Find<QTabWidget>(*other, "CalculationPageControl").geometry(), QRect(400, 168, 393, 257));
}

TEST_F(ItemModifyResultsTest, BigChartCopiesTheChartByPosition) {
    TItem item = WithPoints();
    auto form = Open(item);
    TBigChartForm big(form.get(), form->Chart());
    const TCostChart& copy = big.Chart();
    EXPECT_EQ(copy.Bars(0).objectName(), "Series1");
    EXPECT_EQ(copy.Bars(1).objectName(), "Series2");
    EXPECT_EQ(copy.Line().objectName(), "Series3");
    // Position 1 is the loss, whatever the series' name.
    EXPECT_EQ(Values(copy, &TCostChart::TPoint::Upper), (std::vector<double>{7, 3, 2}));
    EXPECT_EQ(copy.Bars(1).color(), QColor(Qt::red));
    EXPECT_EQ(copy.Bars(1).name(), form->Chart().Bars(1).name());
    EXPECT_EQ(Values(copy, &TCostChart::TPoint::Lower), (std::vector<double>{5, 8, 12}));
    EXPECT_EQ(copy.Line().points(), form->Chart().Line().points());
    EXPECT_TRUE(copy.MarksVisible());
    EXPECT_EQ(copy.Line().color(), form->Chart().Line().color());
    EXPECT_EQ(copy.BottomAxis().titleText(), form->Chart().BottomAxis().titleText());
    EXPECT_EQ(copy.LeftAxis().titleText(), form->Chart().LeftAxis().titleText());

    // The button opens it over the dialog.
    QTest::mouseClick(&Find<QAbstractButton>(*form, "BigChartSpeedButton"), Qt::LeftButton);
    EXPECT_EQ(ModalForms.back(), "BigChartForm");
}

TEST_F(ItemModifyResultsTest, StandardTubesGiveTheChosenSize) {
    TItem item = Pipe();
    auto form = Open(item);
    SetModalRunner([&](TForm& dialog) {
        auto& tubes = dynamic_cast<TStandardTubesForm&>(dialog);
        EXPECT_EQ(tubes.parent(), form.get());  // opens on top of the calculation dialog
        auto& tree = *tubes.FindComponentAs<QTreeWidget>("TreeView");
        auto& ok = *tubes.FindComponentAs<QPushButton>("OK");
        EXPECT_FALSE(ok.isEnabled());
        QTreeWidgetItem* type = tree.topLevelItem(0);
        tree.setCurrentItem(type->child(0));
        EXPECT_TRUE(ok.isEnabled());
        tree.setCurrentItem(type);
        EXPECT_FALSE(ok.isEnabled());
        tubes.OKClick();  // a type is no size: nothing happens
        EXPECT_EQ(tubes.ModalResult(), mrNone);
        tree.setCurrentItem(type->child(0));
        emit tree.itemDoubleClicked(type->child(0), 0);
        return tubes.ModalResult();
    });
    QTest::mouseClick(&Find<QPushButton>(*form, "StandardTubesButton"), Qt::LeftButton);
    // The pipes' first type; the data base may list ducts before it.
    const auto& types = StandardTubeTypes->Items;
    const auto pipes = std::find_if(types.begin(), types.end(), [](const TTubeItem& t) { return t.AirCanal == 0; });
    ASSERT_NE(pipes, types.end());
    const TTubeItem& first = *pipes;
    EXPECT_EQ(Text(*form, "Tubed1"), FloatToStrG(first.SubItems[0].db, 4));
    EXPECT_EQ(Text(*form, "Tubed2"), FloatToStrG(first.SubItems[0].dk, 4));
    EXPECT_EQ(Text(*form, "GeometryHeatConditionFactor"), FloatToStrG(first.HeatConditionFactor, 4));
}
