#pragma once

#include "script/CMC_Object.h"

// The SYSTEM script object, which the application makes: the date and time (UTC), a
// processor clock estimate, a blocking delay and a file copy. Each reading takes the calendar
// time anew. Never defined in a file and never stored.
class CMC_System : public CMC_Object {
public:
    static constexpr int TYPE = 11000;

    // Named "SYSTEM", kept by the container.
    explicit CMC_System(CMC_ObjectsContainer* container);

    // (year - 2000) * 10000 + month * 100 + day of the month.
    int getDate() const;
    // Day of the month, month name and four-digit year: "7/Maj/2004".
    CXString getDateString() const;
    // 1 to 31.
    int getDay() const;
    // The day of the month too, as scripts have always had it.
    int getDayOfWeek() const { return getDay(); }
    // "Niedziela" to "Sobota".
    CXString getDayOfWeekString() const;
    // 1 to 12.
    int getMonth() const;
    // "Styczen" to "Grudzien".
    CXString getMonthString() const;
    int getYear() const;
    // Hour and minutes without leading zeros: "9:5".
    CXString getTimeString() const;
    int getHour() const;
    int getMinutes() const;
    int getSeconds() const;
    // The engine's millisecond tick count.
    int getSystemTime() const;
    // Processor cycles counted over 50 ms, less those of the waiting itself, in MHz; 0
    // without a cycle counter.
    int getMHz() const;
};
