#include "platform/base/Controls.h"

#include "platform/win/Clock.h"

#include <gtest/gtest.h>

TEST(ClipboardFormat, SameNameIgnoringCaseGivesSameRegisteredId) {
    const unsigned own = RegisterClipboardFormat("KELVARIN Calculation Item");
    EXPECT_GE(own, 0xC000u);
    EXPECT_LE(own, 0xFFFFu);
    EXPECT_EQ(RegisterClipboardFormat("kelvarin calculation item"), own);
    const unsigned rtf = RegisterClipboardFormat("Rich Text Format");
    EXPECT_NE(rtf, own);
    EXPECT_EQ(ClipboardFormatName(own), "KELVARIN Calculation Item");
    EXPECT_EQ(ClipboardFormatName(rtf), "Rich Text Format");
}

TEST(ClipboardFormat, EmptyNameAndUnknownIdsGiveNothing) {
    EXPECT_EQ(RegisterClipboardFormat(""), 0u);
    EXPECT_EQ(ClipboardFormatName(0), "");
    EXPECT_EQ(ClipboardFormatName(1), "");
    EXPECT_EQ(ClipboardFormatName(0xFFFF), "");
}

TEST(MemoryClipboard, BlocksAreReplacedAsAWhole) {
    TMemoryClipboard clipboard;
    const unsigned own = clipboard.RegisterFormat("KELVARIN Calculation Item");
    const unsigned rtf = clipboard.RegisterFormat("Rich Text Format");
    const std::string binary("\x01\x01\x00\xFF\x00", 5);
    clipboard.SetBlocks({{own, binary}, {rtf, std::string("{\\rtf1}\0", 8)}});
    std::string bytes;
    ASSERT_TRUE(clipboard.GetBlock(own, bytes));
    EXPECT_EQ(bytes, binary);
    ASSERT_TRUE(clipboard.GetBlock(rtf, bytes));
    EXPECT_EQ(bytes, std::string("{\\rtf1}\0", 8));

    clipboard.SetBlocks({{rtf, "x"}, {rtf, "y"}});
    EXPECT_FALSE(clipboard.HasFormat(own));
    ASSERT_TRUE(clipboard.GetBlock(rtf, bytes));
    EXPECT_EQ(bytes, "y");

    clipboard.SetBlocks({});
    bytes = "untouched";
    EXPECT_FALSE(clipboard.HasFormat(rtf));
    EXPECT_FALSE(clipboard.GetBlock(rtf, bytes));
    EXPECT_EQ(bytes, "untouched");
}

TEST(MemoryClipboard, InstalledClipboardReplacesTheProcessLocalOne) {
    IClipboard& local = Clipboard();
    TMemoryClipboard fake;
    EXPECT_EQ(SetClipboard(&fake), nullptr);
    EXPECT_EQ(&Clipboard(), &fake);
    EXPECT_EQ(SetClipboard(nullptr), &fake);
    EXPECT_EQ(&Clipboard(), &local);
}

TEST(ShortDateText, DefaultIsYearMonthDayAndAHookReplacesIt) {
    const win::TDate date{2004, 2, 3};
    EXPECT_EQ(ShortDateText(date), "2004-02-03");
    EXPECT_EQ(ShortDateText({987, 12, 31}), "0987-12-31");
    auto previous = SetShortDateTextHook([](const win::TDate& d) { return std::to_string(d.Day) + ". " + std::to_string(d.Month) + "."; });
    EXPECT_FALSE(previous);
    EXPECT_EQ(ShortDateText(date), "3. 2.");
    SetShortDateTextHook(nullptr);
    EXPECT_EQ(ShortDateText(date), "2004-02-03");
}
