#include "graphics/CRefreshScreen.h"

#include <gtest/gtest.h>

TEST(CRefreshScreen, DrawListRunsInPriorityOrderAndForgetsObjectsTakenOff)
{
    CRefreshScreen screen(nullptr);
    CGraphicsObject back(nullptr), middle(nullptr), front(nullptr), sameAsMiddle(nullptr);
    screen.put(&front, 10);
    screen.put(&middle, 5);
    screen << &back;
    screen.put(&sameAsMiddle, 5);
    screen.put(&back, 99);
    screen.put(nullptr, 1);

    EXPECT_EQ(screen.getIndex(&back), 0);
    EXPECT_EQ(screen.getIndex(&middle), 1);
    EXPECT_EQ(screen.getIndex(&sameAsMiddle), 2);
    EXPECT_EQ(screen.getIndex(&front), 3);
    EXPECT_EQ(screen.GetPriority(&back), 0);

    screen >> &middle >> nullptr;
    EXPECT_EQ(screen.getIndex(&middle), -1);
    EXPECT_EQ(screen.GetPriority(&middle), -1);
    EXPECT_EQ(screen.getIndex(&front), 2);
    screen >> &middle;
    EXPECT_EQ(screen.getIndex(&sameAsMiddle), 1);
}
