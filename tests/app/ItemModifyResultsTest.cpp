// The calculation dialog's results: Calculate, the warning colours, the cost
// chart, enlarged and on a report page.

#include "app/ItemModifyFixture.h"

#include "app/BigChart.h"
#include "app/CostChart.h"
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
#include <QtCharts/QAreaSeries>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

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

    // Water at 5 degC in air of 25 degC and 80 %.
    static TItem ColdPipe(float thickness) {
        TItem item = Pipe();
        item.Medium.Temperature = 5;
        item.AirTemperature = 25;
        item.AirHumidity = 80;
        item.Isolation.Thickness = thickness;
        return item;
    }
    // Air at 40 degC and `humidity` in a duct 1 mm thick, in air of -10 degC.
    static TItem HumidDuct(float humidity) {
        TItem item = Duct(GeometryType::SquareCanal);
        item.InsideHumidity = humidity;
        item.AirTemperature = -10;
        item.Isolation.Thickness = 1;
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

TEST_F(ItemModifyResultsTest, EveryApplicationAndTypeShowsItsResults) {
    using Value = double (*)(const TItem&);
    const struct {
        const char* label;
        int digits;
        Value value;
    } always[] = {
        {"IsolationHeatConditionFactor", 3, [](const TItem& i) -> double { return i.Isolation.IsolationLambda; }},
        {"k", 3, [](const TItem& i) -> double { return i.KValue; }},
        {"InsideWallTemperature", 4, [](const TItem& i) -> double { return i.InsideWallTemperature; }},
        {"OutsideSaturatedTemperature", 4, [](const TItem& i) -> double { return i.AirDewPoint; }},
        {"SpecificPowerloss", 4, [](const TItem& i) -> double { return std::fabs(i.SpecificLoss); }},
        {"Powerloss", 4, [](const TItem& i) -> double { return std::fabs(i.Loss) * 0.001; }},
        {"Speed2", 3, [](const TItem& i) -> double { return i.Velocity; }},
        {"InsideAlpha2", 4, [](const TItem& i) -> double { return i.InsideAlpha; }},
        {"OutsideAlpha2", 4, [](const TItem& i) -> double { return i.OutsideAlpha; }},
    };
    // Each shown by every type but one.
    const struct {
        const char* label;
        Value value;
    } byType[] = {
        {"IsolationThickness2", [](const TItem& i) -> double { return i.Isolation.Thickness; }},
        {"OutsideWallTemperature2", [](const TItem& i) -> double { return i.SurfaceTemperature; }},
        {"EnergySave2", [](const TItem& i) -> double { return std::fabs(i.SavingRatio) * 100; }},
        {"OutTemperature2", [](const TItem& i) -> double { return i.OutletTemperature; }},
    };
    const char* const shownByType[] = {"0111", "1111", "1011", "1101", "1110", "1111", "1111"};
    const struct {
        const char* name;
        TItem (*make)(CalcMode);
        const char* kUnit;
        const char* lossUnit;
        const char* axisUnit;  // the chart's: per metre for both ducts too
    } applications[] = {
        {"pipe", [](CalcMode type) { return Pipe(type); }, " W/mK", " W/m", " [Ft/m]"},
        {"round duct", [](CalcMode type) { return Duct(GeometryType::RoundCanal, type); }, " W/mK", " W/m", " [Ft/m]"},
        {"rectangular duct", [](CalcMode type) { return Duct(GeometryType::SquareCanal, type); }, " W/m2K", " W/m2",
         " [Ft/m]"},
        {"tank", [](CalcMode type) { return Tank(type); }, " W/m2K", " W/m2", " [Ft/m2]"},
    };
    for (const auto& application : applications) {
        for (int type = 0; type <= 6; ++type) {
            SCOPED_TRACE(std::string(application.name) + " type " + std::to_string(type));
            TItem item = application.make(static_cast<CalcMode>(type));
            auto form = Open(item);
            Boxes.clear();
            form->CalculateClick();
            ASSERT_TRUE(Boxes.empty()) << Boxes[0].Text;
            TItem engine = item;
            ASSERT_TRUE(engine.Calculate());
            EXPECT_EQ(item, engine);
            for (const auto& row : always) {
                EXPECT_EQ(Text(*form, row.label), FloatToStrG(row.value(item), row.digits)) << row.label;
            }
            for (int i = 0; i < 4; ++i) {
                const bool shown = shownByType[type][i] == '1';
                EXPECT_EQ(Text(*form, byType[i].label), shown ? FloatToStrG(byType[i].value(item), 4) : "")
                    << byType[i].label;
            }
            const bool round = item.Geometry == GeometryType::Tube || item.Geometry == GeometryType::RoundCanal;
            EXPECT_EQ(Text(*form, "GeometryThickness2"), round ? FloatToStrG(item.WallThickness, 4) : "");
            EXPECT_EQ(Text(*form, "kDimension"), application.kUnit);
            EXPECT_EQ(Text(*form, "SpecificPowerlossDimension"), application.lossUnit);
            EXPECT_EQ(Text(*form, "InsideSaturatedTemperature"), "");  // no humid air inside
            EXPECT_EQ(Text(*form, "OptimalThickness"), FloatToStrG(item.Isolation.Thickness, 4) + " mm");
            EXPECT_EQ(Text(*form, "Suggestion"), item.Isolation.ResultText);
            EXPECT_FALSE(item.Isolation.ResultText.empty());
            EXPECT_EQ(form->Chart().Count(), type == 6 ? static_cast<int>(item.PriceDiagram.size()) : 0);
            EXPECT_EQ(FromQString(form->Chart().LeftAxis().titleText()),
                      LanguageList->GetString("IDS_LEFTAXISTEXT") + application.axisUnit);
        }
    }
}

TEST_F(ItemModifyResultsTest, WorkedPipesShowTheirDigitsUnitsAndSigns) {
    // 50 m of DN 100 steel pipe: the loss per metre times 50 is the loss in
    // kW, the saving a percentage; cold water gains heat, shown without sign.
    const struct {
        const char* label;
        const char* warm;  // water at 90 degC in air of 10 degC and 60 %, 80 mm
        const char* cold;  // water at 5 degC in air of 25 degC and 80 %, 60 mm
    } rows[] = {
        {"k", "0.26", "0.261"},  // the loss per metre over 80 and 20 K, 3 digits
        {"IsolationHeatConditionFactor", "0.038", "0.0345"},
        {"InsideWallTemperature", "89.94", "5.029"},
        {"OutsideWallTemperature2", "13.51", "22.31"},
        {"OutsideSaturatedTemperature", "2.599", "21.31"},
        {"SpecificPowerloss", "20.84", "5.216"},
        {"SpecificPowerlossDimension", " W/m", " W/m"},
        {"Powerloss", "1.041", "0.2605"},
        {"EnergySave2", "94.36", "85.63"},
        {"kDimension", " W/mK", " W/mK"},
        {"Speed2", "0.154", "0.154"},
        {"GeometryThickness2", "3.6", "3.6"},
    };
    TItem warm = Pipe();
    TItem cold = ColdPipe(60);
    auto warmForm = Open(warm);
    auto coldForm = Open(cold);
    Type(*warmForm, "IsolationThickness", "80");
    warmForm->CalculateClick();
    coldForm->CalculateClick();
    ASSERT_TRUE(Boxes.empty());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(Text(*warmForm, row.label), row.warm);
        EXPECT_EQ(Text(*coldForm, row.label), row.cold);
    }
}

