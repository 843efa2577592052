#include "app/Icons.h"

#include "platform/ui/ImageList.h"
#include "platform/ui/ListView.h"

#include <QApplication>
#include <QStyle>

namespace {

struct TImageSpec {
    int Index;
    const char* ThemeName;
    QStyle::StandardPixmap Standard;  // SP_CustomBase: no standard icon fits
    const char* Own;                  // our own picture in the resources
};

constexpr QStyle::StandardPixmap kNone = QStyle::SP_CustomBase;

constexpr TImageSpec kImages[] = {
    {0, "edit-cut", kNone, ":/images/cut.png"},
    {1, "edit-copy", kNone, ":/images/copy.png"},
    {2, "edit-paste", kNone, ":/images/paste.png"},
    {6, "document-new", QStyle::SP_FileIcon, ":/images/new.png"},
    {7, "document-open", QStyle::SP_DialogOpenButton, ":/images/open.png"},
    {8, "document-save", QStyle::SP_DialogSaveButton, ":/images/save.png"},
    {14, "document-print", kNone, ":/images/print.png"},
    {15, "view-list-icons", kNone, ":/images/view.png"},
};

QIcon Pick(const char* themeName, QStyle::StandardPixmap standard, const char* own) {
    const QString name = QString::fromLatin1(themeName);
    if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
    if (standard != kNone && QApplication::style()) {
        const QIcon icon = QApplication::style()->standardIcon(standard);
        if (!icon.isNull()) return icon;
    }
    return QIcon(QString::fromLatin1(own));
}

}  // namespace

std::vector<int> ActionImageIndexes() {
    std::vector<int> indexes;
    for (const TImageSpec& image : kImages) indexes.push_back(image.Index);
    return indexes;
}

QIcon ActionImage(int index) {
    for (const TImageSpec& image : kImages) {
        if (image.Index == index) return Pick(image.ThemeName, image.Standard, image.Own);
    }
    return {};
}

QIcon ItemImage(int size) {
    return QIcon(size >= 32 ? QStringLiteral(":/images/item32.png") : QStringLiteral(":/images/item16.png"));
}

void ShowItemImages(QObject& owner, TListView& list) {
    auto* largeImages = new TImageList(QSize(32, 32), &owner);
    largeImages->setObjectName(QStringLiteral("LargeImages"));
    largeImages->SetImage(0, ItemImage(32));
    auto* smallImages = new TImageList(QSize(16, 16), &owner);
    smallImages->setObjectName(QStringLiteral("SmallImages"));
    smallImages->SetImage(0, ItemImage(16));
    list.SetLargeImage(largeImages->Image(0));
    list.SetSmallImage(smallImages->Image(0));
}
