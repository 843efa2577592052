// Copy and paste of items: the own clipboard content is, per selected item,
// an int16 257 and the item record, then an int16 0, then one NUL.

#include "project/Project.h"

#include "lang/Languages.h"
#include "platform/base/Controls.h"
#include "project/ProjectEnvironment.h"
#include "project/RtfHeader.h"
#include "support/StreamBytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::literals;
using project_testing::ItemRtf;
using testing_support::RecordBytes;

const std::string kMark = "\x01\x01"s;
const std::string kEnd = "\x00\x00"s;

class TSelection : public IItemSelection {
public:
    explicit TSelection(std::vector<bool> selected) : selected_(std::move(selected)) {}
    int Count() const override { return static_cast<int>(selected_.size()); }
    bool Selected(int index) const override { return selected_[static_cast<std::size_t>(index)]; }

private:
    std::vector<bool> selected_;
};

class ProjectClipboardTest : public ::testing::Test {
protected:
    ProjectClipboardTest() {
        for (int i = 0; i < 5; ++i) {
            TItem item;
            item.Name = "item " + std::to_string(i);
            item.Isolation.Thickness = static_cast<float>(10 * i);
            item.PriceDiagram = {{20, 1, 2}};
            project_.Items.push_back(item);
        }
    }

    std::string Block(unsigned format) {
        std::string bytes = "(absent)";
        environment_.Clipboard().GetBlock(format, bytes);
        return bytes;
    }
    void PutOwnBlock(const std::string& bytes) { environment_.Clipboard().SetBlocks({{project_.ClipboardFormat, bytes}}); }

    project_testing::TProjectEnvironment environment_;
    TProject project_;
};

TEST_F(ProjectClipboardTest, CopyPutsTheSelectedItemsInListOrder) {
    project_.CopyToClipboard(TSelection({false, true, false, true, false}));
    EXPECT_FALSE(LanguageList->PrintingMode);
    EXPECT_EQ(Block(project_.ClipboardFormat),
              kMark + RecordBytes(project_.Items[1]) + kMark + RecordBytes(project_.Items[3]) + kEnd + "\x00"s);
    const std::string rtf = Block(RegisterClipboardFormat("Rich Text Format"));
    EXPECT_EQ(rtf, std::string(FindRtfHeaderResource("ItemRTFHeader")) + ItemRtf(project_.Items[1]) +
                       ItemRtf(project_.Items[3]) + "IDS_RTFEND\x00"s);
    // In the printing language: labels are the bare key names there.
    EXPECT_NE(rtf.find("ID_ITEMRTF1:"), std::string::npos);
    EXPECT_EQ(rtf.find("ui:"), std::string::npos);
}

TEST_F(ProjectClipboardTest, CopyWithoutSelectionPutsOnlyTheEndMark) {
    project_.CopyToClipboard(TSelection({false, false, false, false, false}));
    EXPECT_EQ(Block(project_.ClipboardFormat), kEnd + "\x00"s);
    EXPECT_FALSE(environment_.Clipboard().HasFormat(RegisterClipboardFormat("Rich Text Format")));
}

TEST_F(ProjectClipboardTest, PasteAppendsInCopyOrder) {
    project_.CopyToClipboard(TSelection({false, false, false, true, true}));
    TProject other;
    other.Items = {TItem()};
    other.PasteFromClipboard();
    ASSERT_EQ(other.ItemCount(), 3);
    EXPECT_EQ(other.Items[1], project_.Items[3]);
    EXPECT_EQ(other.Items[2], project_.Items[4]);
    EXPECT_TRUE(other.Modified);
    EXPECT_FALSE(LanguageList->PrintingMode);
}

TEST_F(ProjectClipboardTest, PasteStopsAtAnyOtherMark) {
    const std::string record = RecordBytes(project_.Items[2]);
    for (const std::string& mark : {"\x02\x01"s, "\x00\x01"s, "\x01\x00"s, "\xFF\xFF"s}) {
        PutOwnBlock(kMark + record + mark + record + kEnd + "\x00"s);
        TProject target;
        target.PasteFromClipboard();
        ASSERT_EQ(target.ItemCount(), 1);
        EXPECT_EQ(target.Items[0], project_.Items[2]);
    }
}

TEST_F(ProjectClipboardTest, PasteStopsWhereTheDataEnd) {
    const std::string block = kMark + RecordBytes(project_.Items[1]) + kMark + RecordBytes(project_.Items[2]);
    for (std::size_t length = 1; length <= block.size(); ++length) {
        SCOPED_TRACE(length);
        PutOwnBlock(block.substr(0, length));
        TProject target;
        target.PasteFromClipboard();
        // Whole records only; one cut short is left out.
        const std::size_t whole = length < block.size() / 2 ? 0 : length < block.size() ? 1 : 2;
        ASSERT_EQ(target.Items.size(), whole);
        if (whole > 0) {
            EXPECT_EQ(target.Items[0], project_.Items[1]);
        }
        EXPECT_TRUE(target.Modified);
    }
}

TEST_F(ProjectClipboardTest, PasteWithoutTheOwnFormatChangesNothing) {
    environment_.Clipboard().SetBlocks({{RegisterClipboardFormat("Rich Text Format"), "{\\rtf1 x}"s}});
    project_.PasteFromClipboard();
    EXPECT_EQ(project_.ItemCount(), 5);
    EXPECT_FALSE(project_.Modified);

    PutOwnBlock(kEnd + "\x00"s);
    project_.PasteFromClipboard();
    EXPECT_EQ(project_.ItemCount(), 5);
    EXPECT_TRUE(project_.Modified);
}

}  // namespace
