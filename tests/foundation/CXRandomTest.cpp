#include "foundation/CXRandom.h"

#include "platform/Clock.h"
#include "platform/DebugOutput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {

class CXRandomTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setClock(&clock);
        CXRandom::seed(1);
    }
    void TearDown() override { platform::setClock(nullptr); }

    platform::ManualClock clock{0};
};

} // namespace

TEST_F(CXRandomTest, DrawsFollowTheClassicGenerator)
{
    // The first draws of the generator seeded with 1.
    std::vector<int> draws;
    for (int i = 0; i < 5; ++i)
        draws.push_back(CXRandom::draw());
    EXPECT_EQ(draws, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
}

TEST_F(CXRandomTest, RangesStayInsideEvenWithALargeTickCount)
{
    EXPECT_EQ(CXRandom::random(0), 0);
    EXPECT_EQ(CXRandom::random(9, 0), 9) << "no values to choose from gives the start";
    for (uint32_t ticks : {0u, 0x7FFFFFF0u, 0xFFFFFFF0u}) {
        clock.set(ticks);
        for (int i = 0; i < 200; ++i) {
            int r = CXRandom::random(10);
            EXPECT_GE(r, 0);
            EXPECT_LT(r, 10);
            int s = CXRandom::random(5, 3);
            EXPECT_GE(s, 5);
            EXPECT_LE(s, 7);
        }
    }
}

TEST_F(CXRandomTest, VectorOfUniqueValues)
{
    int* values = CXRandom::random_vector(1, 10, 0, true); // count 0 means 10 - 1
    std::set<int> distinct(values, values + 9);
    EXPECT_EQ(distinct.size(), 9u);
    EXPECT_GE(*distinct.begin(), 1);
    EXPECT_LE(*distinct.rbegin(), 10);
}

TEST_F(CXRandomTest, UniqueDrawsEndWhenValuesRunOut)
{
    int* values = CXRandom::random_vector(0, 3, 10, true);
    std::set<int> firstThree(values, values + 3);
    EXPECT_EQ(firstThree, (std::set<int>{0, 1, 2}));
    EXPECT_TRUE(std::all_of(values, values + 10, [](int v) { return v >= 0 && v <= 2; }));
}

TEST_F(CXRandomTest, OversizedCountWritesNothing)
{
    int* values = CXRandom::random_vector(0, 1, 5, false);
    ASSERT_TRUE(std::all_of(values, values + 5, [](int v) { return v == 0; }));
    platform::setDebugOutputEnabled(true);
    testing::internal::CaptureStderr();
    CXRandom::random_vector(100, 10, 10001, false);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Arguments error: Random::getPlenty( )\n");
    platform::setDebugOutputEnabled(false);
    EXPECT_TRUE(std::all_of(values, values + 5, [](int v) { return v == 0; }));
    EXPECT_EQ(CXRandom::random_vector(5, 1, 0, false), values) << "a count below 1 writes nothing";
    EXPECT_TRUE(std::all_of(values, values + 5, [](int v) { return v == 0; }));
}
