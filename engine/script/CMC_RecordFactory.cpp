#include "script/CMC_RecordFactory.h"

#include "script/CMC_Array.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Bool.h"
#include "script/CMC_ComplexCondition.h"
#include "script/CMC_Condition.h"
#include "script/CMC_Double.h"
#include "script/CMC_Expression.h"
#include "script/CMC_Groupped.h"
#include "script/CMC_Integer.h"
#include "script/CMC_Quene.h"
#include "script/CMC_String.h"
#include "script/CMC_Vector.h"

#include <algorithm>
#include <iterator>

namespace {

using Constructor = CMC_RecordFactory::Constructor;

template <typename Type>
constexpr Constructor construct = &CMC_RecordFactory::construct<Type>;

template <typename Value>
CMC_Object* nameless(CMC_ObjectsContainer*)
{
    return new Value(CXString());
}

struct Row {
    int typeId;
    Constructor constructor;
};

// In the order of the type ids.
Row rows[] = {
    {1, nameless<CMC_Integer>},
    {2, nameless<CMC_String>},
    {3, nameless<CMC_Bool>},
    {4, nameless<CMC_Double>},
    {10, construct<CMC_Condition>},
    {11, construct<CMC_ComplexCondition>},
    {12, [](CMC_ObjectsContainer* node) -> CMC_Object* { return new CMC_Expression(node, CXString()); }},
    {13, construct<CMC_Behaviour>},
    {100, nullptr},  // MOUSE
    {101, nullptr},  // KEYBOARD
    {103, nullptr},  // CANVASOBSERVER
    {2000, nullptr}, // ANIMO
    {2001, nullptr}, // BUTTON
    {2002, nullptr}, // FONT
    {2004, nullptr}, // SEQUENCE
    {2005, nullptr}, // SOUND
    {2006, nullptr}, // TEXT
    {2007, nullptr}, // TIMER
    {2008, nullptr}, // IMAGE
    {2009, nullptr}, // EDITBOX
    {2011, nullptr}, // NETSERVER
    {2012, nullptr}, // NETCLIENT
    {2013, nullptr}, // DIALOG
    {2014, nullptr}, // FILTER
    {2015, nullptr}, // STATICFILTER
    {2016, [](CMC_ObjectsContainer*) -> CMC_Object* { return new CMC_Vector(static_cast<CMC_Vector*>(nullptr)); }},
    {2017, nullptr}, // PATH
    {2018, construct<CMC_FifoQuene>},
    {2019, construct<CMC_LifoQuene>},
    {2020, nullptr}, // CANVAS
    {2021, nullptr}, // PATTERN
    {2022, nullptr}, // SCROLL
    {2023, nullptr}, // JOYSTICK, which files written with one read on
    {2024, nullptr}, // MOVIE, read from files that hold one
    {3000, construct<CMC_Groupped>},
    {3001, [](CMC_ObjectsContainer* node) -> CMC_Object* { return new CMC_Array(node, CXString("temp")); }},
    {3005, nullptr}, // VIRTUALGRAPHICSOBJECT, whose object record alone makes an empty one
};

// Scene nodes and the application's built-in objects.
constexpr int kNeverStored[] = {102, 1000, 1001, 1002, 11000, 12000};
// The engine's types that have no record of their own: VARIABLE, NETPEER, MOVIE, STRUCTURE,
// DATABASE, CLASS, VIRTUALGRAPHICSOBJECT, MULTIARRAY. None is written; a MOVIE and a
// VIRTUALGRAPHICSOBJECT are still read, empty, from the common record that files written
// elsewhere hold, so that the records after them read.
constexpr int kWithoutRecord[] = {5, 2010, 2024, 3002, 3003, 3004, 3005, 3006};

Row* rowOf(int typeId)
{
    auto found = std::lower_bound(std::begin(rows), std::end(rows), typeId,
                                  [](const Row& row, int id) { return row.typeId < id; });
    return found != std::end(rows) && found->typeId == typeId ? found : nullptr;
}

template <size_t N>
bool listed(const int (&ids)[N], int typeId)
{
    return std::find(std::begin(ids), std::end(ids), typeId) != std::end(ids);
}

} // namespace

CMC_Object* CMC_RecordFactory::create(int typeId, CMC_ObjectsContainer* node)
{
    Row* row = rowOf(typeId);
    return row != nullptr && row->constructor != nullptr ? row->constructor(node) : nullptr;
}

CMC_RecordFactory::Constructor CMC_RecordFactory::attach(int typeId, Constructor constructor)
{
    Row* row = rowOf(typeId);
    if (row == nullptr)
        return nullptr;
    Constructor previous = row->constructor;
    row->constructor = constructor;
    return previous;
}

bool CMC_RecordFactory::isStored(int typeId)
{
    return !listed(kNeverStored, typeId);
}

bool CMC_RecordFactory::isReadable(int typeId)
{
    if (listed(kWithoutRecord, typeId))
        return false;
    if (Row* row = rowOf(typeId))
        return row->constructor != nullptr;
    return isStored(typeId);
}
