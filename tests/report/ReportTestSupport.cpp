#include "report/ReportTestSupport.h"

#include "platform/ui/QtPrinter.h"

namespace report_testing {

void ReportFixture::SetUp() {
    AppFixture::SetUp();
    previousPrinter_ = SetPrinter(&printer);
    previousDrawer_ = SetDiagramDrawer([this](const TItem& item, QWidget*, TCanvas& canvas, const TRect& rect) {
        charts.push_back({item.Name, rect, pagesMade_ - 1});
        const TColor previous = canvas.BrushColor();
        canvas.SetBrushColor(RGB(200, 0, 0));
        canvas.FillRect(rect);
        canvas.SetBrushColor(previous);
    });
    SetOptions(true, true, true, true);
}

void ReportFixture::TearDown() {
    SetDiagramDrawer(std::move(previousDrawer_));
    SetPrinter(previousPrinter_);
    AppFixture::TearDown();
}

TProject ReportFixture::MakeProject(int count, const std::string& optimum) {
    TProject project;
    project.FileName = "C:\\Projects\\plant.kvr";
    project.Address.Add("Main street 1");
    for (int i = 0; i < count; ++i) {
        TItem item;
        const char letter = static_cast<char>('A' + i);
        item.Name = std::string("Item") + letter;
        if (optimum.find(letter) != std::string::npos) item.CalculationType = CalcMode::Optimum;
        project.Items.push_back(item);
    }
    return project;
}

void ReportFixture::SetOptions(bool projektData, bool projektName, bool pageNumber, bool date) {
    options.Set(TPrintingOption::ProjektData, projektData);
    options.Set(TPrintingOption::ProjektName, projektName);
    options.Set(TPrintingOption::PageNumber, pageNumber);
    options.Set(TPrintingOption::Date, date);
}

void ReportFixture::Prepare(TReportJob& job) {
    pagesMade_ = 0;
    job.ScreenPixelsPerInch = 96;
    job.ProductLineSource = [] { return std::string("\\sb144\\f4\\fs16 Product 1.00"); };
    job.PageMaker = [this](int width, int height, int ppi) {
        ++pagesMade_;
        return std::make_unique<TFakePage>(ppi, width, height);
    };
}

const TFakeCanvas& ReportFixture::PageCanvas(const TReportJob& job, int page) {
    return dynamic_cast<const TFakePage&>(job.Page(page)).canvas;
}

int ReportFixture::PageOf(const TReportJob& job, const std::string& text) {
    for (int page = 0; page < job.PageCount(); ++page) {
        if (PageCanvas(job, page).AllText().find(text) != std::string::npos) return page;
    }
    return -1;
}

}  // namespace report_testing
