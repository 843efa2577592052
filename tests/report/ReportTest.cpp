// Page layout of the report on recording pages: which block lands on which
// page, where, and that nothing moves on for ever.
#include "report/ReportTestSupport.h"

#include <gtest/gtest.h>

using namespace report_testing;

namespace {

class ReportTest : public ReportFixture {
protected:
    // The preview of a project with the options' margins unless given.
    std::unique_ptr<TItemReport> Preview(const TProject& project, const TRows& rows, bool all = true,
                                         TRect margins = {20, 20, 15, 20}) {
        auto job = std::make_unique<TItemReport>(project, rows, all, margins, options, title);
        Prepare(*job);
        job->Preview(nullptr);
        return job;
    }
    static std::vector<std::string> PageNumbers(const TReportJob& job) {
        std::vector<std::string> numbers;
        for (int page = 0; page < job.PageCount(); ++page) {
            for (const auto& text : PageCanvas(job, page).texts)
                if (!text.Bytes.empty() && std::isdigit(static_cast<unsigned char>(text.Bytes[0])) &&
                    text.Y < job.PageRect().Top + 20)
                    numbers.push_back(text.Bytes);
        }
        return numbers;
    }
};

}  // namespace

TEST_F(ReportTest, EveryItemOnItsOwnPageAndOnlySelectedRows) {
    const TProject project = MakeProject(3);
    TRows rows(3);
    rows.selected = {true, false, true};
    struct Case {
        bool all;
        std::vector<std::string> numbers;
        std::vector<int> pages;  // of ItemA, ItemB, ItemC
    };
    for (const Case& c : {Case{true, {"1", "2", "3"}, {0, 1, 2}}, Case{false, {"1", "2"}, {0, -1, 1}}}) {
        SCOPED_TRACE(c.all);
        const auto job = Preview(project, rows, c.all);
        EXPECT_EQ(job->PageCount(), static_cast<int>(c.numbers.size()));
        EXPECT_EQ(PageNumbers(*job), c.numbers);
        EXPECT_EQ((std::vector<int>{PageOf(*job, "ItemA"), PageOf(*job, "ItemB"), PageOf(*job, "ItemC")}), c.pages);
        EXPECT_EQ(PageOf(*job, "Main street 1"), 0);
        for (int page = 0; page < job->PageCount(); ++page)
            EXPECT_NE(PageCanvas(*job, page).AllText().find("Product 1.00"), std::string::npos) << page;
    }
}

TEST_F(ReportTest, EmptyProjectIsOnePageWithItsFrame) {
    const TProject project = MakeProject(0);
    const auto job = Preview(project, TRows(0));
    ASSERT_EQ(job->PageCount(), 1);
    const TFakeCanvas& page = PageCanvas(*job, 0);
    EXPECT_NE(page.AllText().find("plant.kvr"), std::string::npos);
    EXPECT_NE(page.AllText().find("2004-02-03"), std::string::npos);
    EXPECT_EQ(page.stretches.size(), 2u);  // both logos
    // The product line closes the footer inside the bottom margin.
    ASSERT_FALSE(page.texts.empty());
    EXPECT_EQ(page.texts.back().Bytes, " 1.00");
    EXPECT_LE(page.texts.back().Y + page.texts.back().Font.Size() * 96 / 72, job->PageRect().Bottom);
}

TEST_F(ReportTest, OptimumChartBelowItsTextOrAloneAtTheTopOfTheNextPage) {
    const TProject project = MakeProject(2, "A");
    // Margins that leave less than 60 mm under the first item's text.
    SetOptions(true, true, false, true);
    for (const int bottom : {20, 100}) {
        SCOPED_TRACE(bottom);
        charts.clear();
        const auto job = Preview(project, TRows(2), true, {20, 20, 15, bottom});
        ASSERT_EQ(charts.size(), 1u);
        EXPECT_EQ(charts[0].Item, "ItemA");
        EXPECT_EQ(charts[0].Rect.Width(), 453);   // 120 mm at 96 ppi
        EXPECT_EQ(charts[0].Rect.Height(), 226);  // 60 mm
        if (bottom == 20) {
            EXPECT_EQ(charts[0].Page, 0);
            EXPECT_EQ(job->PageCount(), 2);
        } else {
            EXPECT_EQ(charts[0].Page, 1);
            // The header without a title line ends p / 5 below the margin; 1 mm gap.
            EXPECT_EQ(charts[0].Rect.Top, 75 + 19 + 3);
            EXPECT_EQ(PageOf(*job, "ItemB"), 2);
            EXPECT_EQ(job->PageCount(), 3);
        }
    }
}

TEST_F(ReportTest, FirstItemMovesWholeToPageTwoWhenProjectDataLeaveNoRoom) {
    TProject project = MakeProject(1);
    for (int i = 0; i < 60; ++i) project.Address.Add("line");
    const auto job = Preview(project, TRows(1));
    EXPECT_EQ(job->PageCount(), 2);
    EXPECT_EQ(PageOf(*job, "Main street 1"), 0);
    EXPECT_EQ(PageOf(*job, "ItemA"), 1);
}

