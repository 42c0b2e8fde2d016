#include "script/CMC_Database_Runner.h"

#include "script/CMC_Database.h"
#include "script/CMC_Integer.h"
#include "script/CMC_Structure.h"

namespace {

constexpr const char* kMethods[] = {"ADD",    "REMOVE", "LOAD",      "SAVE",     "REMOVEALL", "FIND",        "SELECT",
                                    "NEXT",   "PREV",   "GETROWSNO", "REMOVEAT", "INSERTAT",  "GETCURSORPOS"};

} // namespace

void CMC_Database_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    int id = MTH_ADD;
    for (const char* name : kMethods)
        registerMethod(name, id++);
}

CMC_Structure* CMC_Database_Runner::structureArgument(CXVector* args, int i, CMC_ObjectsContainer* scope)
{
    CMC_Object* named = getParameterObject(args, i, scope);
    return named != nullptr && named->getType() == CMC_Object::TYPE_STRUCTURE ? dynamic_cast<CMC_Structure*>(named)
                                                                               : nullptr;
}

CMC_Object* CMC_Database_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    const bool isDatabase = object != nullptr && object->getType() == CMC_Object::TYPE_DATABASE;
    auto* database = isDatabase ? dynamic_cast<CMC_Database*>(object) : nullptr;
    if (database == nullptr || id < MTH_ADD || id > MTH_GETCURSORPOS)
        return CMC_Runner::run(id, object, scope, args);
    switch (id) {
    case MTH_REMOVEALL:
        database->removeAll();
        return nullptr;
    case MTH_NEXT:
        database->next();
        return nullptr;
    case MTH_PREV:
        database->prev();
        return nullptr;
    case MTH_GETROWSNO:
        return giveInteger(database->getRows());
    case MTH_GETCURSORPOS:
        return giveInteger(database->getCursorPos());
    default:
        return runWithArguments(id, database, scope, args);
    }
}

CMC_Object* CMC_Database_Runner::runWithArguments(int id, CMC_Database* database, CMC_ObjectsContainer* scope,
                                                  CXVector* args)
{
    switch (id) {
    case MTH_ADD:
        database->add(structureArgument(args, 0, scope));
        return nullptr;
    case MTH_REMOVE:
        if (argumentCount(args) >= 2)
            database->remove(parameterText(args, 0), getParameter(args, 1));
        return nullptr;
    case MTH_LOAD:
        if (argumentAt(args, 0) != nullptr)
            database->load(parameterText(args, 0));
        return nullptr;
    case MTH_SAVE:
        if (argumentAt(args, 0) != nullptr)
            database->save(parameterText(args, 0));
        return nullptr;
    case MTH_FIND: {
        const std::optional<int> start = integerArgument(args, 2);
        if (!start)
            return nullptr;
        return giveInteger(database->find(parameterText(args, 0), getParameter(args, 1), *start));
    }
    default:
        break;
    }
    const std::optional<int> row = integerArgument(args, 0);
    if (!row)
        return nullptr;
    if (id == MTH_SELECT)
        database->select(*row);
    else if (id == MTH_REMOVEAT)
        database->removeAt(*row);
    else
        database->insertAt(*row, structureArgument(args, 1, scope));
    return nullptr;
}

std::optional<int> CMC_Database_Runner::integerArgument(CXVector* args, int i)
{
    CMC_Integer* value = getParameterInteger(args, i);
    return value != nullptr ? std::optional<int>(value->getValue()) : std::nullopt;
}
