#include "platform/ui/QtClipboard.h"

#include "platform/ui/QtPlatform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

namespace {

const char kOwnMime[] = "application/x-qt-windows-mime;value=\"KELVARIN Calculation Item\"";
const char kRtfMime[] = "application/x-qt-windows-mime;value=\"Rich Text Format\"";

QByteArray Bytes(const std::string& s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

class QtClipboardTest : public ::testing::Test {
protected:
    void SetUp() override { QGuiApplication::clipboard()->clear(); }
    void TearDown() override { QGuiApplication::clipboard()->clear(); }

    TQtClipboard clipboard;
    const unsigned own = clipboard.RegisterFormat("KELVARIN Calculation Item");
    const unsigned rtf = clipboard.RegisterFormat("Rich Text Format");
    // An item record starts with int16 257; the content ends with int16 0 and a NUL.
    const std::string ownBlock{"\x01\x01\x05\x00\xFF\xFE\x00\x00\x00", 9};
    const std::string rtfBlock = std::string("{\\rtf1\\ansi\\ansicpg1250 \xE1rv\xEDz}") + '\0';
};

}  // namespace

TEST(QtClipboardMime, RegisteredNameAsQtNamesItOnWindows) {
    EXPECT_EQ(MimeTypeOfFormat("KELVARIN Calculation Item"), kOwnMime);
    EXPECT_EQ(MimeTypeOfFormat("Rich Text Format"), kRtfMime);
}

TEST_F(QtClipboardTest, BothBlocksGoTogetherAndComeBackByteForByte) {
    clipboard.SetBlocks({{own, ownBlock}, {rtf, rtfBlock}});
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data(kOwnMime), Bytes(ownBlock));
    EXPECT_EQ(data->data(kRtfMime), Bytes(rtfBlock));
    EXPECT_EQ(data->data("text/rtf"), Bytes(rtfBlock.substr(0, rtfBlock.size() - 1)));  // no NUL for others

    std::string bytes;
    ASSERT_TRUE(clipboard.GetBlock(own, bytes));
    EXPECT_EQ(bytes, ownBlock);
    ASSERT_TRUE(clipboard.GetBlock(rtf, bytes));
    EXPECT_EQ(bytes, rtfBlock);
    EXPECT_TRUE(clipboard.HasFormat(own));
}

TEST_F(QtClipboardTest, NewBlocksReplaceTheWholeContent) {
    clipboard.SetBlocks({{own, ownBlock}, {rtf, rtfBlock}});
    clipboard.SetBlocks({{rtf, rtfBlock}});
    EXPECT_FALSE(clipboard.HasFormat(own));  // RTF alone: no own items to paste
    EXPECT_TRUE(clipboard.HasFormat(rtf));
    clipboard.SetBlocks({});
    std::string bytes = "kept";
    EXPECT_FALSE(clipboard.HasFormat(rtf));
    EXPECT_FALSE(clipboard.GetBlock(rtf, bytes));
    EXPECT_EQ(bytes, "kept");
}

TEST_F(QtClipboardTest, RtfOfAnotherProgramReadsAsRichTextFormat) {
    auto* data = new QMimeData;
    data->setData("text/rtf", "{\\rtf1 x}");
    QGuiApplication::clipboard()->setMimeData(data);
    EXPECT_TRUE(clipboard.HasFormat(rtf));
    EXPECT_FALSE(clipboard.HasFormat(own));
    std::string bytes;
    ASSERT_TRUE(clipboard.GetBlock(rtf, bytes));
    EXPECT_EQ(bytes, "{\\rtf1 x}");
}

TEST_F(QtClipboardTest, UnregisteredIdsAreLeftOut) {
    clipboard.SetBlocks({{0xBFFF, "x"}, {own, ownBlock}});
    EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->formats(), QStringList{kOwnMime});
    EXPECT_FALSE(clipboard.HasFormat(0xBFFF));
    EXPECT_FALSE(clipboard.HasFormat(0));
}

TEST_F(QtClipboardTest, InstalledAsTheProgramsClipboard) {
    {
        const TQtPlatform platform;
        Clipboard().SetBlocks({{own, ownBlock}});
        EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(kOwnMime));
    }
    EXPECT_FALSE(Clipboard().HasFormat(own));  // back to the process-local one
}
