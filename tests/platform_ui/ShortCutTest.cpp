#include "platform/ui/ShortCut.h"

#include <gtest/gtest.h>

TEST(ShortCut, TheFormResourcesValues) {
    const struct {
        int Value;
        const char* Keys;
    } rows[] = {
        {16462, "Ctrl+N"}, {16463, "Ctrl+O"}, {16467, "Ctrl+S"}, {16472, "Ctrl+X"}, {16451, "Ctrl+C"},
        {16470, "Ctrl+V"}, {16458, "Ctrl+J"}, {16461, "Ctrl+M"}, {16430, "Ctrl+Del"}, {16468, "Ctrl+T"},
        {16464, "Ctrl+P"}, {0x70, "F1"}, {0x2000 + 'A', "Shift+A"}, {0x8000 + 0x73, "Alt+F4"},
        {0x4000 + 0x2000 + '1', "Ctrl+Shift+1"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(KeySequenceOfShortCut(row.Value), QKeySequence(QString::fromLatin1(row.Keys))) << row.Value;
    }
    EXPECT_TRUE(KeySequenceOfShortCut(0).isEmpty());
    EXPECT_TRUE(KeySequenceOfShortCut(0x4000 + 0xFF).isEmpty());  // no such key
}
