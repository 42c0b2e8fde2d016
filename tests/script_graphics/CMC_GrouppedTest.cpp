#include "script_graphics/CMC_Groupped.h"

#include "foundation/CXVector.h"
#include "script/CMC_SignalList.h"

#include <gtest/gtest.h>

TEST(Group, ListsEachObjectOnceAndOwnsNone)
{
    CMC_Object a(CXString("A"), 0);
    CMC_Object b(CXString("B"), 0);
    CMC_Groupped group(CXString("G"), nullptr);
    EXPECT_EQ(group.getType(), 3000);
    group.add(&a);
    group.add(&b);
    group.add(&a);
    ASSERT_EQ(group.getList()->getCount(), 2);
    EXPECT_EQ(group.getList()->at(0), &a);
    EXPECT_EQ(group.getList()->at(1), &b);
    group.removeAll();
    EXPECT_EQ(group.getList()->getCount(), 0);
    EXPECT_EQ(a.getName(), "A");

    const CMC_SignalList* signals = group.getBehavioursList();
    ASSERT_EQ(signals->getCount(), 3);
    EXPECT_EQ(signals->at(2), "ONSIGNAL");
}
