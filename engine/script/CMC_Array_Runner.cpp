#include "script/CMC_Array_Runner.h"

#include "foundation/CFolder.h"
#include "foundation/CPath.h"
#include "foundation/CXArray.h"
#include "script/CMC_Array.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"
#include "script/ScriptWindow.h"

#include <memory>

namespace {

using Runner = CMC_Array_Runner;

constexpr CMC_Runner::MethodName kMethods[] = {
    {"ADD", Runner::MTH_ADD},
    {"GETSIZE", Runner::MTH_GETSIZE},
    {"INSERTAT", Runner::MTH_INSERTAT},
    {"REMOVEAT", Runner::MTH_REMOVEAT},
    {"CHANGEAT", Runner::MTH_CHANGEAT},
    {"REMOVEALL", Runner::MTH_REMOVEALL},
    {"GET", Runner::MTH_GET},
    {"REMOVE", Runner::MTH_REMOVE},
    {"FIND", Runner::MTH_FIND},
    {"CONTAINS", Runner::MTH_CONTAINS},
    {"SAVEINI", Runner::MTH_SAVEINI},
    {"LOADINI", Runner::MTH_LOADINI},
    {"PREV", Runner::MTH_PREV},
    {"NEXT", Runner::MTH_NEXT},
    {"ADDCLONES", Runner::MTH_ADDCLONES},
    {"RESETMARKER", Runner::MTH_RESETMARKER},
    {"GETMARKERPOS", Runner::MTH_GETMARKERPOS},
    {"SETMARKERPOS", Runner::MTH_SETMARKERPOS},
    {"SUM", Runner::MTH_SUM},
    {"SUMA", Runner::MTH_SUMA},
    {"SUB", Runner::MTH_SUB},
    {"SUBA", Runner::MTH_SUBA},
    {"MUL", Runner::MTH_MUL},
    {"MULA", Runner::MTH_MULA},
    {"DIV", Runner::MTH_DIV},
    {"DIVA", Runner::MTH_DIVA},
    {"MIN", Runner::MTH_MIN},
    {"MAX", Runner::MTH_MAX},
    {"GETSUMVALUE", Runner::MTH_GETSUMVALUE},
    {"SORT", Runner::MTH_SORT},
    {"LOAD", Runner::MTH_LOAD},
    {"SAVE", Runner::MTH_SAVE},
    {"REVERSEFIND", Runner::MTH_REVERSEFIND},
    {"MULAT", Runner::MTH_MULAT},
    {"DIVAT", Runner::MTH_DIVAT},
    {"ADDAT", Runner::MTH_ADDAT},
    {"SUBAT", Runner::MTH_SUBAT},
    {"MODAT", Runner::MTH_MODAT},
    {"CLAMPAT", Runner::MTH_CLAMPAT},
    {"DIR", Runner::MTH_DIR},
    {"COMPARE", Runner::MTH_COMPARE},
    {"SENDONCHANGE", Runner::MTH_SENDONCHANGE},
    {"SHIFTLEFT", Runner::MTH_SHIFTLEFT},
    {"SHIFTRIGHT", Runner::MTH_SHIFTRIGHT},
    {"ROTATELEFT", Runner::MTH_ROTATELEFT},
    {"ROTATERIGHT", Runner::MTH_ROTATERIGHT},
    {"SWAP", Runner::MTH_SWAP},
    {"FINDALL", Runner::MTH_FINDALL},
    {"SORTMANY", Runner::MTH_SORTMANY},
    {"MAXD", Runner::MTH_MAXD},
    {"MIND", Runner::MTH_MIND},
    {"COPYTO", Runner::MTH_COPYTO},
    {"FILL", Runner::MTH_FILL},
    {"RANDOMFILL", Runner::MTH_RANDOMFILL},
};

static_assert(sizeof kMethods / sizeof kMethods[0] == 54);

// The best value of the elements of one type, starting from the sentinel; a value replaces
// the best only when it is strictly better.
template <typename Value, typename Better>
Value best(CMC_Array* array, int type, Value sentinel, Better better)
{
    Value found = sentinel;
    for (int i = 0; i < array->getSize(); ++i) {
        CMC_Variable* element = array->get(i);
        if (element->getType() != type)
            continue;
        const Value value = static_cast<CMC_BasicValue<Value>*>(element)->getValue();
        if (better(value, found))
            found = value;
    }
    return found;
}

int32_t integerSum(CMC_Array* array)
{
    int32_t sum = 0;
    for (int i = 0; i < array->getSize(); ++i)
        if (array->get(i)->getType() == CMC_Object::TYPE_INTEGER)
            sum = CMC_Integer::arithmetic(sum, static_cast<CMC_Integer*>(array->get(i))->getValue(), CMC_Variable::OP_ADD);
    return sum;
}

// Below low it becomes low, else above high it becomes high.
template <typename Value>
void clamp(Value* value, Value* low, Value* high)
{
    if (low == nullptr || high == nullptr)
        return;
    const auto lowest = low->getValue();
    const auto highest = high->getValue();
    if (value->getValue() < lowest)
        value->setValue(lowest);
    else if (value->getValue() > highest)
        value->setValue(highest);
}

// A handed-over copy for an element that the pools cannot copy.
CMC_Object* handedOverCopy(CMC_Variable* element)
{
    auto* copy = element != nullptr ? dynamic_cast<CMC_Object*>(element->clone()) : nullptr;
    if (copy != nullptr)
        copy->setHandedOver();
    return copy;
}

} // namespace

