#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

TEST(CXObject, FreshObjectHasNeutralState)
{
    CXObject object;
    EXPECT_EQ(object.LastError(), 0);
    EXPECT_FALSE(object.isToDelete());
    EXPECT_EQ(object.clone(), nullptr);
    EXPECT_STREQ(object.toString().c_str(), "");
    EXPECT_EQ(object.getHashcode(), static_cast<int>(reinterpret_cast<uintptr_t>(&object)));
    EXPECT_EQ(object.processMessage(nullptr), 0);

    object.setToDelete();
    object.setErrorCode(2000);
    EXPECT_TRUE(object.isToDelete());
    EXPECT_EQ(object.LastError(), 2000);

    CXObject copy(object);
    EXPECT_TRUE(copy.isToDelete());
    EXPECT_EQ(copy.LastError(), 2000);
}

TEST(CXObject, IdentityDecidesEqualityAndComparison)
{
    CXObject a, b;
    EXPECT_TRUE(a.equals(&a));
    EXPECT_FALSE(a.equals(&b));
    EXPECT_EQ(a.compare(&a), 1);
    EXPECT_EQ(a.compare(&b), 0);
    EXPECT_EQ(b.compare(&a), 0);
}

TEST(CXObject, ByteSwapsAndAbsolute)
{
    CXObject object;
    EXPECT_EQ(static_cast<uint16_t>(object.swap_word(255)), 65280);
    EXPECT_EQ(object.swap_dword(0x11223344), 0x44332211);
    for (int value : {0, 1, -1, 0x7F00FF01, static_cast<int>(0x80000000u)})
        EXPECT_EQ(object.swap_dword(object.swap_dword(value)), value);
    EXPECT_EQ(absolute(-5), 5);
    EXPECT_EQ(absolute(0), 0);
    EXPECT_EQ(absolute(7), 7);
    EXPECT_EQ(absolute(-2147483647 - 1), -2147483647 - 1);
}

TEST(CXObject, ProfileWritesOneLinePerStartAndOnlyWithDebugOutput)
{
    platform::ManualClock clock(1000);
    platform::setClock(&clock);
    platform::setDebugOutputEnabled(true);

    testing::internal::CaptureStderr();
    CXObject::profile(nullptr, false);
    CXObject::profile("loading", false);
    clock.advance(42);
    CXObject::profile(nullptr, false);
    CXObject::profile(nullptr, false);
    std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(written, "Time spend in loading: 42 ms.\n");

    platform::setDebugOutputEnabled(false);
    testing::internal::CaptureStderr();
    CXObject::profile("quiet", true);
    CXObject::profile(nullptr, true);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    platform::setClock(nullptr);
}

TEST(CError, StoresCodesButNotTexts)
{
    CError error;
    EXPECT_EQ(error.LastError(), 0);
    EXPECT_EQ(error.GetType(), 1);
    EXPECT_EQ(error << 7, 7);
    EXPECT_EQ(error.LastError(), 7);
    EXPECT_EQ(error << "ignored", 0);
    EXPECT_EQ(error.LastError(), 7);
    error.Type(ERRTYPE_NONE);
    EXPECT_EQ(error.GetType(), 0);
}
