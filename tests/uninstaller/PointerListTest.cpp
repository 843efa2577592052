#include "uninstaller/PointerList.h"

#include <gtest/gtest.h>

namespace {

int a, b, c, d;

std::string Order(const PointerList& list) {
    std::string out;
    for (int i = 0; i < list.count(); ++i) {
        const void* p = list.get(i);
        out += p == &a ? 'a' : p == &b ? 'b' : p == &c ? 'c' : p == &d ? 'd' : '?';
    }
    return out;
}

}  // namespace

TEST(PointerList, AddHoldsEachPointerOnce) {
    PointerList list;
    EXPECT_FALSE(list.modified());
    EXPECT_EQ(list.add(&a, -1), 1);
    EXPECT_EQ(list.add(&b, -1), 1);
    EXPECT_EQ(list.add(&a, -1), -1);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.add(&c, 0), 1);  // moved to the front
    EXPECT_EQ(Order(list), "cab");
    EXPECT_EQ(list.add(&d, 3), 1);  // position == its own index
    EXPECT_EQ(Order(list), "cabd");
    EXPECT_TRUE(list.modified());
}

TEST(PointerList, GetAndIndexOfOutOfRange) {
    PointerList list;
    EXPECT_EQ(list.get(0), nullptr);
    EXPECT_EQ(list.indexOf(&a), -1);
    ASSERT_EQ(list.add(&a, -1), 1);
    EXPECT_EQ(list.get(-1), nullptr);
    EXPECT_EQ(list.get(1), nullptr);
    EXPECT_EQ(list.indexOf(&a), 0);
    EXPECT_EQ(list.indexOf(&b), -1);
}

TEST(PointerList, MoveShiftsTheEntriesBetween) {
    PointerList list;
    for (int* p : {&a, &b, &c}) ASSERT_EQ(list.add(p, -1), 1);
    EXPECT_EQ(list.move(2, 0), 1);
    EXPECT_EQ(Order(list), "cab");
    EXPECT_EQ(list.move(0, 2), 1);
    EXPECT_EQ(Order(list), "abc");
    EXPECT_EQ(list.move(1, 1), -1);
    EXPECT_EQ(list.move(-1, 0), -1);
    EXPECT_EQ(list.move(0, 3), -1);
    EXPECT_EQ(Order(list), "abc");
}

TEST(PointerList, RemoveAndStackUse) {
    PointerList list;
    for (int* p : {&a, &b, &c}) ASSERT_EQ(list.add(p, -1), 1);
    EXPECT_EQ(list.remove(&d), -1);
    EXPECT_EQ(list.remove(&b), 1);
    EXPECT_EQ(Order(list), "ac");
    // Pop as the registry walk does.
    EXPECT_EQ(list.remove(list.get(list.count() - 1)), 1);
    EXPECT_EQ(list.remove(list.get(list.count() - 1)), 1);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.remove(list.get(list.count() - 1)), -1);
    ASSERT_EQ(list.add(&d, -1), 1);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.add(&d, -1), 1);
}
