// Report pages as pictures and as a PDF: what a user sees and prints.
#include "report/ReportTestSupport.h"

#include "platform/ui/QtPrinter.h"

#include <QFile>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace report_testing;

namespace {

class ReportPagesTest : public ReportFixture {
protected:
    void SetUp() override {
        ReportFixture::SetUp();
        SetOptions(true, true, false, true);
        SetDiagramDrawer([this](const TItem& item, QWidget* owner, TCanvas& canvas, const TRect& rect) {
            charts.push_back({item.Name, rect, 0});
            DrawItemChart(item, owner, canvas, rect);
        });
    }
    // The real picture pages of a preview at 96 pixels per inch.
    std::unique_ptr<TItemReport> Preview(const TProject& project) {
        rows_ = std::make_unique<TRows>(project.ItemCount());
        auto job = std::make_unique<TItemReport>(project, *rows_, true, TRect{20, 20, 15, 20}, options, title);
        job->ScreenPixelsPerInch = 96;
        job->ProductLineSource = [] { return std::string("\\sb144\\f4\\fs16 Product 1.00"); };
        job->Preview(nullptr);
        return job;
    }
    static QImage Render(const TReportJob& job, int page, int dpi) {
        QImage image(job.PageWidth(), job.PageHeight(), QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
        image.fill(Qt::white);
        QPainter painter(&image);
        job.Page(page).Play(painter, QRect(0, 0, job.PageWidth(), job.PageHeight()));
        return image;
    }
    static TProject OptimumProject() {
        TProject project = MakeProject(1, "A");
        project.Items[0].PriceDiagram = {{20, 500, 900}, {40, 800, 500}, {60, 1100, 350}};
        return project;
    }

private:
    std::unique_ptr<TRows> rows_;
};

// The first row from the bottom, at column x, of the colour; -1 when none.
int LowestRowOf(const QImage& image, int x, QRgb colour) {
    for (int y = image.height() - 1; y >= 0; --y)
        if (image.pixel(x, y) == colour) return y;
    return -1;
}

}  // namespace

TEST_F(ReportPagesTest, PageShowsBandsAndChart) {
    const auto job = Preview(OptimumProject());
    ASSERT_EQ(job->PageCount(), 1);
    const QImage image = Render(*job, 0, 96);
    // Header: the band left of the logo, 12 pixels high at 96 ppi, its bottom the logo's.
    EXPECT_EQ(image.pixel(80, 75 + 12 - 1), qRgb(40, 160, 40));
    EXPECT_EQ(image.pixel(80, 75 + 12 - 10), qRgb(255, 255, 255));
    // Footer: three bars side by side across the work area.
    const int third = (736 - 75) / 3;
    const int y = LowestRowOf(image, 80, qRgb(40, 160, 40));
    ASSERT_GT(y, 900);
    EXPECT_EQ(image.pixel(75 + third + 5, y), qRgb(112, 184, 144));
    EXPECT_EQ(image.pixel(75 + 2 * third + 5, y), qRgb(184, 224, 200));
    // The chart is drawn in its 120 x 60 mm box.
    ASSERT_EQ(charts.size(), 1u);
    const TRect box = charts[0].Rect;
    int ink = 0;
    for (int cy = box.Top; cy < box.Bottom; ++cy)
        for (int cx = box.Left; cx < box.Right; ++cx) ink += image.pixel(cx, cy) != qRgb(255, 255, 255);
    EXPECT_GT(ink, box.Width() * box.Height() / 50);
}

TEST_F(ReportPagesTest, PageCoversTheSameShareAtAnyDensity) {
    const auto job = Preview(OptimumProject());
    const QImage screen = Render(*job, 0, 96);
    const QImage printer = Render(*job, 0, 1200);
    for (const int x : {80, 300, 600}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(LowestRowOf(printer, x, qRgb(40, 160, 40)), LowestRowOf(screen, x, qRgb(40, 160, 40)));
        EXPECT_EQ(LowestRowOf(printer, x, qRgb(184, 224, 200)), LowestRowOf(screen, x, qRgb(184, 224, 200)));
    }
}

TEST_F(ReportPagesTest, PdfHoldsOnePageObjectPerPage) {
    TQtPrinter pdf;
    ASSERT_TRUE(pdf.NeedsOutputFile());
    EXPECT_EQ(pdf.Sheet().PaperWidthMm, 210);
    EXPECT_EQ(pdf.Sheet().PaperHeightMm, 297);
    const std::filesystem::path file = WorkFile("report.pdf");
    pdf.SetOutputFile(file);
    SetPrinter(&pdf);
    const TProject project = MakeProject(3, "B");
    TRows rows(3);
    TItemReport job(project, rows, true, {20, 20, 15, 20}, options, title);
    job.ProductLineSource = [] { return std::string("\\sb144\\f4\\fs16 Product 1.00"); };
    job.Print(nullptr);
    SetPrinter(&printer);
    QFile out(QString::fromStdString(file.string()));
    ASSERT_TRUE(out.open(QIODevice::ReadOnly));
    const QByteArray bytes = out.readAll();
    int pages = 0;
    for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0; at = bytes.indexOf("/Type /Page", at + 1))
        pages += at + 11 >= bytes.size() || bytes[at + 11] != 's';
    EXPECT_EQ(pages, 3);
}

TEST_F(ReportPagesTest, PdfTakesThePaperAndOrientationChosen) {
    TQtPrinter pdf;
    const std::vector<std::string> papers = pdf.Papers("");
    EXPECT_NE(std::find(papers.begin(), papers.end(), "A5"), papers.end());
    pdf.SetChoice({"", "A5", true});
    EXPECT_EQ(pdf.Choice(), (TPrinterChoice{"", "A5", true}));
    EXPECT_TRUE(pdf.NeedsOutputFile());
    EXPECT_EQ(pdf.Sheet().PaperWidthMm, 210);
    EXPECT_EQ(pdf.Sheet().PaperHeightMm, 148);
}

TEST_F(ReportPagesTest, FailedRunLeavesNoPdf) {
    TQtPrinter pdf;
    const std::filesystem::path file = WorkFile("broken.pdf");
    pdf.SetOutputFile(file);
    SetPrinter(&pdf);
    SetDiagramDrawer([](const TItem&, QWidget*, TCanvas&, const TRect&) { throw Exception("chart failed"); });
    const TProject project = MakeProject(2, "B");
    TRows rows(2);
    TItemReport job(project, rows, true, {20, 20, 15, 20}, options, title);
    job.ProductLineSource = [] { return std::string(); };
    EXPECT_THROW(job.Print(nullptr), Exception);
    SetPrinter(&printer);
    EXPECT_FALSE(pdf.Printing());
    EXPECT_FALSE(std::filesystem::exists(file));
}
