#include "mixer/PointerList.h"

#include <gtest/gtest.h>

#include <vector>

namespace moravel {
namespace {

TEST(PointerList, ClearFreesEveryItemInOrderThenEmpties) {
    std::vector<int*> freed;
    int a = 1, b = 2;
    TPointerList list([&](void* item) { freed.push_back(static_cast<int*>(item)); });
    list.Add(&a);
    list.Add(&b);
    list.Clear();
    EXPECT_EQ(freed, (std::vector<int*>{&a, &b}));
    EXPECT_EQ(list.Count(), 0);
}

TEST(PointerList, DestructionFreesWhatIsLeft) {
    int freed = 0;
    int a = 1;
    {
        TPointerList list([&](void*) { ++freed; });
        list.Add(&a);
    }
    EXPECT_EQ(freed, 1);
}

TEST(PointerList, IndexOutsideTheListGivesNothing) {
    int a = 1;
    TPointerList list;  // no callback: clearing frees nothing
    list.Add(&a);
    EXPECT_EQ(list.Item(0), &a);
    EXPECT_EQ(list.Item(1), nullptr);
    EXPECT_EQ(list.Item(-1), nullptr);
    list.Clear();
    EXPECT_EQ(a, 1);
}

}  // namespace
}  // namespace moravel
