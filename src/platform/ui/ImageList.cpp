#include "platform/ui/ImageList.h"

void TImageList::SetImage(int index, const QIcon& icon) {
    if (index < 0) return;
    while (images_.size() <= index) images_.append(QIcon());
    images_[index] = icon;
}

QIcon TImageList::Image(int index) const {
    return index >= 0 && index < images_.size() ? images_[index] : QIcon();
}
