// The base job's blocks: page header, page footer and project data.
#include "report/Report.h"

#include "platform/base/Controls.h"
#include "platform/win/Clock.h"
#include "project/Project.h"

#include <climits>

namespace {

constexpr TColor kBandGreen = RGB(40, 160, 40);
constexpr TColor kFooterBands[] = {RGB(40, 160, 40), RGB(112, 184, 144), RGB(184, 224, 200)};
// The logos are drawn as if they had this many dots per inch.
constexpr int kLogoDpi = 300;

TSize LogoSize(const TGraphic& logo, int ppi) {
    return {static_cast<int>(std::int64_t(logo.Width()) * ppi / kLogoDpi),
            static_cast<int>(std::int64_t(logo.Height()) * ppi / kLogoDpi)};
}

void Fill(TCanvas& canvas, const TRect& rect, TColor color) {
    const TColor previous = canvas.BrushColor();
    canvas.SetBrushColor(color);
    canvas.FillRect(rect);
    canvas.SetBrushColor(previous);
}

}  // namespace

TReportJob::TBlockResult TReportJob::RenderText(TCanvas& canvas, TRect& rect, std::string text) {
    TPrintfStringStream stream(std::move(text));
    return RenderRTF(canvas, rect, stream);
}

TReportJob::TBlockResult TReportJob::DrawBlock(TBlockKind kind, TCanvas& canvas, TRect& rect) {
    switch (kind) {
    case ProjectDataBlock: {
        if (!Has(TPrintingOption::ProjektData)) return BlockDone;
        TPrintfStringStream stream;
        project_.WriteRTFHeader(stream);
        stream.WriteString("\\par ");
        stream.SetPosition(0);
        return RenderRTF(canvas, rect, stream);
    }
    case HeaderBlock: DrawHeader(canvas, rect); return BlockDone;
    case FooterBlock: return DrawFooter(canvas, rect);
    case ItemBlock: break;
    }
    // The base job has no items to draw.
    return StopReport;
}

void TReportJob::DrawHeader(TCanvas& canvas, TRect& rect) {
    if (!title_.empty() || Has(TPrintingOption::PageNumber)) {
        // The title as typed: braces and backslashes in it are text.
        std::string line = "\\sa72\\f4\\fs20 " + RightTabStop() + EscapeRtfText(title_);
        if (Has(TPrintingOption::PageNumber)) line += "\\tab " + std::to_string(pageCount_);
        RenderText(canvas, rect, line + "\\par ");
    }
    const int p = canvas.Font().PixelsPerInch();
    const int band = p / 10;
    const int indent = static_cast<int>(rect.Width() * 0.1);
    if (headerLogo_->Width() > 0) {
        const TSize size = LogoSize(*headerLogo_, p);
        const TRect logo{rect.Left + indent, rect.Top, rect.Left + indent + size.cx, rect.Top + size.cy};
        canvas.StretchDraw(logo, *headerLogo_);
        Fill(canvas, {rect.Left, logo.Bottom - band, logo.Left, logo.Bottom}, kBandGreen);
        Fill(canvas, {logo.Right, logo.Bottom - band, rect.Right, logo.Bottom}, kBandGreen);
    } else {
        Fill(canvas, {rect.Left, rect.Top, rect.Right, rect.Top + band}, kBandGreen);
    }
    rect.Top += p / 5;
}

std::string TReportJob::FooterLine() const {
    std::string line = "\\sb144\\f4\\fs20 " + RightTabStop();
    if (Has(TPrintingOption::ProjektName)) line += EscapeRtfText(project_.FileName);
    if (Has(TPrintingOption::Date)) line += "\\tab " + ShortDateText(win::Today());
    return line + "\\par ";
}

const std::string& TReportJob::ProductLine() {
    if (!productLineFetched_) {
        productLine_ = ProductLineSource ? ProductLineSource() : std::string();
        productLineFetched_ = true;
    }
    return productLine_;
}

TReportJob::TBlockResult TReportJob::DrawFooter(TCanvas& canvas, TRect& rect) {
    const int p = canvas.Font().PixelsPerInch();
    if (footerLogo_->Width() > 0) {
        const TSize size = LogoSize(*footerLogo_, p);
        canvas.StretchDraw({rect.Right - size.cx, rect.Top, rect.Right, rect.Top + size.cy}, *footerLogo_);
        rect.Top += size.cy;
    }
    const int third = rect.Width() / 3;
    for (int i = 0; i < 3; ++i) {
        Fill(canvas, {rect.Left + i * third, rect.Top, rect.Left + (i + 1) * third, rect.Top + p / 10}, kFooterBands[i]);
    }
    if (Has(TPrintingOption::ProjektName) || Has(TPrintingOption::Date)) RenderText(canvas, rect, FooterLine());
    return RenderText(canvas, rect, ProductLine());
}

int TReportJob::FooterHeight() {
    TCanvas& canvas = CurrentCanvas();
    std::int64_t h = 0;
    if (Has(TPrintingOption::ProjektName) || Has(TPrintingOption::Date)) {
        // The line as it will be printed: a long file name may take two.
        TPrintfStringStream line(FooterLine());
        h = MeasureRTF(canvas, workRect_, line);
    }
    TPrintfStringStream product(ProductLine());
    h += MeasureRTF(canvas, workRect_, product);
    const int p = canvas.Font().PixelsPerInch();
    h += p / 5;
    if (footerLogo_->Width() > 0) h += LogoSize(*footerLogo_, p).cy;
    return static_cast<int>(std::clamp<std::int64_t>(h, 0, INT_MAX));
}
