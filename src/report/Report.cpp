#include "report/Report.h"

#include "app/About.h"
#include "platform/base/Printer.h"
#include "platform/base/StringStream.h"
#include "platform/ui/CursorWait.h"
#include "platform/ui/QtCanvas.h"
#include "platform/ui/QtPrinter.h"
#include "project/ProgramOptions.h"
#include "project/Project.h"
#include "report/Rtfprint.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include <algorithm>
#include <climits>
#include <cmath>
#include <optional>
#include <utility>

namespace {

constexpr double kInchesPerMm = 0.039370078740157482516;

int Clamp(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }
std::int64_t Trunc(double v) {
    constexpr double kLimit = 9.0e18;
    return v <= -kLimit ? std::int64_t(-kLimit) : v >= kLimit ? std::int64_t(kLimit) : static_cast<std::int64_t>(v);
}

// The margins' device edges kept on the sheet (any margin the options hold
// is taken; a negative one reaches the sheet's edge), then moved into the
// canvas's coordinates, whose origin is the printable area's corner.
TRect WorkArea(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom, int width, int height,
               int offsetX, int offsetY) {
    left = std::clamp<std::int64_t>(left, 0, width);
    right = std::clamp<std::int64_t>(right, left, std::max<std::int64_t>(left, width));
    top = std::clamp<std::int64_t>(top, 0, height);
    bottom = std::clamp<std::int64_t>(bottom, top, std::max<std::int64_t>(top, height));
    return {Clamp(left - offsetX), Clamp(top - offsetY), Clamp(right - offsetX), Clamp(bottom - offsetY)};
}

std::unique_ptr<TGraphic> LoadLogo(const char* resource) {
    // A picture that can't be read stays empty: the page frame goes without it.
    return std::make_unique<TQtGraphic>(QImage(QString::fromLatin1(resource)));
}

int ScreenDensity() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? std::max(1, qRound(screen->logicalDotsPerInchY())) : 96;
}

}  // namespace

TReportJob::TReportJob(const TProject& project, const IItemSelection& list, bool allItems, const TRect& marginsMm,
                       const TPrintingOptionSet& options, std::string title)
    : PageMaker([](int width, int height, int ppi) { return std::make_unique<TPicturePage>(width, height, ppi); }),
      ScreenPixelsPerInch(ScreenDensity()),
      ProductLineSource([] { return TAboutBox().RtfProductLine(); }),
      project_(project),
      list_(list),
      allItems_(allItems),
      printer_(Printer()),
      marginsMm_(marginsMm),
      options_(options),
      title_(std::move(title)),
      headerLogo_(LoadLogo(":/report/HEADERLOGO.png")),
      footerLogo_(LoadLogo(":/report/LOGO.png")) {
    reportFont_ = printer_.CanvasFont();
    TFontSetting(TFontSetting::kReportFont).AssignToFont(reportFont_);
    const TPrinterSheet sheet = printer_.Sheet();
    paperWidth_ = sheet.PaperWidthMm;
    paperHeight_ = sheet.PaperHeightMm;
}

TReportJob::~TReportJob() = default;

void TReportJob::Print(QWidget* ownerForm) {
    ownerForm_ = ownerForm;
    preview_ = false;
    const TPrinterSheet sheet = printer_.Sheet();
    pageWidth_ = sheet.PhysicalWidth;
    pageHeight_ = sheet.PhysicalHeight;
    const std::int64_t w = pageWidth_, h = pageHeight_;
    const auto px = [](std::int64_t mm, std::int64_t size, std::int64_t paper) { return paper != 0 ? mm * size / paper : 0; };
    pageRect_ = WorkArea(px(marginsMm_.Left, w, paperWidth_), px(marginsMm_.Top, h, paperHeight_),
                         w - px(marginsMm_.Right, w, paperWidth_), h - px(marginsMm_.Bottom, h, paperHeight_),
                         pageWidth_, pageHeight_, sheet.PhysicalOffsetX, sheet.PhysicalOffsetY);
    workRect_ = pageRect_;
    Run();
}

void TReportJob::Preview(QWidget* ownerForm) {
    ownerForm_ = ownerForm;
    preview_ = true;
    pages_.clear();
    const double p = ScreenPixelsPerInch;
    pageWidth_ = Clamp(Trunc(p * paperWidth_ * kInchesPerMm));
    pageHeight_ = Clamp(Trunc(p * paperHeight_ * kInchesPerMm));
    pageRect_ = WorkArea(Trunc(p * marginsMm_.Left * kInchesPerMm), Trunc(p * marginsMm_.Top * kInchesPerMm),
                         Trunc(pageWidth_ - p * marginsMm_.Right * kInchesPerMm),
                         Trunc(pageHeight_ - p * marginsMm_.Bottom * kInchesPerMm), pageWidth_, pageHeight_, 0, 0);
    workRect_ = pageRect_;
    Run();
}

