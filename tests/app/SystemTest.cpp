#include "app/CMC_System.h"
#include "platform/Clock.h"
#include "script/CMC_Behaviour.h"

#include "app/SceneWorld.h"

#include <gtest/gtest.h>

#include <ctime>
#include <string>
#include <utility>
#include <vector>

namespace {

int64_t utc(int year, int month, int day, int hour, int minute, int second)
{
    std::tm calendar{};
    calendar.tm_year = year - 1900;
    calendar.tm_mon = month - 1;
    calendar.tm_mday = day;
    calendar.tm_hour = hour;
    calendar.tm_min = minute;
    calendar.tm_sec = second;
    return timegm(&calendar);
}

class SystemObject : public ::testing::Test {
protected:
    SystemObject() { scene->addObject(new CMC_System(scene)); }
    ~SystemObject() override { platform::setCalendarSeconds(std::nullopt); }

    std::string call(const std::string& method)
    {
        CMC_Object* result = CMC_Behaviour::runLine(scene, scene, CXString(("SYSTEM^" + method).c_str()), nullptr);
        const std::string text = result != nullptr && result->asVariable() != nullptr ? result->asVariable()->toString().c_str() : "none";
        CMC_Object::releaseResult(result);
        return text;
    }

    SceneWorld world;
    CMC_Scene* scene = world.scene("S", "S");
};

} // namespace

// The date and time are UTC; the day of the week is the day of the month, as scripts have
// always had it, and the date's text carries the four-digit year.
TEST_F(SystemObject, DatesAndTimesAreThoseOfTheCalendarInUtc)
{
    platform::setCalendarSeconds(utc(2004, 5, 7, 9, 5, 7));
    const std::pair<const char*, const char*> expected[] = {
        {"GETDATE()", "40507"},          {"GETDATESTRING()", "7/Maj/2004"},     {"GETDAY()", "7"},
        {"GETDAYOFWEEK()", "7"},         {"GETDAYOFWEEKSTRING()", "Piatek"},    {"GETMONTH()", "5"},
        {"GETMONTHSTRING()", "Maj"},     {"GETYEAR()", "2004"},                 {"GETTIMESTRING()", "9:5"},
        {"GETHOUR()", "9"},              {"GETMINUTES()", "5"},                 {"GETSECONDS()", "7"},
    };
    for (const auto& [method, value] : expected)
        EXPECT_EQ(call(method), value) << method;

    const std::pair<int64_t, const char*> names[] = {{utc(2004, 5, 9, 0, 0, 0), "Niedziela/Maj"},
                                                     {utc(2004, 5, 8, 23, 59, 59), "Sobota/Maj"},
                                                     {utc(2004, 12, 1, 12, 0, 0), "Sroda/Grudzien"},
                                                     {utc(2010, 1, 31, 0, 0, 0), "Niedziela/Styczen"}};
    for (const auto& [when, name] : names) {
        platform::setCalendarSeconds(when);
        EXPECT_EQ(call("GETDAYOFWEEKSTRING()") + "/" + call("GETMONTHSTRING()"), name);
    }
    platform::setCalendarSeconds(utc(2010, 1, 31, 0, 0, 0));
    EXPECT_EQ(call("GETDATE()"), "100131");
}

TEST_F(SystemObject, DelayWaitsOnTheClockAndSystemTimeReadsIt)
{
    world.clock().set(5000);
    EXPECT_EQ(call("GETSYSTEMTIME()"), "5000");
    call("DELAY(250)");
    EXPECT_EQ(call("GETSYSTEMTIME()"), "5250");
    for (const char* nothing : {"DELAY(0)", "DELAY(-5)", "DELAY()"})
        call(nothing);
    EXPECT_EQ(call("GETSYSTEMTIME()"), "5250");
}

TEST_F(SystemObject, CopyFileReplacesTheTargetAndFailsWithoutASource)
{
    world.write("from.txt", "new");
    world.write("to.txt", "old");
    EXPECT_EQ(call("COPYFILE(\"from.txt\",\"to.txt\")"), "TRUE");
    EXPECT_EQ(world.headless.folder().read("to.txt"), "new");
    EXPECT_EQ(call("COPYFILE(\"missing.txt\",\"to.txt\")"), "FALSE");
    EXPECT_EQ(call("COPYFILE(\"from.txt\")"), "FALSE");
    EXPECT_EQ(world.headless.folder().read("to.txt"), "new");
}

TEST_F(SystemObject, TheProcessorClockIsMeasuredFromItsCycleCounter)
{
    const int mhz = std::stoi(call("GETMHZ()"));
    if (!platform::cycleCount())
        EXPECT_EQ(mhz, 0);
    else
        EXPECT_GT(mhz, 10);
}
