// The main list's view of the project: entry i is item i.

#include "project/Project.h"

void TProject::FillListView(IListView& list) const {
    list.Clear();
    for (const TItem& item : Items) list.AddItem(item.Name, {item.Comment});
}
