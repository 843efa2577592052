#include "platform/ui/OwnerDrawComboBox.h"

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <utility>

namespace {

// The open list's entries: drawn by the box's handler at the box's height.
class TOwnerDrawDelegate : public QAbstractItemDelegate {
public:
    explicit TOwnerDrawDelegate(TOwnerDrawComboBox& box) : QAbstractItemDelegate(&box), box_(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        painter->save();
        box_.DrawItem(*painter, index.row(), option.rect, option.state);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {option.rect.width(), box_.ItemHeight()};
    }

private:
    TOwnerDrawComboBox& box_;
};

}  // namespace

TOwnerDrawComboBox::TOwnerDrawComboBox(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new TOwnerDrawDelegate(*this));
}

void TOwnerDrawComboBox::SetItemHeight(int height) {
    itemHeight_ = height;
    view()->doItemsLayout();
}

void TOwnerDrawComboBox::SetDrawItem(DrawItemHandler handler) {
    draw_ = std::move(handler);
    update();
}

void TOwnerDrawComboBox::DrawItem(QPainter& painter, int index, const QRect& rect, QStyle::State state) const {
    if (!draw_) return;
    const bool selected = state & QStyle::State_Selected;
    painter.setBrush(palette().brush(selected ? QPalette::Highlight : QPalette::Base));
    painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter.setFont(font());
    draw_(painter, index, rect, state);
}

void TOwnerDrawComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    const QRect face = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    if (currentIndex() < 0) return;
    // The face shows the chosen entry, highlighted while the box has the focus.
    QStyle::State state = QStyle::State_Enabled;
    if (hasFocus()) state |= QStyle::State_Selected | QStyle::State_HasFocus;
    painter.save();
    painter.setClipRect(face);
    DrawItem(painter, currentIndex(), face, state);
    painter.restore();
}
