// The item commands of a project: add, edit, delete and rename.

#include "project/Project.h"

#include <algorithm>
#include <cstddef>
#include <utility>

void TProject::AddItem(IItemEditor& editor, const TItem& item) {
    Items.push_back(item);
    // Kept even when the user cancels: the item is in the project now.
    Modified = true;
    EditItem(editor, ItemCount() - 1);
}

void TProject::EditItem(IItemEditor& editor, int index) {
    if (index < 0 || index >= ItemCount()) return;
    // The dialog writes into what it edits even when a check fails, so it
    // never gets the project's own item.
    TItem copy = Items[static_cast<std::size_t>(index)];
    if (!editor.Edit(copy)) return;
    Items[static_cast<std::size_t>(index)] = std::move(copy);
    Modified = true;
}

void TProject::DeleteSelectedItems(const IItemSelection& list) {
    // Downwards, so the lower indexes still name the same items.
    for (int i = std::min(list.Count(), ItemCount()) - 1; i >= 0; --i) {
        if (list.Selected(i)) Items.erase(Items.begin() + i);
    }
    Modified = true;
}

void TProject::SetItemName(int index, const std::string& name) {
    if (index < 0 || index >= ItemCount()) return;
    Items[static_cast<std::size_t>(index)].Name = name;
    Modified = true;
}
