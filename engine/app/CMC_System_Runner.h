#pragma once

#include "script/CMC_Runner.h"

// The methods of SYSTEM.
class CMC_System_Runner : public CMC_Runner {
public:
    static constexpr int MTH_GETDATE = 1;
    static constexpr int MTH_GETDATESTRING = 2;
    static constexpr int MTH_GETDAY = 3;
    static constexpr int MTH_GETDAYOFWEEK = 4;
    static constexpr int MTH_GETDAYOFWEEKSTRING = 5;
    static constexpr int MTH_GETMONTH = 6;
    static constexpr int MTH_GETMONTHSTRING = 7;
    static constexpr int MTH_GETYEAR = 8;
    static constexpr int MTH_GETTIMESTRING = 9;
    static constexpr int MTH_GETHOUR = 10;
    static constexpr int MTH_GETMINUTES = 11;
    static constexpr int MTH_GETSECONDS = 12;
    static constexpr int MTH_GETSYSTEMTIME = 13;
    static constexpr int MTH_GETMHZ = 14;
    static constexpr int MTH_DELAY = 15;
    static constexpr int MTH_COPYFILE = 16;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // DELAY(ms): the whole program waits; nothing for 0 or less.
    void delay(CXVector* args);
};
