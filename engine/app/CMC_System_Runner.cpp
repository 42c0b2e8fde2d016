#include "app/CMC_System_Runner.h"

#include "app/CMC_System.h"
#include "platform/Clock.h"
#include "script/CMC_Integer.h"

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"GETDATE", CMC_System_Runner::MTH_GETDATE},
    {"GETDATESTRING", CMC_System_Runner::MTH_GETDATESTRING},
    {"GETDAY", CMC_System_Runner::MTH_GETDAY},
    {"GETDAYOFWEEK", CMC_System_Runner::MTH_GETDAYOFWEEK},
    {"GETDAYOFWEEKSTRING", CMC_System_Runner::MTH_GETDAYOFWEEKSTRING},
    {"GETMONTH", CMC_System_Runner::MTH_GETMONTH},
    {"GETMONTHSTRING", CMC_System_Runner::MTH_GETMONTHSTRING},
    {"GETYEAR", CMC_System_Runner::MTH_GETYEAR},
    {"GETTIMESTRING", CMC_System_Runner::MTH_GETTIMESTRING},
    {"GETHOUR", CMC_System_Runner::MTH_GETHOUR},
    {"GETMINUTES", CMC_System_Runner::MTH_GETMINUTES},
    {"GETSECONDS", CMC_System_Runner::MTH_GETSECONDS},
    {"GETSYSTEMTIME", CMC_System_Runner::MTH_GETSYSTEMTIME},
    {"GETMHZ", CMC_System_Runner::MTH_GETMHZ},
    {"DELAY", CMC_System_Runner::MTH_DELAY},
    {"COPYFILE", CMC_System_Runner::MTH_COPYFILE},
};

} // namespace

void CMC_System_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_System_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* system = object != nullptr && object->getType() == CMC_System::TYPE ? dynamic_cast<CMC_System*>(object) : nullptr;
    if (system == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    switch (id) {
    case MTH_GETDATE: return giveInteger(system->getDate());
    case MTH_GETDATESTRING: return giveString(system->getDateString());
    case MTH_GETDAY: return giveInteger(system->getDay());
    case MTH_GETDAYOFWEEK: return giveInteger(system->getDayOfWeek());
    case MTH_GETDAYOFWEEKSTRING: return giveString(system->getDayOfWeekString());
    case MTH_GETMONTH: return giveInteger(system->getMonth());
    case MTH_GETMONTHSTRING: return giveString(system->getMonthString());
    case MTH_GETYEAR: return giveInteger(system->getYear());
    case MTH_GETTIMESTRING: return giveString(system->getTimeString());
    case MTH_GETHOUR: return giveInteger(system->getHour());
    case MTH_GETMINUTES: return giveInteger(system->getMinutes());
    case MTH_GETSECONDS: return giveInteger(system->getSeconds());
    case MTH_GETSYSTEMTIME: return giveInteger(system->getSystemTime());
    case MTH_GETMHZ: return giveInteger(system->getMHz());
    case MTH_DELAY: delay(args); return nullptr;
    case MTH_COPYFILE: return copyFile(scope, args);
    default: return CMC_Runner::run(id, object, scope, args);
    }
}

void CMC_System_Runner::delay(CXVector* args)
{
    CMC_Integer* ms = getParameterInteger(args, 0);
    if (ms != nullptr && ms->getValue() > 0)
        platform::sleepMilliseconds(static_cast<uint32_t>(ms->getValue()));
}
