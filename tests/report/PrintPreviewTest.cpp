// The preview window and its go-to-page dialog.
#include "report/ReportTestSupport.h"

#include "report/GotoPage.h"
#include "report/PrintPreview.h"

#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QPixmap>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace report_testing;

namespace {

class PrintPreviewTest : public ReportFixture {
protected:
    // A previewed report of `count` pages.
    std::unique_ptr<TItemReport> Job(int count) {
        project_ = std::make_unique<TProject>(MakeProject(count));
        rows_ = std::make_unique<TRows>(count);
        auto job = std::make_unique<TItemReport>(*project_, *rows_, true, TRect{20, 20, 15, 20}, options, title);
        Prepare(*job);
        job->Preview(nullptr);
        return job;
    }
    static QAction& Action(TPrintPreviewForm& form, const char* name) {
        return *form.FindComponentAs<QAction>(QString::fromLatin1(name));
    }
    static std::vector<bool> Navigation(TPrintPreviewForm& form) {
        std::vector<bool> enabled;
        for (const char* name : {"First", "Previous", "Next", "Last"}) enabled.push_back(Action(form, name).isEnabled());
        return enabled;
    }
    // The go-to dialog answers with this text and OK.
    void AnswerGoTo(const QString& text) {
        SetModalRunner([text](TForm& form) {
            form.FindComponentAs<QLineEdit>(QStringLiteral("PageNumber"))->setText(text);
            form.FindComponentAs<QPushButton>(QStringLiteral("OK"))->click();
            return form.ModalResult();
        });
    }

private:
    std::unique_ptr<TProject> project_;
    std::unique_ptr<TRows> rows_;
};

}  // namespace

TEST_F(PrintPreviewTest, OnePageReportDisablesNavigation) {
    const auto job = Job(1);
    TPrintPreviewForm form(nullptr, *job);
    EXPECT_EQ(form.FindComponentAs<QLabel>(QStringLiteral("PageNumber"))->text(), QStringLiteral("  1/1"));
    EXPECT_EQ(Navigation(form), (std::vector<bool>{false, false, false, false}));
}

TEST_F(PrintPreviewTest, ZoomCarriesOverToTheNextPreview) {
    const auto job = Job(2);
    {
        TPrintPreviewForm form(nullptr, *job);
        EXPECT_EQ(form.Zoom(), 100);
        QComboBox& zoom = *form.FindComponentAs<QComboBox>(QStringLiteral("ZoomComboBox"));
        ASSERT_EQ(zoom.count(), 7);
        EXPECT_EQ(zoom.itemText(6), QStringLiteral("400%"));
        zoom.setCurrentIndex(6);
        emit zoom.activated(6);
        EXPECT_EQ(form.Zoom(), 400);
        EXPECT_EQ(form.FindComponentAs<QWidget>(QStringLiteral("PageImage"))->width(), 793 * 4);
    }
    TPrintPreviewForm next(nullptr, *job);
    EXPECT_EQ(next.Zoom(), 400);
    PreviewZoomIndex = 3;
}

TEST_F(PrintPreviewTest, NavigationAndGoToPage) {
    const auto job = Job(5);
    TPrintPreviewForm form(nullptr, *job);
    Action(form, "Last").trigger();
    EXPECT_EQ(form.CurrentPage(), 4);
    Action(form, "Previous").trigger();
    Action(form, "Previous").trigger();
    EXPECT_EQ(form.CurrentPage(), 2);
    EXPECT_EQ(Navigation(form), (std::vector<bool>{true, true, true, true}));
    AnswerGoTo(QStringLiteral("3"));
    Action(form, "Number").trigger();
    EXPECT_EQ(form.CurrentPage(), 2);
    AnswerGoTo(QStringLiteral("5"));
    Action(form, "Number").trigger();
    EXPECT_EQ(form.CurrentPage(), 4);
    EXPECT_EQ(form.FindComponentAs<QLabel>(QStringLiteral("PageNumber"))->text(), QStringLiteral("  5/5"));
    EXPECT_EQ(Navigation(form), (std::vector<bool>{true, true, false, false}));
}

TEST_F(PrintPreviewTest, PrintPlacesThePageShownOnTheWholeSheet) {
    // Qt's PDF layout at 1200 dpi: A4 with printable-area offsets of 167 pixels.
    printer.sheet = {9921, 14031, 167, 167, 210, 297, 1200};
    const auto job = Job(3);
    TPrintPreviewForm form(nullptr, *job);
    Action(form, "Next").trigger();
    Action(form, "Print").trigger();
    EXPECT_TRUE(printer.ended);
    ASSERT_EQ(printer.pages.size(), 1u);
    ASSERT_EQ(printer.pages[0]->stretches.size(), 1u);
    EXPECT_EQ(printer.pages[0]->stretches[0].Rect, (TRect{-167, -167, 9921 - 167, 14031 - 167}));
}

TEST_F(PrintPreviewTest, GoToIgnoresPagesOutOfRangeAndReportsNonNumbers) {
    TGotoPageForm form(nullptr, 5, 2);
    QLineEdit& edit = *form.FindComponentAs<QLineEdit>(QStringLiteral("PageNumber"));
    QPushButton& ok = *form.FindComponentAs<QPushButton>(QStringLiteral("OK"));
    EXPECT_EQ(edit.text(), QStringLiteral("2"));
    for (const char* text : {"0", "6", "-1"}) {
        edit.setText(QString::fromLatin1(text));
        ok.click();
        EXPECT_EQ(form.ModalResult(), mrNone) << text;
    }
    EXPECT_TRUE(Boxes.empty());
    edit.setText(QStringLiteral("x"));
    ok.click();
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].Text, "'x' is not a valid integer value");
    EXPECT_EQ(form.ModalResult(), mrNone);
    EXPECT_EQ(form.PageNumber(), 2);
    edit.setText(QStringLiteral("4"));
    ok.click();
    EXPECT_EQ(form.ModalResult(), mrOk);
    EXPECT_EQ(form.PageNumber(), 4);
}

TEST_F(PrintPreviewTest, PageImageShowsTheCurrentPageAtTheZoom) {
    const TProject project = MakeProject(1);
    TRows rows(1);
    TItemReport job(project, rows, true, {20, 20, 15, 20}, options, title);
    job.ScreenPixelsPerInch = 96;
    job.ProductLineSource = [] { return std::string(); };
    job.Preview(nullptr);
    PreviewZoomIndex = 1;  // 50 %
    TPrintPreviewForm form(nullptr, job);
    PreviewZoomIndex = 3;
    QWidget& image = *form.FindComponentAs<QWidget>(QStringLiteral("PageImage"));
    EXPECT_EQ(image.size(), QSize(793 / 2, 1122 / 2));
    const QImage shown = image.grab().toImage();
    int green = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < shown.width(); ++x) green += shown.pixel(x, y) == qRgb(40, 160, 40);
    EXPECT_GT(green, 100);  // the header band, half size
}
