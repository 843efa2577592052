// Add, edit, delete and rename of a project's items, with an editor that
// stands in for the calculation dialog.

#include "project/Project.h"

#include "project/ProjectEnvironment.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace {

// Like a dialog that reads a few values and then ends with `ok`.
class TFakeEditor : public IItemEditor {
public:
    explicit TFakeEditor(bool ok) : ok_(ok) {}
    bool Edit(TItem& item) override {
        Seen.push_back(item.Name);
        item.Name = "edited";
        return ok_;
    }
    std::vector<std::string> Seen;

private:
    bool ok_;
};

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

// Items "0" to "4", not modified.
class ProjectEditingTest : public ::testing::Test {
protected:
    ProjectEditingTest() {
        for (const char* name : {"0", "1", "2", "3", "4"}) {
            TItem item;
            item.Name = name;
            project.Items.push_back(item);
        }
    }

    project_testing::TProjectEnvironment environment;
    TProject project;
};

}  // namespace

TEST_F(ProjectEditingTest, AddAppendsTheGivenItemAndKeepsItWhenCancelled) {
    for (const bool ok : {false, true}) {
        SCOPED_TRACE(ok);
        TProject fresh = project;
        TItem item;
        item.Name = "New item";
        TFakeEditor editor(ok);
        fresh.AddItem(editor, item);
        EXPECT_EQ(editor.Seen, std::vector<std::string>{"New item"});
        EXPECT_EQ(Names(fresh), (std::vector<std::string>{"0", "1", "2", "3", "4", ok ? "edited" : "New item"}));
        EXPECT_TRUE(fresh.Modified);
    }
}

TEST_F(ProjectEditingTest, EditAndRenameChangeOnlyAnExistingItem) {
    struct Row {
        const char* name;
        bool ok;
        int index;
        std::vector<std::string> names;
    };
    const Row rows[] = {
        {"cancelled", false, 2, {"0", "1", "2", "3", "4"}},
        {"OK", true, 2, {"0", "1", "edited", "3", "4"}},
        {"index -1", true, -1, {"0", "1", "2", "3", "4"}},
        {"index 99", true, 99, {"0", "1", "2", "3", "4"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TProject edited = project;
        TFakeEditor editor(row.ok);
        edited.EditItem(editor, row.index);
        EXPECT_EQ(Names(edited), row.names);
        EXPECT_EQ(edited.Modified, row.names != Names(project));
        EXPECT_EQ(editor.Seen.size(), row.index == 2 ? 1u : 0u);

        // Rename: an unchanged name still counts as a change.
        TProject renamed = project;
        renamed.SetItemName(row.index, row.ok ? "edited" : "2");
        EXPECT_EQ(Names(renamed), row.ok ? row.names : Names(project));
        EXPECT_EQ(renamed.Modified, row.index == 2);
    }
}

TEST_F(ProjectEditingTest, DeleteErasesTheSelectedItemsInsideTheProject) {
    struct Row {
        const char* name;
        std::vector<bool> selected;
        std::vector<std::string> names;
    };
    const Row rows[] = {
        {"items 0 and 2 of five", {true, false, true, false, false}, {"1", "3", "4"}},
        {"list longer than the project", {false, false, false, false, true, true, true}, {"0", "1", "2", "3"}},
        {"list shorter than the project", {true, true}, {"2", "3", "4"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TProject fresh = project;
        fresh.DeleteSelectedItems(TSelection(row.selected));
        EXPECT_EQ(Names(fresh), row.names);
        EXPECT_TRUE(fresh.Modified);
    }
}
