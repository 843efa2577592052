#include "platform/ui/CursorWait.h"

#include <QCursor>
#include <QGuiApplication>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

bool Waiting() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

}  // namespace

TEST(CursorWait, HourglassForTheScopeNestedAndOnExceptions) {
    ASSERT_FALSE(Waiting());
    {
        const TCursorWait outer;
        EXPECT_TRUE(Waiting());
        {
            const TCursorWait inner;
            EXPECT_TRUE(Waiting());
        }
        EXPECT_TRUE(Waiting());
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    try {
        const TCursorWait wait;
        throw std::runtime_error("long operation failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
