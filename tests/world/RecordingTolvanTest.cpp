#include "RecordingTolvan.h"

#include <gtest/gtest.h>

TEST(RecordingTolvan, WritesCallsDownAndAnswersAsScripted)
{
    RecordingTolvan world;
    world.statuses["GetCollision"] = ITolvan::UNKNOWN_ID;
    world.bodies[4].colliding = true;
    world.bodies[4].collisions = {9, 7};
    world.bodies[4].x = -12.5f;
    world.stepTime = 0.01f;

    float time = 0;
    EXPECT_EQ(world.MoveObjects(&time), ITolvan::OK);
    EXPECT_EQ(time, 0.01f);
    EXPECT_EQ(world.SetPosition(4, -300, 200.5f, 0), ITolvan::OK);
    EXPECT_EQ(world.SetG(4, 0.1), ITolvan::OK);
    EXPECT_EQ(world.Create("a.wld"), ITolvan::OK);
    EXPECT_EQ(world.SetActive(4, false, true), ITolvan::OK);
    bool colliding = false;
    EXPECT_EQ(world.GetCollision(4, &colliding), ITolvan::UNKNOWN_ID);
    EXPECT_TRUE(colliding);
    EXPECT_EQ(world.GetCollision(4, 7, &colliding), ITolvan::UNKNOWN_ID);
    const IVector<uint32_t>* ids = nullptr;
    EXPECT_EQ(world.GetAllCollisions(4, &ids), ITolvan::OK);
    ASSERT_EQ(ids->size(), 2u);
    EXPECT_EQ((*ids)[0], 9u);
    float x = 0, y = 1, z = 1;
    world.GetPosition(4, &x, &y, &z);
    EXPECT_EQ(x, -12.5f);
    EXPECT_EQ(y, 0);

    EXPECT_EQ(world.calls, (std::vector<std::string>{"MoveObjects()", "SetPosition(4, -300, 200.5, 0)", "SetG(4, 0.1)",
                                                     "Create(\"a.wld\")", "SetActive(4, false, true)",
                                                     "GetCollision(4)", "GetCollision(4, 7)", "GetAllCollisions(4)",
                                                     "GetPosition(4)"}));
}