TEST_F(ReportTest, BlocksTooTallForAnEmptyPageAreDrawnPastItsBottom) {
    // A work area of 25 mm holds no item text, and no chart.
    const TProject project = MakeProject(2, "A");
    const auto job = Preview(project, TRows(2), true, {20, 130, 15, 130});
    // Project data alone; ItemA's text past the bottom; its chart alone; ItemB.
    EXPECT_EQ(job->PageCount(), 4);
    EXPECT_EQ(PageOf(*job, "ItemA"), 1);
    ASSERT_EQ(charts.size(), 1u);
    EXPECT_EQ(charts[0].Page, 2);
    EXPECT_EQ(PageOf(*job, "ItemB"), 3);
    int lowest = 0;
    for (const auto& text : PageCanvas(*job, 1).texts) lowest = std::max(lowest, text.Y);
    EXPECT_GT(lowest, job->PageRect().Bottom);
}

TEST_F(ReportTest, PreviewGeometryOfA4At96PixelsPerInch) {
    const TProject project = MakeProject(0);
    const auto job = Preview(project, TRows(0));
    EXPECT_EQ(job->PageWidth(), 793);
    EXPECT_EQ(job->PageHeight(), 1122);
    // Right and bottom are trunc(page - p r k): 736 and 1046, not 737 and 1047.
    EXPECT_EQ(job->PageRect(), (TRect{75, 75, 736, 1046}));
    // (736 - 75) * 210 / 793 = 175 mm; 175 * 14400 / 254 = 9921 twips; - 180.
    EXPECT_EQ(job->RightTabStop(), "\\tqr\\tx9741 ");
}

TEST_F(ReportTest, MarginsKeepTheWorkAreaOnTheSheet) {
    printer.sheet = {4961, 7016, 100, 120, 210, 297, 600};
    struct Case {
        TRect margins;
        bool preview;
        TRect area;
    };
    const Case cases[] = {
        {{20, 20, 15, 20}, false, {472 - 100, 472 - 120, 4961 - 354 - 100, 7016 - 472 - 120}},
        {{99999, 99999, 99999, 99999}, false, {4961 - 100, 7016 - 120, 4961 - 100, 7016 - 120}},
        {{-50, -50, -50, -50}, false, {-100, -120, 4961 - 100, 7016 - 120}},
        {{99999, 99999, 99999, 99999}, true, {793, 1122, 793, 1122}},
        {{-50, -50, -50, -50}, true, {0, 0, 793, 1122}},
    };
    const TProject project = MakeProject(0);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.margins.Left << (c.preview ? " preview" : " print"));
        printer.pages.clear();
        printer.ended = false;
        TRows rows(0);
        TItemReport job(project, rows, true, c.margins, options, title);
        Prepare(job);
        c.preview ? job.Preview(nullptr) : job.Print(nullptr);
        EXPECT_EQ(job.PageRect(), c.area);
    }
}

TEST_F(ReportTest, PrintingDrawsOnePrinterPagePerReportPage) {
    const TProject project = MakeProject(3, "B");
    TRows rows(3);
    TItemReport job(project, rows, true, {20, 20, 15, 20}, options, title);
    Prepare(job);
    job.Print(nullptr);
    EXPECT_TRUE(printer.ended);
    ASSERT_EQ(printer.pages.size(), 3u);
    EXPECT_NE(printer.pages[1]->AllText().find("ItemB"), std::string::npos);
    // At 300 dpi the chart is 120 x 60 mm of printer pixels.
    ASSERT_EQ(charts.size(), 1u);
    EXPECT_EQ(charts[0].Rect.Width(), 1417);
    EXPECT_EQ(charts[0].Rect.Height(), 708);
}

TEST_F(ReportTest, TitleAndFileNamePrintAsTyped) {
    TProject project = MakeProject(0);
    project.FileName = "a{b}\\c.kvr";
    title = "Plant {north} \\b";
    const auto job = Preview(project, TRows(0));
    const std::string all = PageCanvas(*job, 0).AllText();
    EXPECT_NE(all.find("Plant {north} \\b"), std::string::npos);
    EXPECT_NE(all.find("a{b}\\c.kvr"), std::string::npos);
}

TEST_F(ReportTest, ErrorInTheMiddleAbortsTheDocument) {
    SetDiagramDrawer([](const TItem&, QWidget*, TCanvas&, const TRect&) { throw Exception("chart failed"); });
    const TProject project = MakeProject(2, "B");
    TRows rows(2);
    TItemReport job(project, rows, true, {20, 20, 15, 20}, options, title);
    Prepare(job);
    EXPECT_THROW(job.Print(nullptr), Exception);
    EXPECT_TRUE(printer.aborted);
    EXPECT_FALSE(printer.ended);
    EXPECT_THROW(job.Preview(nullptr), Exception);
}
