#include "foundation/CSortedVector.h"
#include "foundation/CXArray.h"
#include "foundation/CXPair.h"
#include "foundation/CXString.h"
#include "foundation/CXVector.h"
#include "script/CMC_String.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
// Distinct pointers to store; the containers never dereference them.
int slots[2000];

std::vector<void*> contents(const CXArray& array)
{
    std::vector<void*> elements;
    for (int i = 0; i < array.getCount(); ++i)
        elements.push_back(array.at(i));
    return elements;
}

// An element that orders by a number, as the draw and listener lists do.
class Ranked : public CXObject {
public:
    explicit Ranked(int rank)
        : rank_(rank)
    {
    }
    int compare(CXObject* other) override { return rank_ - static_cast<Ranked*>(other)->rank_; }

private:
    int rank_;
};
} // namespace

TEST(CXArray, StorageDoublesWhenTheElementPastTheFillLimitArrives)
{
    CXArray array;
    CXVector vector;
    for (int i = 0; i < 75; ++i) {
        array.add(&slots[i]);
        vector.add(reinterpret_cast<CXObject*>(&slots[i]));
    }
    EXPECT_EQ(array.getCapacity(), 101);
    EXPECT_EQ(vector.getCapacity(), 101);

    array.add(&slots[75]);
    vector.add(reinterpret_cast<CXObject*>(&slots[75]));
    EXPECT_EQ(array.getCapacity(), 202);
    EXPECT_EQ(vector.getCapacity(), 202);
    ASSERT_EQ(array.getCount(), 76);
    for (int i = 0; i < 76; ++i)
        EXPECT_EQ(array.at(i), &slots[i]);
    EXPECT_EQ(contents(vector), contents(array));
}

TEST(CXArray, SmallStorageNeverOverflows)
{
    for (int initialSize : {0, 1, 2, 3, 4}) {
        CXArray added(initialSize, 0.75f);
        CXArray inserted(initialSize, 0.75f);
        CSortedVector sorted(initialSize);
        std::vector<void*> expected;
        for (int i = 0; i < 100; ++i) {
            added.add(&slots[i]);
            inserted.insertAt(inserted.getCount(), &slots[i]);
            sorted.add(new CXObject);
            expected.push_back(&slots[i]);
        }
        EXPECT_EQ(contents(added), expected) << initialSize;
        EXPECT_EQ(contents(inserted), expected) << initialSize;
        EXPECT_EQ(sorted.getCount(), 100);
        for (int i = 0; i < sorted.getCount(); ++i)
            delete sorted.at(i);
    }
}

TEST(CXArray, RepeatedInsertionAtTheFrontGrowsTheStorage)
{
    CXArray array;
    CXVector vector(4, 0.75f);
    for (int i = 0; i < 1000; ++i) {
        array.insertAt(0, &slots[i]);
        vector.insertAt(0, reinterpret_cast<CXObject*>(&slots[i]));
    }
    ASSERT_EQ(array.getCount(), 1000);
    for (int i = 0; i < 1000; ++i)
        EXPECT_EQ(array.at(i), &slots[999 - i]);
    EXPECT_EQ(contents(vector), contents(array));
    EXPECT_GE(array.getCapacity(), 1000);
}

TEST(CXArray, InsertRemoveAndFindKeepTheOrder)
{
    void* a = &slots[0];
    void* b = &slots[1];
    void* p = &slots[2];
    CXArray array;
    array.add(a);
    array.add(b);
    array.insertAt(0, p);
    EXPECT_EQ(contents(array), (std::vector<void*>{p, a, b}));
    array.removeAt(0);
    array.insertAt(2, p);
    EXPECT_EQ(contents(array), (std::vector<void*>{a, b, p}));
    array.insertAt(4, p);
    array.insertAt(-1, p);
    array.removeAt(-1);
    array.removeAt(3);
    EXPECT_EQ(contents(array), (std::vector<void*>{a, b, p}));

    array.add(a);
    array.remove(a);
    EXPECT_EQ(contents(array), (std::vector<void*>{b, p, a}));
    EXPECT_EQ(array.find(a), 2);
    EXPECT_EQ(array.find(&slots[9]), -1);
    EXPECT_FALSE(array.contains(&slots[9]));
    EXPECT_TRUE(array.replace(b, a));
    EXPECT_FALSE(array.replace(b, a));
    EXPECT_EQ(contents(array), (std::vector<void*>{a, p, a}));

    array.removeAll();
    EXPECT_EQ(array.getCount(), 0);
    EXPECT_EQ(array.getCapacity(), 101);
}