void TReportJob::Run() {
    currentIndex_ = -1;
    pending_ = TPending::None;
    pageCount_ = 0;
    productLineFetched_ = false;
    std::optional<TCursorWait> hourglass;
    try {
        TBlockResult result = PageFull;
        for (;;) {
            if (result == PageFull) {
                StartPage();
                if (!hourglass) hourglass.emplace();
            }
            if (pending_ == TPending::None && !NextItem()) break;
            result = DrawBlock(ItemBlock, CurrentCanvas(), workRect_);
            if (result == StopReport) break;
        }
        EndPage();
        if (!preview_) printer_.EndDoc();
    } catch (...) {
        if (!preview_ && printer_.Printing()) printer_.Abort();
        currentPage_.reset();
        throw;
    }
}

void TReportJob::StartPage() {
    ++pageCount_;
    if (pageCount_ > 1) EndPage();
    if (preview_) {
        currentPage_ = PageMaker(pageWidth_, pageHeight_, ScreenPixelsPerInch);
    } else if (pageCount_ == 1) {
        printer_.BeginDoc();
    } else {
        printer_.NewPage();
    }
    workRect_ = pageRect_;
    pagePlaced_ = false;
    TCanvas& canvas = CurrentCanvas();
    DrawBlock(HeaderBlock, canvas, workRect_);
    if (pageCount_ == 1) {
        const TBlockResult result = DrawBlock(ProjectDataBlock, canvas, workRect_);
        pagePlaced_ = result == BlockDone && Has(TPrintingOption::ProjektData);
    }
    footerHeight_ = FooterHeight();
    workRect_.Bottom = Clamp(std::int64_t(workRect_.Bottom) - footerHeight_);
}

void TReportJob::EndPage() {
    workRect_.Top = workRect_.Bottom;
    workRect_.Bottom = Clamp(std::int64_t(workRect_.Top) + footerHeight_);
    DrawBlock(FooterBlock, CurrentCanvas(), workRect_);
    if (preview_ && currentPage_) {
        currentPage_->Close();
        pages_.push_back(std::move(currentPage_));
    }
}

bool TReportJob::NextItem() {
    do {
        ++currentIndex_;
        if (currentIndex_ >= list_.Count() || currentIndex_ >= project_.ItemCount()) return false;
    } while (!allItems_ && !list_.Selected(currentIndex_));
    currentItem_ = &project_.Items[static_cast<std::size_t>(currentIndex_)];
    pending_ = TPending::Fetched;
    return true;
}

TCanvas& TReportJob::CurrentCanvas() { return preview_ ? currentPage_->Canvas() : printer_.Canvas(); }

namespace {

// The report font at the canvas's own density.
void SetReportFont(TCanvas& canvas, const TFont& font) {
    const int ppi = canvas.Font().PixelsPerInch();
    canvas.Font() = font;
    canvas.Font().SetPixelsPerInch(ppi);
}

}  // namespace

TReportJob::TBlockResult TReportJob::RenderRTF(TCanvas& canvas, TRect& rect, TStringStream& stream,
                                               bool stopAfterParagraph, bool mustPlace) {
    RTFPrint print(reportFont_.Name(), reportFont_.Size());
    SetReportFont(canvas, reportFont_);
    while (stream.Position() + 1 < stream.Size()) {
        TRect trial = rect;
        const std::int64_t start = stream.Position();
        print.MeasureOnly = true;
        print.Render(canvas, trial, stream, stopAfterParagraph);
        stream.SetPosition(start);
        if (trial.Bottom < trial.Top && !mustPlace) return PageFull;
        print.MeasureOnly = false;
        print.Render(canvas, rect, stream, stopAfterParagraph);
    }
    return BlockDone;
}

int TReportJob::MeasureRTF(TCanvas& canvas, const TRect& rect, TStringStream& stream) {
    RTFPrint print(reportFont_.Name(), reportFont_.Size());
    SetReportFont(canvas, reportFont_);
    TRect trial = rect;
    print.MeasureOnly = true;
    print.Render(canvas, trial, stream);
    return Clamp(std::int64_t(trial.Top) - rect.Top);
}

std::string TReportJob::RightTabStop() const {
    const std::int64_t width = std::int64_t(workRect_.Right) - workRect_.Left;
    const std::int64_t twips = pageWidth_ != 0 ? width * paperWidth_ / pageWidth_ * 14400 / 254 : 0;
    return "\\tqr\\tx" + std::to_string(Clamp(twips - 180)) + " ";
}

int TReportJob::MmToPx(int mm) {
    return Clamp(Trunc(mm * double(CurrentCanvas().Font().PixelsPerInch()) * kInchesPerMm));
}

bool TReportJob::HasRoomMm(const TRect& rect, int mm) {
    return MmToPx(mm) < std::int64_t(rect.Bottom) - rect.Top;
}
