#pragma once
// A list view as the project fills it and reads its selection.

#include "project/Project.h"

class TListView;

class TListViewItems : public IListView {
public:
    explicit TListViewItems(TListView& list) : list_(list) {}
    int Count() const override;
    bool Selected(int index) const override;
    void Clear() override;
    void AddItem(const std::string& caption, const std::vector<std::string>& subItems) override;

private:
    TListView& list_;
};
