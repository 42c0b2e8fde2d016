#include "script/CMC_Rand_Runner.h"

#include "script/CMC_Array.h"

#include "DataObjects.h"

#include <set>

namespace {

class RandomNumbers : public DataObjects {
protected:
    RandomNumbers()
    {
        random = new CMC_Object(CXString("RANDOM"), CMC_Object::TYPE_RANDOM);
        random->setScene(scene);
        scene->addObject(random);
        numbers = new CMC_Array(scene, CXString("A"));
        scene->addObject(numbers);
    }

    int draw(std::initializer_list<CMC_Object*> arguments)
    {
        return std::stoi(call(random, "GET", arguments).substr(8));
    }

    CMC_Object* random;
    CMC_Array* numbers;
};

} // namespace

TEST_F(RandomNumbers, GetDrawsBelowACountFromAMinimum)
{
    EXPECT_EQ(call(random, "GET"), "INTEGER 0");
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(draw({I(0)}), 0);
        EXPECT_EQ(draw({I(1)}), 0);
        const int below = draw({I(6)});
        EXPECT_TRUE(below >= 0 && below < 6) << below;
        const int ranged = draw({I(10), I(5), I(99)});
        EXPECT_TRUE(ranged >= 10 && ranged <= 14) << ranged;
        EXPECT_EQ(draw({I(7), I(0)}), 7);
    }
}

TEST_F(RandomNumbers, GetPlentyAppendsToANamedArray)
{
    numbers->add(static_cast<CMC_Variable*>(I(0)));
    run("RANDOM^GETPLENTY(A,6,1,49,TRUE);");
    ASSERT_EQ(numbers->getSize(), 7);
    std::set<int> drawn;
    for (int i = 1; i < numbers->getSize(); ++i) {
        const int value = static_cast<CMC_Integer*>(numbers->get(i))->getValue();
        EXPECT_TRUE(value >= 1 && value <= 49) << value;
        drawn.insert(value);
    }
    EXPECT_EQ(drawn.size(), 6u);

    // A count of 0, below 0 or above 10,000, too few arguments or no ARRAY append nothing.
    integer("N", 0);
    run("RANDOM^GETPLENTY(A,0,1,49,TRUE);RANDOM^GETPLENTY(A,-3,1,49,FALSE);RANDOM^GETPLENTY(A,10001,1,49,FALSE);"
        "RANDOM^GETPLENTY(A,2,1,49);RANDOM^GETPLENTY(N,2,1,49,FALSE);RANDOM^GETPLENTY(NOSUCH,2,1,49,FALSE);");
    EXPECT_EQ(numbers->getSize(), 7);
    EXPECT_EQ(text("N"), "0");
    // More distinct values than the range holds: each value once, then repeats.
    run("A^REMOVEALL();RANDOM^GETPLENTY(A,5,3,2,TRUE);");
    ASSERT_EQ(numbers->getSize(), 5);
    std::set<std::string> values;
    for (int i = 0; i < numbers->getSize(); ++i)
        values.insert(numbers->get(i)->toString().c_str());
    EXPECT_EQ(values, (std::set<std::string>{"3", "4"}));
}
