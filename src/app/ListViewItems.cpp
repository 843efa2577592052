#include "app/ListViewItems.h"

#include "platform/ui/ListView.h"
#include "platform/ui/QtText.h"

#include <QStringList>

int TListViewItems::Count() const {
    return list_.Count();
}

bool TListViewItems::Selected(int index) const {
    return list_.IsSelected(index);
}

void TListViewItems::Clear() {
    list_.Clear();
}

void TListViewItems::AddItem(const std::string& caption, const std::vector<std::string>& subItems) {
    QStringList texts;
    for (const std::string& text : subItems) texts << ToQString(text);
    list_.AddItem(ToQString(caption), texts);
}