void CMC_Array_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_Array_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (object == nullptr || object->getType() != CMC_Object::TYPE_ARRAY || (id > MTH_DIV && id < MTH_DIVA) ||
        id < MTH_ADD || id > MTH_RANDOMFILL)
        return CMC_Runner::run(id, object, scope, args);
    return runOnArray(id, static_cast<CMC_Array*>(object), scope, args);
}

CMC_Object* CMC_Array_Runner::runOnArray(int id, CMC_Array* array, CMC_ObjectsContainer* scope, CXVector* args)
{
    switch (id) {
    case MTH_ADD:
        for (int i = 0; i < argumentCount(args); ++i)
            array->add(getParameter(args, i));
        return nullptr;
    case MTH_GETSIZE:
        return CMC_VariableFactory::allocInteger(array->getSize());
    case MTH_INSERTAT:
    case MTH_CHANGEAT:
    case MTH_MULAT:
    case MTH_DIVAT:
    case MTH_ADDAT:
    case MTH_SUBAT:
    case MTH_MODAT:
        runWithIndexAndValue(id, array, args);
        return nullptr;
    case MTH_REMOVEAT:
        if (CMC_Integer* index = getParameterInteger(args, 0))
            array->removeAt(index->getValue());
        return nullptr;
    case MTH_REMOVEALL:
        array->removeAll();
        return nullptr;
    case MTH_GET:
        return element(array, args);
    case MTH_REMOVE:
    case MTH_SUM:
    case MTH_SUB:
    case MTH_MUL:
    case MTH_DIV:
        runWithValue(id, array, args);
        return nullptr;
    case MTH_FIND:
    case MTH_CONTAINS:
    case MTH_REVERSEFIND:
        return lookUp(id, array, args);
    case MTH_SAVEINI:
        array->saveINI();
        return nullptr;
    case MTH_LOADINI:
        array->loadINI();
        return nullptr;
    case MTH_PREV:
    case MTH_NEXT:
        return step(id, array, args);
    case MTH_ADDCLONES:
        addClones(array, scope, args);
        return nullptr;
    case MTH_RESETMARKER:
        array->resetMarker();
        return nullptr;
    case MTH_GETMARKERPOS:
        return CMC_VariableFactory::allocInteger(array->getMarkerPos());
    case MTH_SETMARKERPOS:
        if (CMC_Integer* position = getParameterInteger(args, 0))
            array->setMarkerPos(position->getValue());
        return nullptr;
    case MTH_SUMA:
    case MTH_SUBA:
    case MTH_MULA:
    case MTH_DIVA:
        runOverRange(id, array, args);
        return nullptr;
    case MTH_MIN:
        return CMC_VariableFactory::allocInteger(
            best<int32_t>(array, CMC_Object::TYPE_INTEGER, 1000000, [](int32_t a, int32_t b) { return a < b; }));
    case MTH_MAX:
        return CMC_VariableFactory::allocInteger(
            best<int32_t>(array, CMC_Object::TYPE_INTEGER, 0, [](int32_t a, int32_t b) { return a > b; }));
    case MTH_GETSUMVALUE:
        return CMC_VariableFactory::allocInteger(integerSum(array));
    case MTH_SORT:
        if (CMC_Bool* ascending = getParameterBool(args, 0))
            array->sort(ascending->getValue());
        return nullptr;
    case MTH_LOAD:
    case MTH_SAVE:
        if (argumentCount(args) == 0)
            return nullptr;
        if (id == MTH_LOAD)
            array->load(parameterText(args, 0));
        else
            array->save(parameterText(args, 0));
        return nullptr;
    case MTH_CLAMPAT:
        clampAt(array, args);
        return nullptr;
    case MTH_DIR:
        dir(array, scope, args);
        return nullptr;
    case MTH_COMPARE:
        if (argumentCount(args) == 0)
            return nullptr;
        return CMC_VariableFactory::allocBool(array->compareArr(namedArray(args, 0, scope)));
    case MTH_SENDONCHANGE: {
        CMC_Bool* on = argumentCount(args) > 0 ? getParameterBool(args, 0) : nullptr;
        array->setSendOnChange(on == nullptr || on->getValue());
        return nullptr;
    }
    case MTH_SHIFTLEFT:
        array->shiftLeft();
        return nullptr;
    case MTH_SHIFTRIGHT:
        array->shiftRight();
        return nullptr;
    case MTH_ROTATELEFT:
        array->rotateLeft();
        return nullptr;
    case MTH_ROTATERIGHT:
        array->rotateRight();
        return nullptr;
    case MTH_SWAP: {
        CMC_Integer* a = getParameterInteger(args, 0);
        const int first = a != nullptr ? a->getValue() : -1;
        if (CMC_Integer* b = getParameterInteger(args, 1))
            array->swap(first, b->getValue());
        return nullptr;
    }
    case MTH_FINDALL:
        return findAll(array, scope, args);
    case MTH_MAXD:
        return CMC_VariableFactory::allocDouble(
            best<double>(array, CMC_Object::TYPE_DOUBLE, 0.0, [](double a, double b) { return a > b; }));
    case MTH_MIND:
        return CMC_VariableFactory::allocDouble(
            best<double>(array, CMC_Object::TYPE_DOUBLE, 1000000.0, [](double a, double b) { return a < b; }));
    case MTH_COPYTO:
        if (CMC_Array* target = namedArray(args, 0, scope)) {
            // What was there before: a copy onto the array itself doubles it once.
            const int count = array->getSize();
            for (int i = 0; i < count && i < array->getSize(); ++i)
                target->add(array->get(i));
        }
        return nullptr;
    case MTH_FILL:
        fill(array, args);
        return nullptr;
    case MTH_RANDOMFILL:
        randomFill(array, args);
        return nullptr;
    default:
        // SORTMANY takes anything and does nothing.
        return nullptr;
    }
}

