#pragma once
// An owner-drawn list box (the component library's check list box with a
// fixed item height): the list draws each item's background, selection and
// check box, the owner draws the rest of the item in the DrawItem handler.

#include <QRect>
#include <QStyledItemDelegate>

#include <functional>

class QListWidget;
class QPainter;

class TOwnerDrawDelegate : public QStyledItemDelegate {
public:
    // handler(painter, item index, the item's text rectangle)
    using DrawItem = std::function<void(QPainter& painter, int index, const QRect& rect)>;

    TOwnerDrawDelegate(QListWidget& list, DrawItem handler);

    // Every item is this many pixels high; 0 leaves the style's height.
    void SetItemHeight(int height) { itemHeight_ = height; }
    int ItemHeight() const { return itemHeight_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    DrawItem handler_;
    int itemHeight_ = 0;
};

// The list's owner-draw delegate; null when it has none.
TOwnerDrawDelegate* OwnerDrawDelegate(QListWidget& list);
// Sets the item height of an owner-drawn list (nothing for another list).
void SetItemHeight(QListWidget& list, int height);
