#include "script/CMC_Groupped.h"

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

// The marker walks the members as a ring whose last place is also the place before the first;
// steps of 0 or less stay on the members, and an empty group reaches none.
TEST(Group, TheMarkerWalksTheMembersAsARing)
{
    CMC_Object a(CXString("A"), 0), b(CXString("B"), 0), c(CXString("C"), 0);
    CMC_Groupped group(CXString("G"), nullptr);
    EXPECT_EQ(group.next(1), nullptr);
    EXPECT_EQ(group.prev(-3), nullptr);
    EXPECT_EQ(group.getMarkerPos(), -1);
    group.setMarkerPos(0);
    EXPECT_EQ(group.getMarkerPos(), -1);
    for (CMC_Object* member : {&a, &b, &c})
        group.add(member);

    struct Step {
        char op;
        int n;
        const char* reached;
        int marker;
    };
    const Step steps[] = {
        {'n', 1, "A", 0}, {'n', 1, "B", 1}, {'n', 1, "C", 2}, {'n', 1, "A", 0}, {'r', 0, nullptr, -1},
        {'p', 1, "B", 1}, {'r', 0, nullptr, -1}, {'n', 2, "B", 1}, {'n', 0, "B", 1}, {'p', -1, "C", 2},
        {'n', -7, "B", 1}, {'r', 0, nullptr, -1}, {'n', 0, "C", 2}, {'s', 10, nullptr, 2}, {'s', -5, nullptr, -1},
        {'s', 1, nullptr, 1}, {'n', 2147483647, "C", 2},
    };
    for (const Step& step : steps) {
        CMC_Object* reached = nullptr;
        switch (step.op) {
        case 'n':
            reached = group.next(step.n);
            break;
        case 'p':
            reached = group.prev(step.n);
            break;
        case 'r':
            group.resetMarker();
            break;
        default:
            group.setMarkerPos(step.n);
            break;
        }
        EXPECT_EQ(reached != nullptr ? std::string(reached->getName().c_str()) : "", step.reached ? step.reached : "")
            << step.op << step.n;
        EXPECT_EQ(group.getMarkerPos(), step.marker) << step.op << step.n;
    }
    // Removing members leaves the marker; get outside the list gives none.
    group.setMarkerPos(2);
    group.remove(&c);
    EXPECT_EQ(group.getMarkerPos(), 2);
    EXPECT_EQ(group.get(2), nullptr);
    EXPECT_EQ(group.get(-1), nullptr);
    EXPECT_EQ(group.toString(), "A,B");
    group.removeAll();
    EXPECT_EQ(group.toString(), "");
    EXPECT_EQ(group.getMarkerPos(), 2);
}

// A destroyed object leaves every group that lists it, wherever it is listed.
TEST(Group, ADestroyedMemberLeavesEveryGroup)
{
    CMC_Groupped first(CXString("F"), nullptr), second(CXString("S"), nullptr);
    auto member = std::make_unique<CMC_Object>(CXString("M"), 0);
    CMC_Object other(CXString("O"), 0);
    first.add(member.get());
    first.add(&other);
    second.add(&other);
    second.getList()->add(member.get());
    second.getList()->add(member.get());
    member.reset();
    EXPECT_EQ(first.toString(), "O");
    EXPECT_EQ(second.toString(), "O");
}
