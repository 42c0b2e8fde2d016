#include "foundation/CHashtable.h"
#include "foundation/CInteger.h"
#include "foundation/CStringHashCode.h"
#include "foundation/CXString.h"
#include "foundation/CXVector.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {
// Values the tables point at; tables never delete values.
struct Values {
    std::vector<std::unique_ptr<CXObject>> owned;
    CXObject* make()
    {
        owned.push_back(std::make_unique<CXObject>());
        return owned.back().get();
    }
};

std::vector<int> keyNumbers(const CXVector* keys)
{
    std::vector<int> numbers;
    for (int i = 0; i < keys->getCount(); ++i)
        numbers.push_back(static_cast<CInteger*>(keys->at(i))->toInt());
    return numbers;
}
} // namespace

TEST(CHashtable, FirstOfEqualKeysWinsUntilItIsRemoved)
{
    Values values;
    CXObject* first = values.make();
    CXObject* second = values.make();
    CHashtable table(101, 0.75, true);
    table.put(new CStringHashCode("DOOR"), first);
    table.put(new CStringHashCode("DOOR"), second);
    CStringHashCode probe("DOOR");
    EXPECT_EQ(table.get(&probe), first);
    EXPECT_EQ(table.getSize(), 2);
    EXPECT_EQ(table.getElements()->getCount(), 2);

    table.remove(first);
    EXPECT_EQ(table.get(&probe), second);
    EXPECT_EQ(table.getSize(), 1);
    EXPECT_FALSE(table.contains(first));
    table.remove(first);
    EXPECT_EQ(table.getSize(), 1);

    CStringHashCode otherCase("door");
    EXPECT_EQ(table.get(&otherCase), nullptr);
    EXPECT_EQ(table.get(nullptr), nullptr);
}

TEST(CHashtable, GrowsAtThe76thPutAndKeepsEveryEntryReachable)
{
    Values values;
    CHashtable table(101, 0.75, true);
    std::vector<CXObject*> stored;
    for (int i = 0; i < 76; ++i) {
        if (i == 75) {
            EXPECT_EQ(table.getCapacity(), 101);
        }
        stored.push_back(values.make());
        table.put(new CStringHashCode(("ANIMO_" + std::to_string(i)).c_str()), stored.back());
    }
    EXPECT_EQ(table.getCapacity(), 202);
    EXPECT_EQ(table.getSize(), 76);
    EXPECT_EQ(table.getElements()->getCount(), 76);
    for (int i = 0; i < 76; ++i) {
        CStringHashCode probe(("ANIMO_" + std::to_string(i)).c_str());
        EXPECT_EQ(table.get(&probe), stored[i]) << i;
        EXPECT_TRUE(table.contains(stored[i]));
    }
}

TEST(CHashtable, GrowthPutsTheEntriesAgainInOldBucketOrder)
{
    Values values;
    CHashtable table(4, 0.75, true);
    std::vector<CXObject*> byKey(7);
    for (int key : {6, 5, 1, 3}) {
        byKey[key] = values.make();
        table.put(new CInteger(key), byKey[key]);
    }
    // Before the fourth put, bucket 1 held 5 then 1 and bucket 2 held 6.
    EXPECT_EQ(table.getCapacity(), 8);
    const CXVector* list = table.getElements();
    ASSERT_EQ(list->getCount(), 4);
    const std::vector<CXObject*> expected = {byKey[5], byKey[1], byKey[6], byKey[3]};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list->at(i), expected[i]) << i;
    std::unique_ptr<CXVector> keys(table.getKeys());
    EXPECT_EQ(keyNumbers(keys.get()), (std::vector<int>{1, 3, 5, 6}));
}

TEST(CHashtable, NegativeHashCodesFindABucketInRange)
{
    Values values;
    CHashtable table(3, 0.75, true);
    std::vector<CXObject*> stored;
    const std::vector<int> numbers = {-1, -11, -12, -2147483647 - 1, 5, -102};
    for (int n : numbers) {
        stored.push_back(values.make());
        table.put(new CInteger(n), stored.back());
    }
    CXObject* polish = values.make();
    table.put(new CStringHashCode("\xB9"), polish);
    EXPECT_EQ(table.getCapacity(), 12);
    for (size_t i = 0; i < numbers.size(); ++i) {
        CInteger probe(numbers[i]);
        EXPECT_EQ(table.get(&probe), stored[i]) << numbers[i];
    }
    CStringHashCode probe("\xB9");
    EXPECT_EQ(table.get(&probe), polish);
}

TEST(CHashtable, KeysAndRemovalFollowBucketOrder)
{
    Values values;
    CHashtable table(101, 0.75, true);
    EXPECT_EQ(table.getKeys(), nullptr);

    CXObject* shared = values.make();
    CXObject* other = values.make();
    table.put(new CInteger(7), other);
    table.put(new CInteger(5), shared);
    table.put(new CInteger(2), shared);
    std::unique_ptr<CXVector> keys(table.getKeys());
    EXPECT_EQ(keyNumbers(keys.get()), (std::vector<int>{2, 5, 7}));

    table.remove(shared);
    CInteger two(2), five(5), seven(7);
    EXPECT_EQ(table.get(&two), nullptr);
    EXPECT_EQ(table.get(&five), shared);
    EXPECT_TRUE(table.contains(shared));
    EXPECT_FALSE(table.contains(&seven));

    table.clear();
    EXPECT_EQ(table.getSize(), 0);
    EXPECT_EQ(table.getKeys(), nullptr);
    EXPECT_EQ(table.get(&seven), nullptr);
}

TEST(CHashtable, CloneSharesNoBucketWithItsSource)
{
    Values values;
    CXObject* first = values.make();
    CXObject* second = values.make();
    CXObject* single = values.make();
    auto table = std::make_unique<CHashtable>(11, 0.75, true);
    table->put(new CStringHashCode("SAME"), first);
    table->put(new CStringHashCode("SAME"), second);
    table->put(new CStringHashCode("ALONE"), single);

    table->setToDelete();
    std::unique_ptr<CHashtable> clone(table->clone());
    EXPECT_FALSE(clone->isToDelete());
    CStringHashCode same("SAME");
    EXPECT_EQ(clone->get(&same), first);
    EXPECT_EQ(clone->getSize(), 3);
    EXPECT_EQ(clone->getCapacity(), 11);
    ASSERT_EQ(clone->getElements()->getCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(clone->getElements()->at(i), table->getElements()->at(i));

    clone->remove(first);
    EXPECT_EQ(table->get(&same), first);
    EXPECT_EQ(table->getSize(), 3);

    clone->clear();
    table.reset();
}

TEST(CInteger, ValueIsTheHashCodeAndTheEquality)
{
    CInteger five(5), otherFive(5), six(6);
    EXPECT_TRUE(five.equals(&otherFive));
    EXPECT_FALSE(five.equals(&six));
    EXPECT_EQ(five.getHashcode(), 5);
    EXPECT_EQ(CInteger().toInt(), 0);

    CInteger parsed(CXString(" -42x"));
    EXPECT_EQ(parsed.toInt(), -42);
    parsed.increment();
    parsed.increment();
    parsed.decrement();
    EXPECT_EQ(parsed.toInt(), -41);
    parsed.parse("x42");
    EXPECT_EQ(parsed.toInt(), 0);
    EXPECT_STREQ(CInteger::toString(-7).c_str(), "-7");
}
