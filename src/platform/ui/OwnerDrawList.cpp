#include "platform/ui/OwnerDrawList.h"

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QStyle>

#include <utility>

TOwnerDrawDelegate::TOwnerDrawDelegate(QListWidget& list, DrawItem handler)
    : QStyledItemDelegate(&list), handler_(std::move(handler)) {}

void TOwnerDrawDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    painter->save();
    painter->setClipRect(textRect, Qt::IntersectClip);
    painter->setFont(option.font);
    if (handler_) handler_(*painter, index.row(), textRect);
    painter->restore();
}

QSize TOwnerDrawDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    if (itemHeight_ > 0) size.setHeight(itemHeight_);
    return size;
}

TOwnerDrawDelegate* OwnerDrawDelegate(QListWidget& list) {
    return dynamic_cast<TOwnerDrawDelegate*>(list.itemDelegate());
}

void SetItemHeight(QListWidget& list, int height) {
    if (TOwnerDrawDelegate* delegate = OwnerDrawDelegate(list)) {
        delegate->SetItemHeight(height);
        list.doItemsLayout();
    }
}
