#include "app/CMC_System.h"

#include "platform/Clock.h"
#include "script/CMC_ObjectsContainer.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <ctime>
#include <optional>

namespace {

constexpr const char* kDayNames[] = {"Niedziela", "Poniedzialek", "Wtorek", "Sroda", "Czwartek", "Piatek", "Sobota"};
constexpr const char* kMonthNames[] = {"Styczen", "Luty",     "Marzec",    "Kwiecien", "Maj",      "Czerwiec",
                                       "Lipiec",  "Sierpien", "Wrzesien", "Pazdziernik", "Listopad", "Grudzien"};
constexpr int kMeasuredMs = 50;

std::tm now()
{
    const auto seconds = static_cast<std::time_t>(platform::calendarSeconds());
    std::tm calendar{};
    gmtime_r(&seconds, &calendar);
    return calendar;
}

using Counter = std::chrono::steady_clock;

Counter::duration waitTarget(int ms)
{
    return std::chrono::duration_cast<Counter::duration>(std::chrono::milliseconds(ms));
}

// Reads the counter until the time has passed.
void countedWait(int ms)
{
    const Counter::time_point start = Counter::now();
    while (Counter::now() - start < waitTarget(ms)) {
    }
}

// The same readings as countedWait, but it goes on only while the time passed is exactly the
// target: what its cycles measure is the cost of the waiting itself.
void emptyWait(int ms)
{
    const Counter::time_point start = Counter::now();
    while (Counter::now() - start == waitTarget(ms)) {
    }
}

} // namespace

CMC_System::CMC_System(CMC_ObjectsContainer* container)
    : CMC_Object(CXString("SYSTEM"), TYPE)
{
    setScene(container);
}

int CMC_System::getDate() const
{
    const std::tm today = now();
    return (today.tm_year + 1900 - 2000) * 10000 + (today.tm_mon + 1) * 100 + today.tm_mday;
}

CXString CMC_System::getDateString() const
{
    const std::tm today = now();
    return CXString::toString(today.tm_mday) + "/" + kMonthNames[today.tm_mon] + "/" +
           CXString::toString(today.tm_year + 1900);
}

int CMC_System::getDay() const
{
    return now().tm_mday;
}

CXString CMC_System::getDayOfWeekString() const
{
    return CXString(kDayNames[now().tm_wday]);
}

int CMC_System::getMonth() const
{
    return now().tm_mon + 1;
}

CXString CMC_System::getMonthString() const
{
    return CXString(kMonthNames[now().tm_mon]);
}

int CMC_System::getYear() const
{
    return now().tm_year + 1900;
}

CXString CMC_System::getTimeString() const
{
    const std::tm today = now();
    return CXString::toString(today.tm_hour) + ":" + CXString::toString(today.tm_min);
}

int CMC_System::getHour() const
{
    return now().tm_hour;
}

int CMC_System::getMinutes() const
{
    return now().tm_min;
}

int CMC_System::getSeconds() const
{
    return now().tm_sec;
}

int CMC_System::getSystemTime() const
{
    return static_cast<int>(platform::tickCount());
}

int CMC_System::getMHz() const
{
    const std::optional<uint64_t> t0 = platform::cycleCount();
    if (!t0)
        return 0;
    countedWait(kMeasuredMs);
    const uint64_t t1 = *platform::cycleCount();
    const uint64_t t2 = *platform::cycleCount();
    emptyWait(kMeasuredMs);
    const uint64_t t3 = *platform::cycleCount();
    const int64_t cycles = static_cast<int64_t>((t1 - *t0) - (t3 - t2));
    const int64_t mhz = cycles / kMeasuredMs / 1000;
    return static_cast<int>(std::clamp<int64_t>(mhz, INT_MIN, INT_MAX));
}
