#pragma once
// The report job: a project as pages, straight onto the printer or into one
// page picture each for the preview. The job owns the page frame (header with
// title, page number, logo and band; footer with logo, bands, file name, date
// and the product line; the project data on page 1) and places text blocks
// whole or not at all; TItemReport prints one item per turn.

#include "platform/base/Canvas.h"
#include "project/ClipboardStream.h"
#include "report/PrintingOptions.h"
#include "report/ReportPage.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class IItemSelection;
class QWidget;
class TItem;
class TPrinter;
class TProject;
class TStringStream;

// Makes a preview page of width x height pixels at the given density.
using TPageMaker = std::function<std::unique_ptr<TReportPage>(int width, int height, int pixelsPerInch)>;

class TReportJob {
public:
    enum TBlockKind { ProjectDataBlock = 0, HeaderBlock = 1, FooterBlock = 2, ItemBlock = 3 };
    enum TBlockResult { BlockDone = 0, PageFull = 1, StopReport = 2 };
    // Where the item in hand is: none, fetched by NextItem, or its text
    // prepared for drawing.
    enum class TPending : std::uint8_t { None = 0, Fetched = 1, Prepared = 2 };

    // marginsMm: left, top, right and bottom margins in millimetres;
    // `options` say what the page frame shows, `title` heads every page.
    // Takes the installed printer, its sheet and canvas font with the report
    // font applied, and the logos. The project and list must outlive the
    // job; the list has one row per project item, in project order.
    TReportJob(const TProject& project, const IItemSelection& list, bool allItems, const TRect& marginsMm,
               const TPrintingOptionSet& options, std::string title);
    virtual ~TReportJob();
    TReportJob(const TReportJob&) = delete;
    TReportJob& operator=(const TReportJob&) = delete;

    // Run the whole report once. An error ends the run: a begun printer
    // document is aborted, the cursor restored, and the error goes on.
    void Print(QWidget* ownerForm);
    void Preview(QWidget* ownerForm);

    // Places the rest of the stream whole: BlockDone, or PageFull with
    // nothing drawn when it would pass the rectangle's bottom. With
    // `mustPlace` it is drawn even then.
    TBlockResult RenderRTF(TCanvas& canvas, TRect& rect, TStringStream& stream, bool stopAfterParagraph = false,
                           bool mustPlace = false);
    // The height the rest of the stream takes; the stream is left at its end.
    int MeasureRTF(TCanvas& canvas, const TRect& rect, TStringStream& stream);
    // "\tqr\tx<twips> ": a right tab 180 twips before the work area's right edge.
    std::string RightTabStop() const;
    int MmToPx(int mm);
    // MmToPx(mm) is less than the rectangle's height.
    bool HasRoomMm(const TRect& rect, int mm);
    // The current page's canvas in preview, else the printer's.
    TCanvas& CurrentCanvas();

    // For the preview window: the sheet in pixels and the kept pages.
    int PageWidth() const { return pageWidth_; }
    int PageHeight() const { return pageHeight_; }
    int PageCount() const { return static_cast<int>(pages_.size()); }
    const TReportPage& Page(int index) const { return *pages_.at(static_cast<std::size_t>(index)); }
    const TProject& Project() const { return project_; }
    // The margins rectangle in device pixels.
    const TRect& PageRect() const { return pageRect_; }

    // Where preview pages come from; pictures unless a test puts its own.
    TPageMaker PageMaker;
    // The preview's density: the screen's.
    int ScreenPixelsPerInch;
    // The product line of the footer, fetched once per run; the about box's
    // unless a test puts its own.
    std::function<std::string()> ProductLineSource;

protected:
    virtual bool NextItem();
    virtual TBlockResult DrawBlock(TBlockKind kind, TCanvas& canvas, TRect& rect);

    const TProject& project_;
    QWidget* ownerForm_ = nullptr;
    TPending pending_ = TPending::None;
    const TItem* currentItem_ = nullptr;
    TPrintfStringStream itemText_;
    // Something (project data, an item's text or chart) stands on the page
    // below its header: a block that doesn't fit may move to the next page.
    bool pagePlaced_ = false;

private:
    bool Has(TPrintingOption option) const { return options_.Contains(option); }
    void Run();
    void StartPage();
    void EndPage();
    int FooterHeight();
    const std::string& ProductLine();
    std::string FooterLine() const;
    void DrawHeader(TCanvas& canvas, TRect& rect);
    TBlockResult DrawFooter(TCanvas& canvas, TRect& rect);
    TBlockResult RenderText(TCanvas& canvas, TRect& rect, std::string text);

    const IItemSelection& list_;
    bool allItems_;
    int currentIndex_ = -1;
    TPrinter& printer_;
    TFont reportFont_;
    int pageWidth_ = 0;
    int pageHeight_ = 0;
    int paperWidth_ = 0;
    int paperHeight_ = 0;
    TRect marginsMm_;
    TPrintingOptionSet options_;
    std::string title_;
    TRect workRect_;
    TRect pageRect_;
    std::unique_ptr<TGraphic> headerLogo_;
    std::unique_ptr<TGraphic> footerLogo_;
    bool preview_ = false;
    std::vector<std::unique_ptr<TReportPage>> pages_;
    std::unique_ptr<TReportPage> currentPage_;
    int pageCount_ = 0;
    int footerHeight_ = 0;
    std::string productLine_;
    bool productLineFetched_ = false;
};

// Draws an item's cost chart into a rectangle of the canvas: the installed
// drawer's, else DrawItemChart.
using TDiagramDrawer = std::function<void(const TItem& item, QWidget* owner, TCanvas& canvas, const TRect& rect)>;
void DrawDiagram(const TItem& item, QWidget* owner, TCanvas& canvas, const TRect& rect);
// Installs a drawer in place of the calculation dialog's chart; an empty one
// restores it. Returns the previous one.
TDiagramDrawer SetDiagramDrawer(TDiagramDrawer drawer);
// The calculation dialog's chart, built on a copy of the item and drawn
// straight onto the canvas's painter; a canvas without one draws nothing.
void DrawItemChart(const TItem& item, QWidget* owner, TCanvas& canvas, const TRect& rect);

// The job the print dialog runs: each item's report rows and, for an
// Optimum item, its cost chart 120 x 60 mm, 1 mm below the text. Every item
// after the first starts a new page.
class TItemReport : public TReportJob {
public:
    using TReportJob::TReportJob;

protected:
    TBlockResult DrawBlock(TBlockKind kind, TCanvas& canvas, TRect& rect) override;

private:
    int itemCounter_ = 0;
    bool itemChartPending_ = false;
};
