#include "foundation/CQuene.h"

#include <gtest/gtest.h>

TEST(CQuene, FifoAndLifoOrder)
{
    int a = 1, b = 2, c = 3;
    CFifoQuene fifo;
    CLifoQuene lifo;
    for (int* p : {&a, &b, &c}) {
        fifo.push(p);
        lifo.push(p);
    }
    EXPECT_EQ(fifo.pop(), &a);
    EXPECT_EQ(fifo.pop(), &b);
    EXPECT_EQ(lifo.pop(), &c);
    EXPECT_EQ(lifo.pop(), &b);
    EXPECT_EQ(fifo.getCount(), 1);
    EXPECT_EQ(fifo.pop(), &c);
    EXPECT_EQ(lifo.pop(), &a);
    EXPECT_EQ(fifo.pop(), nullptr);
    EXPECT_EQ(lifo.pop(), nullptr);
}

TEST(CQuene, ObjectQueuesGiveNullWhenEmpty)
{
    CXObject a, b, c;
    CXFifoQuene fifo;
    CXLifoQuene lifo;
    for (CXObject* p : {&a, &b, &c}) {
        fifo.push(p);
        lifo.push(p);
    }
    EXPECT_EQ(fifo.pop(), &a);
    EXPECT_EQ(lifo.pop(), &c);
    EXPECT_EQ(lifo.pop(), &b);
    EXPECT_EQ(lifo.pop(), &a);
    EXPECT_EQ(lifo.pop(), nullptr);
    EXPECT_EQ(fifo.pop(), &b);
    EXPECT_EQ(fifo.pop(), &c);
    EXPECT_EQ(fifo.pop(), nullptr);
}
