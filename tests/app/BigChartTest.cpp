// The enlarged chart: a copy of the calculation dialog's cost chart.

#include "app/BigChart.h"

#include "app/CostChart.h"
#include "app/ItemModifyFixture.h"

#include <QAbstractButton>
#include <QTest>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <vector>

namespace {

class BigChartTest : public ItemModifyFixture {
protected:
    void SetUp() override {
        ItemModifyFixture::SetUp();
        StartWithData();
    }
};

}  // namespace

TEST_F(BigChartTest, CopiesTheChartByPosition) {
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
    EXPECT_FALSE(copy.MarkTexts().isEmpty());
    EXPECT_EQ(copy.Line().color(), form->Chart().Line().color());
    EXPECT_EQ(copy.BottomAxis().titleText(), form->Chart().BottomAxis().titleText());
    EXPECT_EQ(copy.LeftAxis().titleText(), form->Chart().LeftAxis().titleText());

    // The button opens it over the dialog.
    QTest::mouseClick(&Find<QAbstractButton>(*form, "BigChartSpeedButton"), Qt::LeftButton);
    EXPECT_EQ(ModalForms.back(), "BigChartForm");
}

TEST_F(BigChartTest, ACalculationWithoutPointsGivesThreeEmptySeries) {
    TItem item = Pipe();
    auto form = Open(item);
    TBigChartForm big(form.get(), form->Chart());
    EXPECT_EQ(big.Chart().Count(), 0);
    EXPECT_EQ(big.Chart().Line().count(), 0);
}
