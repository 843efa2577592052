#include "listheader/ListHeader.h"

#include "listheader/ChangeHeader.h"
#include "listheader/ListViewWithHeader.h"
#include "platform/base/Canvas.h"
#include "platform/ui/QtCanvas.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include <utility>

namespace {

HeaderMetricsHook& MetricsHook() {
    static HeaderMetricsHook hook;
    return hook;
}

Qt::Alignment ListAlignment(THeaderAlignment alignment) {
    switch (alignment) {
        case THeaderAlignment::Right: return Qt::AlignRight;
        case THeaderAlignment::Center: return Qt::AlignHCenter;
        case THeaderAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

}  // namespace

THeaderMetrics MeasureHeaderFont(const QFont& font) {
    if (MetricsHook()) return MetricsHook()(font);
    const QFontMetrics metrics(font);
    return {metrics.height() + metrics.leading(), metrics.averageCharWidth(), metrics.leading()};
}

HeaderMetricsHook SetHeaderMetricsHook(HeaderMetricsHook hook) {
    return std::exchange(MetricsHook(), std::move(hook));
}

TListHeader::TListHeader(QWidget* owner) : QWidget(owner) {
    resize(65, 65);
}

TListHeader::~TListHeader() = default;

void TListHeader::SetScrollPos(std::int16_t offset) {
    scrollOffset_ = offset;
    update();
}

void TListHeader::SetFormatName(std::string name) {
    formatName_ = std::move(name);
    format_.Clear();
    format_.LoadFromResource(formatName_);
    StyleChanged();
}

void TListHeader::StyleChanged() {
    metrics_ = MeasureHeaderFont(font());
    setFixedHeight(metrics_.lineHeight * format_.RowCount() + metrics_.externalLeading + 4);
    update();
}

void TListHeader::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) StyleChanged();
}

void TListHeader::SetList(TListViewWithHeader* list) {
    list_ = list;
    SetListColumns();
}

TListViewWithHeader* TListHeader::List() const {
    return list_;
}

void TListHeader::SetListColumns() {
    if (!list_) return;
    list_->ClearColumns();
    for (int p = 0; p < format_.ColumnCount(); ++p) {
        const TListHeaderFormatCol& column = *format_.ColumnAt(p);
        if (!column.Visible) continue;
        // The header above shows the titles; the list's own stays hidden and empty.
        list_->AddColumn(QString(), column.Width * metrics_.averageCharWidth, ListAlignment(column.DataAlignment));
    }
}

QRect TListHeader::CellRect(int position) const {
    int x = -scrollOffset_;
    for (int p = 0; p < format_.ColumnCount(); ++p) {
        const TListHeaderFormatCol& column = *format_.ColumnAt(p);
        const int width = column.Visible ? column.Width * metrics_.averageCharWidth : 0;
        if (p == position) return QRect(x, 0, width, height());
        x += width;
    }
    return {};
}

void TListHeader::Paint(TCanvas& canvas) const {
    canvas.SetBrushColor(clBtnFace);
    AssignQtFont(canvas.Font(), font());
    const TRect clip = canvas.ClipRect();
    const int bottom = height();
    int x = -scrollOffset_;
    for (int p = 0; p < format_.ColumnCount(); ++p) {
        const TListHeaderFormatCol& column = *format_.ColumnAt(p);
        if (!column.Visible) continue;  // takes no room
        const int w = column.Width * metrics_.averageCharWidth;
        const int right = x + w - 1;
        if (clip.Right >= x && clip.Left <= right) {
            canvas.FillRect(TRect{x, 0, x + w, bottom});
            TRect text{x + 2, metrics_.externalLeading + 2, x + w - 2, bottom - 2};
            for (int row = 0; row < format_.RowCount(); ++row) {
                column.PaintTitle(canvas, row, text, true, metrics_.lineHeight, metrics_.averageCharWidth);
                text.Top += metrics_.lineHeight;
            }
            // A raised frame.
            canvas.SetPenColor(clWhite);
            canvas.MoveTo(x, bottom - 1);
            canvas.LineTo(x, 0);
            canvas.LineTo(right, 0);
            canvas.SetPenColor(clBlack);
            canvas.MoveTo(x, bottom - 1);
            canvas.LineTo(right, bottom - 1);
            canvas.LineTo(right, 0);
        }
        x += w;
    }
}

void TListHeader::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setClipRegion(event->region());
    painter.setFont(font());
    TQtCanvas canvas(painter);
    Paint(canvas);
}

void TListHeader::LoadFromRegistry(std::string programKey) {
    programKey_ = std::move(programKey);
    format_.LoadFromRegistry(programKey_, registryName_);
    SetListColumns();
}

bool TListHeader::ChangeColumnsPropertis() {
    int result = mrCancel;
    {
        TChangeHeaderForm editor(this, &format_, font(), programKey_, registryName_);
        ReadMaximalization(editor);
        result = editor.ShowModal();
        WriteMaximalization(editor);
    }
    if (result != mrOk) return false;
    if (list_) list_->Clear();
    SetListColumns();
    SetScrollPos(0);
    return true;
}

void DrawHeaderText(TCanvas& canvas, std::string_view text, THeaderAlignment alignment, bool stopAtSemicolon,
                    const TRect& rect) {
    const TTextMetric metrics = canvas.TextMetrics();
    DrawHeaderLine(canvas, text, alignment, stopAtSemicolon, rect, metrics.Height + metrics.ExternalLeading,
                   metrics.AveCharWidth);
}