TEST_F(ItemModifyResultsTest, AnEditClearsTheResults) {
    TItem item = Pipe();
    auto form = Open(item);
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

TEST_F(ItemModifyResultsTest, DewPointsTurnRedOnlyWhereTheWallIsColder) {
    const QColor normal = QApplication::palette().color(QPalette::WindowText);
    const struct {
        const char* name;
        TItem item;
        const char* label;
        bool red;
    } rows[] = {
        {"cold water, thin insulation", ColdPipe(1), "OutsideSaturatedTemperature", true},
        {"cold water, thick insulation", ColdPipe(60), "OutsideSaturatedTemperature", false},
        {"humid air inside, thin insulation", HumidDuct(90), "InsideSaturatedTemperature", true},
        {"dry air inside", HumidDuct(10), "InsideSaturatedTemperature", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        TItem item = row.item;
        auto form = Open(item);
        form->CalculateClick();
        ASSERT_TRUE(Boxes.empty()) << Boxes[0].Text;
        const QLabel& label = Label(*form, row.label);
        EXPECT_FALSE(label.text().isEmpty());
        EXPECT_EQ(label.palette().color(QPalette::WindowText), row.red ? QColor(Qt::red) : normal);
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
    // The report draws the chart of a dialog that is never shown.
    auto report = Open(item);
    report->CalculateClick();
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
        {"printed", [&]() -> TCostChart& { return printed(*report); }},
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
        int thicknessLabels = 0;
        for (const QGraphicsItem* item : chart.scene()->items()) {
            const auto* text = qgraphicsitem_cast<const QGraphicsTextItem*>(item);
            const QString name = text ? text->toPlainText() : QStringLiteral("mark");
            if (!item->isVisible() || name.isEmpty() || (!text && item->type() != TCostChart::kMarkType)) continue;
            EXPECT_FALSE(name.contains(QStringLiteral("...")) || name.contains(QChar(0x2026))) << name.toStdString();
            shown.append({name, item->sceneBoundingRect().adjusted(1, 1, -1, -1)});
            bool number = false;
            name.toDouble(&number);
            if (text && number && shown.back().second.top() > chart.chart()->plotArea().bottom()) ++thicknessLabels;
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
        // A scale to read the thicknesses from, not a lone label.
        EXPECT_GE(thicknessLabels, 3);
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
