#pragma once
// A printer and preview pages that record what the report draws, a project
// of one-word item names, and a fixture that installs them.

#include "app/AppFixture.h"
#include "calc/Item.h"
#include "platform/base/Printer.h"
#include "project/Project.h"
#include "report/PrintingOptions.h"
#include "report/Report.h"
#include "support/FakeCanvas.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace report_testing {

using testing_support::TFakeCanvas;

class TFakePrinter : public TPrinter {
public:
    // A4 at 300 dpi, no offsets.
    TPrinterSheet sheet{2480, 3508, 0, 0, 210, 297, 300};
    std::vector<std::unique_ptr<TFakeCanvas>> pages;
    bool ended = false;
    bool aborted = false;
    // As the PDF output: a file must be named first.
    bool needsFile = false;
    std::filesystem::path file;

    // Two installed printers; the PDF file's papers are fewer.
    TPrinterChoice choice;
    std::vector<TPrinterChoice> documents;  // the choice at each BeginDoc

    std::string Name() const override {
        if (!choice.Printer.empty()) return choice.Printer;
        return file.empty() ? "Fake printer" : "Fake: " + file.string();
    }
    TPrinterSheet Sheet() const override { return sheet; }
    std::vector<std::string> Printers() const override { return {"Laser", "Plotter"}; }
    std::vector<std::string> Papers(const std::string& printer) const override {
        if (printer.empty()) return {"A4", "A5"};
        return {"A4", "A3", "Letter"};
    }
    TPrinterChoice Choice() const override { return choice; }
    void SetChoice(const TPrinterChoice& c) override { choice = c; }
    bool NeedsOutputFile() const override { return needsFile; }
    void SetOutputFile(const std::filesystem::path& path) override { file = path; }
    void BeginDoc() override {
        documents.push_back(choice);
        NewPage();
    }
    void NewPage() override { pages.push_back(std::make_unique<TFakeCanvas>(sheet.PixelsPerInch)); }
    void EndDoc() override { ended = true; }
    void Abort() override { aborted = true; }
    bool Printing() const override { return !pages.empty() && !ended && !aborted; }
    TCanvas& Canvas() override { return *pages.back(); }
};

class TFakePage : public TReportPage {
public:
    TFakePage(int ppi, int width, int height) : canvas(ppi, {0, 0, width, height}) {}
    TCanvas& Canvas() override { return canvas; }
    void Close() override {}
    void Play(QPainter&, const QRect&) const override {}
    void Draw(TCanvas& target, const TRect& rect) const override {
        target.StretchDraw(rect, testing_support::TFakeGraphic(canvas.clip.Width(), canvas.clip.Height()));
    }
    TFakeCanvas canvas;
};

// Rows of the print dialog's list: all unselected unless set.
class TRows : public IItemSelection {
public:
    explicit TRows(int count) : selected(static_cast<std::size_t>(count), false) {}
    int Count() const override { return static_cast<int>(selected.size()); }
    bool Selected(int index) const override { return selected[static_cast<std::size_t>(index)]; }
    std::vector<bool> selected;
};

struct TDrawnChart {
    std::string Item;
    TRect Rect;
    int Page;  // preview page being drawn, 0-based
};

class ReportFixture : public AppFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Items named "ItemA", "ItemB", ...; those whose letter is in `optimum`
    // are of type Optimum.
    static TProject MakeProject(int count, const std::string& optimum = "");
    // Sets exactly the options given.
    void SetOptions(bool projektData, bool projektName, bool pageNumber, bool date);
    // Fake pages, a fixed product line and 96 pixels per inch.
    void Prepare(TReportJob& job);
    static const TFakeCanvas& PageCanvas(const TReportJob& job, int page);
    // The page on which a text was drawn; -1 when on none.
    static int PageOf(const TReportJob& job, const std::string& text);

    TFakePrinter printer;
    std::vector<TDrawnChart> charts;
    // What the jobs are built with: every option on, no title, unless set.
    TPrintingOptionSet options;
    std::string title;

private:
    TPrinter* previousPrinter_ = nullptr;
    TDiagramDrawer previousDrawer_;
    int pagesMade_ = 0;
};

}  // namespace report_testing
