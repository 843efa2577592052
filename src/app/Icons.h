#pragma once
// The main window's pictures: the freedesktop icon theme where it has a
// fitting icon, else Qt's standard icon where one fits, else our own.

#include <QIcon>

class QObject;
class TListView;

#include <vector>

// The indexes of ImageList1 that hold a picture: cut 0, copy 1, paste 2,
// new 6, open 7, save 8, print 14, view 15.
std::vector<int> ActionImageIndexes();
// An empty icon for an index without a picture.
QIcon ActionImage(int index);
// A calculation item in the list, 32 or 16 pixels.
QIcon ItemImage(int size);
// The item lists' image lists "LargeImages" and "SmallImages", owned by
// owner, given to list.
void ShowItemImages(QObject& owner, TListView& list);