void CMC_Array_Runner::runWithIndexAndValue(int id, CMC_Array* array, CXVector* args)
{
    CMC_Integer* index = getParameterInteger(args, 0);
    const int i = index != nullptr ? index->getValue() : -1;
    CMC_Variable* value = getParameter(args, 1);
    if (index == nullptr || value == nullptr)
        return;
    switch (id) {
    case MTH_INSERTAT:
        array->insertAt(i, value);
        break;
    case MTH_CHANGEAT:
        array->changeAt(i, value);
        break;
    case MTH_MULAT:
        array->mulat(i, value);
        break;
    case MTH_DIVAT:
        array->divat(i, value);
        break;
    case MTH_ADDAT:
        array->addat(i, value);
        break;
    case MTH_SUBAT:
        array->subat(i, value);
        break;
    default:
        array->modat(i, value);
        break;
    }
}

void CMC_Array_Runner::runWithValue(int id, CMC_Array* array, CXVector* args)
{
    CMC_Variable* value = getParameter(args, 0);
    if (value == nullptr)
        return;
    switch (id) {
    case MTH_REMOVE:
        array->remove(value);
        break;
    case MTH_SUM:
        array->sum(value);
        break;
    case MTH_SUB:
        array->sub(value);
        break;
    case MTH_MUL:
        array->mul(value);
        break;
    default:
        array->div(value);
        break;
    }
}

CMC_Object* CMC_Array_Runner::lookUp(int id, CMC_Array* array, CXVector* args)
{
    CMC_Variable* value = getParameter(args, 0);
    if (value == nullptr)
        return nullptr;
    switch (id) {
    case MTH_FIND:
        return CMC_VariableFactory::allocInteger(array->find(value));
    case MTH_CONTAINS:
        return CMC_VariableFactory::allocBool(array->contains(value));
    default:
        return CMC_VariableFactory::allocInteger(array->reversefind(value));
    }
}

void CMC_Array_Runner::runOverRange(int id, CMC_Array* array, CXVector* args)
{
    if (argumentCount(args) == 0)
        return;
    const CXString name = parameterText(args, 0);
    int first = integerOr(args, 1, -1);
    int last = integerOr(args, 2, -1);
    if (first == -1)
        first = 0;
    if (last == -1)
        last = array->getSize() - 1;
    switch (id) {
    case MTH_SUMA:
        array->suma(name, first, last);
        break;
    case MTH_SUBA:
        array->suba(name, first, last);
        break;
    case MTH_MULA:
        array->mula(name, first, last);
        break;
    default:
        array->diva(name, first, last);
        break;
    }
}

CMC_Object* CMC_Array_Runner::element(CMC_Array* array, CXVector* args)
{
    CMC_Integer* index = getParameterInteger(args, 0);
    CMC_Variable* found = index != nullptr ? array->get(index->getValue()) : nullptr;
    if (found == nullptr)
        return CMC_VariableFactory::allocString(CXString("NULL"));
    CMC_Variable* copy = CMC_VariableFactory::copyVariable(found);
    return copy != nullptr ? copy : handedOverCopy(found);
}

