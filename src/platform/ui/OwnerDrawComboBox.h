#pragma once
// A fixed list whose owner draws it: every entry of the open list and the
// closed box's face go through one handler, and every entry has the same
// height, as with the component library's owner-drawn combo box.

#include <QComboBox>
#include <QStyle>

#include <functional>

class QPainter;
class QPaintEvent;

// Draws entry `index` into `rect`. The painter's brush and pen are set for
// the entry's state (highlight colours when selected); the handler fills the
// rectangle itself.
using DrawItemHandler = std::function<void(QPainter& painter, int index, const QRect& rect, QStyle::State state)>;

class TOwnerDrawComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TOwnerDrawComboBox(QWidget* parent = nullptr);

    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height);
    void SetDrawItem(DrawItemHandler handler);
    // Sets the brush and pen for the state and calls the handler; nothing without one.
    void DrawItem(QPainter& painter, int index, const QRect& rect, QStyle::State state) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int itemHeight_ = 16;
    DrawItemHandler draw_;
};
