#pragma once
// An image list: pictures of one size addressed by index, shared by the
// actions, menus and toolbars of a form.

#include <QIcon>
#include <QList>
#include <QObject>
#include <QSize>

class TImageList : public QObject {
    Q_OBJECT

public:
    explicit TImageList(QSize size, QObject* owner = nullptr) : QObject(owner), size_(size) {}

    QSize Size() const { return size_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Puts a picture at `index`, filling the gap before it with empty ones.
    void SetImage(int index, const QIcon& icon);
    // The picture at `index`; an empty icon for an index without one.
    QIcon Image(int index) const;

private:
    QSize size_;
    QList<QIcon> images_;
};
