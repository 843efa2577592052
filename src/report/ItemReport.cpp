// The item block: an item's report rows and, for Optimum, its cost chart.
#include "report/Report.h"

#include "app/ItemModify.h"
#include "calc/Item.h"
#include "platform/ui/QtCanvas.h"

#include <QRect>

namespace {

constexpr int kChartHeightMm = 60;
constexpr int kChartWidthMm = 120;
constexpr int kChartGapMm = 1;

TDiagramDrawer& InstalledDrawer() {
    static TDiagramDrawer drawer;
    return drawer;
}

}  // namespace

void DrawDiagram(const TItem& item, QWidget* owner, TCanvas& canvas, const TRect& rect) {
    if (InstalledDrawer()) {
        InstalledDrawer()(item, owner, canvas, rect);
    } else {
        DrawItemChart(item, owner, canvas, rect);
    }
}

void DrawItemChart(const TItem& item, QWidget* owner, TCanvas& canvas, const TRect& rect) {
    auto* qt = dynamic_cast<TQtCanvas*>(&canvas);
    if (qt == nullptr) return;
    // The dialog works on a copy: building it may bring the item's choices
    // up to date, and the project's item stays as stored.
    TItem copy = item;
    TItemModifyForm form(owner, &copy);
    form.DrawResultPage(qt->Painter(), QRect(rect.Left, rect.Top, rect.Width(), rect.Height()));
}

TDiagramDrawer SetDiagramDrawer(TDiagramDrawer drawer) {
    TDiagramDrawer previous = std::move(InstalledDrawer());
    InstalledDrawer() = std::move(drawer);
    return previous;
}

TReportJob::TBlockResult TItemReport::DrawBlock(TBlockKind kind, TCanvas& canvas, TRect& rect) {
    if (kind != ItemBlock) return TReportJob::DrawBlock(kind, canvas, rect);
    if (pending_ == TPending::Fetched) {
        itemText_.SetSize(0);
        currentItem_->WriteRtf(itemText_);
        itemText_.SetPosition(0);
        itemChartPending_ = currentItem_->IsOptimum();
        pending_ = TPending::Prepared;
        if (++itemCounter_ > 1) return PageFull;
    }
    if (pending_ != TPending::Prepared) return StopReport;
    // A block that can't fit even where nothing else stands is drawn there,
    // past the bottom, instead of moving on for ever.
    if (itemText_.Position() + 1 < itemText_.Size()) {
        const TBlockResult result = RenderRTF(canvas, rect, itemText_, false, !pagePlaced_);
        if (itemText_.Position() + 1 < itemText_.Size()) return result;
        pagePlaced_ = true;
    }
    if (itemChartPending_) {
        if (!HasRoomMm(rect, kChartHeightMm) && pagePlaced_) return PageFull;
        TRect chart;
        chart.Left = rect.Left;
        chart.Top = rect.Top + MmToPx(kChartGapMm);
        chart.Bottom = chart.Top + MmToPx(kChartHeightMm);
        chart.Right = rect.Left + MmToPx(kChartWidthMm);
        DrawDiagram(*currentItem_, ownerForm_, CurrentCanvas(), chart);
        itemChartPending_ = false;
        rect.Top = chart.Bottom;
        pagePlaced_ = true;
    }
    pending_ = TPending::None;
    return BlockDone;
}