// The element is handed over as a fresh copy, which the caller deletes once used.
CMC_Object* CMC_Array_Runner::step(int id, CMC_Array* array, CXVector* args)
{
    const int by = integerOr(args, 0, 1);
    return handedOverCopy(id == MTH_NEXT ? array->next(by) : array->prev(by));
}

void CMC_Array_Runner::addClones(CMC_Array* array, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (argumentCount(args) == 0 || scope == nullptr)
        return;
    const CXString name = parameterText(args, 0);
    CMC_Object* named = scope->getObject(name.c_str());
    if (named == nullptr)
        return;
    array->addClones(name, integerOr(args, 1, 1), integerOr(args, 2, named->getClonesNo()));
}

// Set on the element directly: no report.
void CMC_Array_Runner::clampAt(CMC_Array* array, CXVector* args)
{
    CMC_Integer* index = getParameterInteger(args, 0);
    CMC_Variable* element = index != nullptr ? array->get(index->getValue()) : nullptr;
    if (element == nullptr)
        return;
    if (element->getType() == CMC_Object::TYPE_INTEGER)
        clamp(static_cast<CMC_Integer*>(element), getParameterInteger(args, 1), getParameterInteger(args, 2));
    else if (element->getType() == CMC_Object::TYPE_DOUBLE)
        clamp(static_cast<CMC_Double*>(element), getParameterDouble(args, 1), getParameterDouble(args, 2));
}

// Each entry is the resolved folder text and the entry's name with nothing between, as
// scripts have always received them.
void CMC_Array_Runner::dir(CMC_Array* array, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (argumentCount(args) < 2)
        return;
    ScriptWindow* window = scope != nullptr ? scope->getWindow() : nullptr;
    const CXString folder = CPath::resolveFileName(window, parameterText(args, 0));
    const CXString pattern = parameterText(args, 1);
    CFolder listing(window, folder);
    std::unique_ptr<CXArray, void (*)(CXArray*)> names(listing.list(pattern), CFolder::releaseFilesList);
    listing.back();
    for (int i = 0; i < names->getCount(); ++i) {
        CMC_String entry(CXString("temp"), folder + *names->stringAt(i));
        array->add(&entry);
    }
}

// The count of matches is given even when there is no array to write the indices to.
CMC_Object* CMC_Array_Runner::findAll(CMC_Array* array, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (argumentCount(args) == 0)
        return nullptr;
    int32_t total = 0;
    for (int i = 1; i < argumentCount(args); ++i) {
        CMC_Variable* value = getParameter(args, i);
        if (value == nullptr)
            continue;
        const std::vector<int> found = array->findAll(value);
        total += static_cast<int32_t>(found.size());
        for (int index : found) {
            // Looked up at each step, since the target's handlers may replace it.
            CMC_Array* target = namedArray(args, 0, scope);
            if (target == nullptr)
                continue;
            CMC_Integer entry(index);
            target->add(&entry);
        }
    }
    return CMC_VariableFactory::allocInteger(total);
}

void CMC_Array_Runner::fill(CMC_Array* array, CXVector* args)
{
    CMC_Integer* count = getParameterInteger(args, 0);
    const int times = count != nullptr ? count->getValue() : 0;
    CMC_Variable* value = getParameter(args, 1);
    if (count == nullptr || value == nullptr)
        return;
    array->removeAll();
    for (int i = 0; i < times; ++i)
        array->add(value);
}

void CMC_Array_Runner::randomFill(CMC_Array* array, CXVector* args)
{
    CMC_Integer* count = getParameterInteger(args, 0);
    CMC_Integer* from = getParameterInteger(args, 1);
    CMC_Integer* range = getParameterInteger(args, 2);
    CMC_Bool* distinct = getParameterBool(args, 3);
    if (count == nullptr || from == nullptr || range == nullptr || distinct == nullptr)
        return;
    array->removeAll();
    array->addRandomIntegers(count->getValue(), from->getValue(), range->getValue(), distinct->getValue());
}

CMC_Array* CMC_Array_Runner::namedArray(CXVector* args, int i, CMC_ObjectsContainer* scope)
{
    CMC_Object* named = getParameterObject(args, i, scope);
    return named != nullptr && named->getType() == CMC_Object::TYPE_ARRAY ? static_cast<CMC_Array*>(named) : nullptr;
}

int CMC_Array_Runner::integerOr(CXVector* args, int i, int fallback)
{
    CMC_Integer* value = getParameterInteger(args, i);
    return value != nullptr ? value->getValue() : fallback;
}
