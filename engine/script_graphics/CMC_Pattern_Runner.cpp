#include "script_graphics/CMC_Pattern_Runner.h"

#include "graphics/CPattern.h"
#include "script/CMC_Array.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_String.h"
#include "script_graphics/CMC_Pattern.h"

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"ADD", CMC_Pattern_Runner::MTH_ADD},
    {"SETGRID", CMC_Pattern_Runner::MTH_SETGRID},
    {"MOVE", CMC_Pattern_Runner::MTH_MOVE},
    {"GETGRAPHICSAT", CMC_Pattern_Runner::MTH_GETGRAPHICSAT},
    {"REMOVE", CMC_Pattern_Runner::MTH_REMOVE},
    {"GETALIASAT", CMC_Pattern_Runner::MTH_GETALIASAT},
    {"GETINFOAT", CMC_Pattern_Runner::MTH_GETINFOAT},
    {"GETALIASINFO", CMC_Pattern_Runner::MTH_GETALIASINFO},
    {"GETCELLCORD", CMC_Pattern_Runner::MTH_GETCELLCORD},
    {"GETALIASATCELL", CMC_Pattern_Runner::MTH_GETALIASATCELL},
    {"SETPOSITION", CMC_Pattern_Runner::MTH_SETPOSITION},
};

// The fewest arguments of each method, by id.
constexpr int kArguments[] = {0, 5, 2, 2, 4, 1, 4, 5, 2, 3, 2, 2};

// A quotient of the grid's, 0 for a divisor of 0.
int divided(int value, int by)
{
    return by != 0 ? value / by : 0;
}

CXString aliasOrNull(const CPatternEntry* entry)
{
    return entry != nullptr ? entry->alias : CXString("NULL");
}

} // namespace

void CMC_Pattern_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_Pattern_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* owner = object != nullptr && object->getType() == CMC_Pattern::kType ? dynamic_cast<CMC_Pattern*>(object) : nullptr;
    if (owner == nullptr || id < MTH_ADD || id > MTH_SETPOSITION)
        return CMC_Runner::run(id, object, scope, args);
    CPattern* grid = owner->getPattern();
    const bool complete = grid != nullptr && argumentCount(args) >= kArguments[id];
    switch (id) {
    case MTH_GETGRAPHICSAT:
    case MTH_GETALIASAT:
    case MTH_GETALIASATCELL: return complete ? answer(*grid, id, scope, args) : giveString(CXString("NULL"));
    case MTH_GETCELLCORD: return complete ? cellAt(*owner, *grid, scope, args) : giveBool(false);
    default:
        if (complete)
            act(*grid, id, scope, args);
        return nullptr;
    }
}

CMC_Object* CMC_Pattern_Runner::answer(CPattern& grid, int id, CMC_ObjectsContainer* scope, CXVector* args)
{
    const CXPoint p = pointOf(args);
    switch (id) {
    case MTH_GETGRAPHICSAT: {
        const int layer = argumentCount(args) >= 5 ? integerParameter(args, 4) : -1;
        CGraphicsObject* hit = grid.getGraphicsObject(p.x, p.y, boolParameter(args, 2), boolParameter(args, 3), layer,
                                                      integerParameter(args, 5));
        if (hit == nullptr)
            return giveString(CXString("NULL"));
        return giveString(scope != nullptr ? scope->getGraphicsObjectName(hit) : CXString("UNKNOWN"));
    }
    case MTH_GETALIASAT:
        return giveString(aliasOrNull(grid.getEntryAt(p.x, p.y, 0, boolParameter(args, 2), boolParameter(args, 3))));
    default:
        return giveString(aliasOrNull(grid.get(p.x, p.y, integerParameter(args, 2))));
    }
}

void CMC_Pattern_Runner::act(CPattern& grid, int id, CMC_ObjectsContainer* scope, CXVector* args)
{
    const CXPoint p = pointOf(args);
    switch (id) {
    case MTH_ADD:
        if (CGraphicsObject* object = scope != nullptr ? scope->getGraphicsObject(parameterText(args, 3)) : nullptr)
            grid.add(parameterText(args, 0), integerParameter(args, 1), integerParameter(args, 2),
                     integerParameter(args, 5), object, integerParameter(args, 4), CXString());
        break;
    case MTH_SETGRID:
        if (p.x > 0 && p.y > 0)
            grid.setGrid(CXSize(p.x, p.y));
        break;
    case MTH_MOVE: grid.move(p.x, p.y); break;
    case MTH_REMOVE: remove(grid, args); break;
    case MTH_GETINFOAT:
        if (CMC_Array* values = arrayNamed(scope, args, 4))
            if (const CPatternEntry* entry = grid.getEntryAt(p.x, p.y, 0, boolParameter(args, 2), boolParameter(args, 3)))
                appendInfo(grid, *entry, *values);
        break;
    case MTH_GETALIASINFO:
        if (CMC_Array* values = arrayNamed(scope, args, 1))
            if (const CPatternEntry* entry = grid.getAliasEntry(parameterText(args, 0)))
                appendInfo(grid, *entry, *values);
        break;
    case MTH_SETPOSITION: grid.SetPosition(p.x, p.y); break;
    default: break;
    }
}

void CMC_Pattern_Runner::remove(CPattern& grid, CXVector* args)
{
    CMC_Variable* first = getParameter(args, 0);
    if (first == nullptr || first->getType() != CMC_Object::TYPE_INTEGER) {
        grid.remove(parameterText(args, 0));
        return;
    }
    if (argumentCount(args) >= 2)
        grid.remove(integerParameter(args, 0), integerParameter(args, 1), integerParameter(args, 2));
}

CMC_Array* CMC_Pattern_Runner::arrayNamed(CMC_ObjectsContainer* scope, CXVector* args, int i)
{
    return namedOfType<CMC_Array>(scope, args, i, CMC_Object::TYPE_ARRAY);
}

void CMC_Pattern_Runner::appendInfo(CPattern& grid, const CPatternEntry& entry, CMC_Array& values)
{
    CGraphicsObject& object = *entry.object;
    const CXPoint corner = grid.GetPosition() + grid.cellCorner(entry.column, entry.row);
    CMC_String alias(CXString("temp"), entry.alias);
    values.add(&alias);
    for (int value : {entry.column, entry.row, object.Width(), object.Height(), corner.x + object.Width() / 2,
                      corner.y + object.Height() / 2}) {
        CMC_Integer number(value);
        values.add(&number);
    }
}

CMC_Object* CMC_Pattern_Runner::cellAt(CMC_Pattern& owner, CPattern& grid, CMC_ObjectsContainer* scope, CXVector* args)
{
    const CXPoint d = pointOf(args) - grid.GetPosition();
    const bool inside = d.x >= 0 && d.x <= owner.getWidth() && d.y >= 0 && d.y <= owner.getHeight();
    if (CMC_Array* values = arrayNamed(scope, args, 2)) {
        CMC_Integer column(divided(d.x, grid.getGrid().width));
        CMC_Integer row(divided(d.y, grid.getGrid().height));
        values->add(&column);
        values->add(&row);
    }
    return giveBool(inside);
}