TEST(CXArray, SetAtGrowsTheArrayButChecksTheVectorsCount)
{
    CXArray array;
    EXPECT_EQ(array.setAt(150, &slots[0]), nullptr);
    EXPECT_EQ(array.getCapacity(), 202);
    EXPECT_EQ(array.getCount(), 0);
    EXPECT_EQ(array.at(150), &slots[0]);
    EXPECT_EQ(array.setAt(150, &slots[1]), &slots[0]);
    EXPECT_EQ(array.setAt(-1, &slots[1]), nullptr);

    CXVector vector;
    CXObject a, b;
    EXPECT_EQ(vector.setAt(0, &a), nullptr);
    EXPECT_EQ(vector.getCount(), 0);
    vector.add(&a);
    EXPECT_EQ(vector.setAt(0, &b), &a);
    EXPECT_EQ(vector.at(0), &b);
}

TEST(CXArray, StringAccessAndScriptStringSearch)
{
    CXString text("abc");
    CXArray strings;
    strings.add(&text);
    EXPECT_EQ(strings.stringAt(0), &text);
    EXPECT_EQ(strings.stringAt(1), nullptr);
    EXPECT_EQ(strings.stringAt(-1), nullptr);

    CMC_String door("a", "Drzwi \xB9");
    CMC_String key("b", "KEY");
    CXArray values;
    values.add(static_cast<void*>(nullptr));
    values.add(&door);
    values.add(&key);
    EXPECT_TRUE(values.containsString("key"));
    EXPECT_TRUE(values.containsString("DRZWI \xA5"));
    EXPECT_FALSE(values.containsString("KEYS"));
    EXPECT_FALSE(CXArray().containsString(""));
}

TEST(CXArray, ClonesAndCopiesShareTheElements)
{
    CXObject a, b, c;
    CXVector vector(3, 0.75f);
    vector.add(&a);
    vector.add(&b);
    CXVector* clone = vector.clone();
    EXPECT_EQ(clone->getCapacity(), vector.getCapacity());
    EXPECT_EQ(contents(*clone), contents(vector));

    CXVector target;
    target.add(&c);
    target.add(&c);
    target.add(&c);
    vector.copyInto(&target);
    EXPECT_EQ(contents(target), contents(vector));
    target.copyInto(&target);
    EXPECT_EQ(contents(target), contents(vector));

    clone->add(clone);
    EXPECT_EQ(contents(*clone), (std::vector<void*>{&a, &b, &a, &b}));
    delete clone;

    CSortedVector sorted(5);
    sorted.add(&a);
    CXVector* plain = sorted.clone();
    EXPECT_EQ(dynamic_cast<CSortedVector*>(plain), nullptr);
    EXPECT_EQ(plain->at(0), &a);
    delete plain;
}

TEST(CSortedVector, EqualElementsKeepTheirOrderOfArrival)
{
    Ranked three(3), one(1), two(2), otherTwo(2);
    CSortedVector sorted(101);
    for (Ranked* r : {&three, &one, &two, &otherTwo})
        sorted.add(r);
    EXPECT_EQ(contents(sorted), (std::vector<void*>{&one, &two, &otherTwo, &three}));

    CSortedVector* reversed = sorted.reverse();
    EXPECT_EQ(contents(*reversed), (std::vector<void*>{&one, &otherTwo, &two, &three}));
    delete reversed;

    CXObject a, b;
    CSortedVector unordered(2);
    unordered.add(&a);
    unordered.add(&b);
    EXPECT_EQ(contents(unordered), (std::vector<void*>{&a, &b}));
}

TEST(CXPair, NamedPairKeepsTheNameInLowerCase)
{
    CXPair named("AbC", &slots[0]);
    EXPECT_STREQ(named.name.c_str(), "abc");
    EXPECT_EQ(named.first, &slots[0]);
    EXPECT_EQ(named.second, &slots[0]);

    CXPair* clone = named.clone();
    EXPECT_STREQ(clone->name.c_str(), "cloned");
    EXPECT_EQ(clone->first, &slots[0]);
    delete clone;
}
