#include "script/CMC_VariableFactory.h"

#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_String.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class Pools : public ::testing::Test {
protected:
    Pools() { CMC_VariableFactory::initialize(); }
    ~Pools() override { CMC_VariableFactory::done(); }
};

} // namespace

TEST_F(Pools, LendRoundRobinFromTheSlotLentLast)
{
    CMC_Integer* first = CMC_VariableFactory::allocInteger();
    EXPECT_EQ(first->getId(), 1);
    EXPECT_EQ(first->getName(), "f");
    EXPECT_EQ(CMC_VariableFactory::allocInteger()->getId(), 2);
    CMC_VariableFactory::free(first);
    EXPECT_EQ(CMC_VariableFactory::allocInteger()->getId(), 3);
    for (int id = 4; id < 500; ++id)
        CMC_VariableFactory::allocInteger();
    EXPECT_EQ(CMC_VariableFactory::allocInteger()->getId(), 0);
    EXPECT_EQ(CMC_VariableFactory::allocInteger(), first);

    CMC_VariableFactory::clearPool();
    EXPECT_EQ(CMC_VariableFactory::allocInteger()->getId(), 2);
    EXPECT_EQ(CMC_VariableFactory::allocBool()->getId(), 1);
    EXPECT_EQ(CMC_VariableFactory::allocDouble()->getId(), 1);
    EXPECT_EQ(CMC_VariableFactory::allocString()->getId(), 1);
}

TEST_F(Pools, AFullPoolGrowsAndKeepsItsOrder)
{
    std::set<CMC_String*> lent;
    for (int i = 0; i < 600; ++i)
        lent.insert(CMC_VariableFactory::allocString());
    EXPECT_EQ(lent.size(), 600u);
    CMC_String* last = CMC_VariableFactory::allocString();
    EXPECT_EQ(last->getId(), 600);

    CMC_VariableFactory::free(last);
    EXPECT_EQ(CMC_VariableFactory::allocString()->getId(), 601);
    CMC_VariableFactory::clearPool();
    EXPECT_EQ(CMC_VariableFactory::allocString()->getId(), 602);
}

TEST_F(Pools, MembersKeepTheirLastValueAndOnlyPoolMembersGoBack)
{
    CMC_Double* value = CMC_VariableFactory::allocDouble();
    value->setValue(2.5);
    CMC_VariableFactory::clearPool();
    for (int i = 0; i < 499; ++i)
        CMC_VariableFactory::allocDouble();
    EXPECT_EQ(CMC_VariableFactory::allocDouble(), value);
    EXPECT_DOUBLE_EQ(value->getValue(), 2.5);

    // Only a value that is the member of its slot goes back.
    CMC_Integer named(CXString("N"));
    CMC_Integer impostor(CXString("f"), 3);
    CMC_Object::flush(&named, false);
    CMC_Object::flush(nullptr, false);
    for (int id = 1; id <= 3; ++id)
        CMC_VariableFactory::allocInteger();
    CMC_Object::flush(&impostor, false);
    for (int i = 0; i < 497; ++i)
        CMC_VariableFactory::allocInteger();
    EXPECT_EQ(CMC_VariableFactory::allocInteger()->getId(), 500);

    CMC_String word(CXString("W"), CXString("x"));
    CMC_Variable* copy = CMC_VariableFactory::copyVariable(&word);
    ASSERT_NE(copy, nullptr);
    EXPECT_GE(copy->getId(), 0);
    EXPECT_EQ(copy->toString(), "x");
    EXPECT_EQ(CMC_VariableFactory::copyVariable(nullptr), nullptr);
}

TEST(PoolsUninitialised, LendAfterGrowingFromNothing)
{
    CMC_Bool* value = CMC_VariableFactory::allocBool();
    ASSERT_NE(value, nullptr);
    EXPECT_GE(value->getId(), 0);
    CMC_VariableFactory::done();
}
