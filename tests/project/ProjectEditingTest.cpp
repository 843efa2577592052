// Add, edit, delete and rename of a project's items, with an editor that
// stands in for the calculation dialog.

#include "project/Project.h"

#include "project/ProjectEnvironment.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

class TFakeEditor : public IItemEditor {
public:
    TFakeEditor(bool ok, std::function<void(TItem&)> change) : ok_(ok), change_(std::move(change)) {}
    bool Edit(TItem& item) override {
        Seen.push_back(item.Name);
        change_(item);
        return ok_;
    }
    std::vector<std::string> Seen;

private:
    bool ok_;
    std::function<void(TItem&)> change_;
};

// Like a dialog that read a few values and then failed a check.
void PartlyRead(TItem& item) {
    item.Name = "edited";
    item.Length = 99.0f;
}

class TSelection : public IItemSelection {
public:
    explicit TSelection(std::vector<bool> selected) : selected_(std::move(selected)) {}
    int Count() const override { return static_cast<int>(selected_.size()); }
    bool Selected(int index) const override { return selected_.at(static_cast<std::size_t>(index)); }

private:
    std::vector<bool> selected_;
};

std::vector<std::string> Names(const TProject& project) {
    std::vector<std::string> names;
    for (const TItem& item : project.Items) names.push_back(item.Name);
    return names;
}

// Five items "item 0" to "item 4", not modified.
class ProjectEditingTest : public ::testing::Test {
protected:
    ProjectEditingTest() {
        for (int i = 0; i < 5; ++i) {
            TItem item;
            item.Name = "item " + std::to_string(i);
            project.Items.push_back(item);
        }
    }

    project_testing::TProjectEnvironment environment;
    TProject project;
};

}  // namespace

TEST_F(ProjectEditingTest, AddAppendsTheGivenItemAndKeepsItWhatTheDialogAnswers) {
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        project.Modified = false;
        TItem fresh;
        fresh.Name = "New item";
        TFakeEditor editor(ok, PartlyRead);
        project.AddItem(editor, fresh);
        EXPECT_EQ(editor.Seen, std::vector<std::string>{"New item"});
        EXPECT_EQ(project.Items.back().Name, ok ? "edited" : "New item");
        EXPECT_EQ(project.Items.back().Length, ok ? 99.0f : fresh.Length);
        EXPECT_TRUE(project.Modified);
    }
    EXPECT_EQ(project.ItemCount(), 7);
}

TEST_F(ProjectEditingTest, EditCopiesBackOnlyOnOk) {
    struct Row {
        const char* name;
        bool ok;
        int index;
        std::vector<std::string> seen;
        std::vector<std::string> names;
        bool modified;
    };
    const std::vector<std::string> before = Names(project);
    std::vector<std::string> edited = before;
    edited[2] = "edited";
    const Row rows[] = {
        {"cancel", false, 2, {"item 2"}, before, false},
        {"ok", true, 2, {"item 2"}, edited, true},
        {"negative index", true, -1, {}, before, false},
        {"index past the end", true, 5, {}, before, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TProject fresh = project;
        TFakeEditor editor(row.ok, PartlyRead);
        fresh.EditItem(editor, row.index);
        EXPECT_EQ(editor.Seen, row.seen);
        EXPECT_EQ(Names(fresh), row.names);
        EXPECT_EQ(fresh.Items[2].Length == 99.0f, row.ok && row.index == 2);
        EXPECT_EQ(fresh.Modified, row.modified);
    }
}

TEST_F(ProjectEditingTest, DeleteErasesTheSelectedItemsInsideTheProject) {
    struct Row {
        const char* name;
        std::vector<bool> selected;
        std::vector<std::string> names;
    };
    const Row rows[] = {
        {"items 0 and 2 of five", {true, false, true, false, false}, {"item 1", "item 3", "item 4"}},
        {"all", {true, true, true, true, true}, {}},
        {"none", {false, false, false, false, false}, {"item 0", "item 1", "item 2", "item 3", "item 4"}},
        {"list longer than the project", {false, false, false, false, true, true, true},
         {"item 0", "item 1", "item 2", "item 3"}},
        {"list shorter than the project", {true, true}, {"item 2", "item 3", "item 4"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TProject fresh = project;
        fresh.DeleteSelectedItems(TSelection(row.selected));
        EXPECT_EQ(Names(fresh), row.names);
        EXPECT_TRUE(fresh.Modified);
    }
}

TEST_F(ProjectEditingTest, SetItemNameRenamesOnlyAnItemThatExists) {
    struct Row {
        int index;
        const char* name;
        bool modified;
    };
    const Row rows[] = {{1, "pipe", true}, {1, "item 1", true}, {99, "pipe", false}, {-1, "pipe", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.index);
        TProject fresh = project;
        fresh.SetItemName(row.index, row.name);
        for (int i = 0; i < fresh.ItemCount(); ++i) {
            EXPECT_EQ(fresh.Items[static_cast<std::size_t>(i)].Name, i == row.index ? row.name : "item " + std::to_string(i));
        }
        EXPECT_EQ(fresh.Modified, row.modified);
    }
}
