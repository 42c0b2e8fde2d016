#include "script/CMC_Variable_Runner.h"

#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr const char* kMethodNames[] = {
    "SET",      "SWITCH",   "CLEAR",    "INC",           "DEC",   "ADD",      "MUL",    "RESETINI",
    "SETDEFAULT", "SUB",    "DIV",      "MOD",           "ABS",   "AND",      "OR",     "NOT",
    "XOR",      "POWER",    nullptr,    "SQRT",          "CLAMP", "LENGTH",   "ARCTAN", "GET",
    "MINA",     "MAXA",     "ARCTANEX", "SINUS",         "COSINUS", "UPPER",  "FIND",   "CUT",
    "REPLACEAT", "INSERTAT", "REPLACE", "ROUND",         "ISUPPERLETTER", "SGN", "COPYFILE", "RANDOM",
};

} // namespace

void CMC_Variable_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    for (int id = 1; id <= static_cast<int>(std::size(kMethodNames)); ++id)
        if (kMethodNames[id - 1] != nullptr)
            registerMethod(kMethodNames[id - 1], id);
}

CMC_Object* CMC_Variable_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    CMC_Variable* variable = object != nullptr ? object->asVariable() : nullptr;
    if (variable == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    auto raw = [args](int i) {
        CMC_Object* argument = argumentAt(args, i);
        return argument != nullptr ? argument->asVariable() : nullptr;
    };
    switch (id) {
    case MTH_SET:
        if (CMC_Variable* value = raw(0))
            variable->set(value);
        return nullptr;
    case MTH_SWITCH:
        if (raw(0) != nullptr && raw(1) != nullptr)
            variable->swap(raw(0), raw(1));
        return nullptr;
    case MTH_CLEAR:
        variable->clear();
        return nullptr;
    case MTH_INC:
        variable->inc();
        return nullptr;
    case MTH_DEC:
        variable->dec();
        return nullptr;
    case MTH_ADD:
        return combine(variable, args, CMC_Variable::OP_ADD, true);
    case MTH_MUL:
        return combine(variable, args, CMC_Variable::OP_MUL, false);
    case MTH_RESETINI:
        variable->resetINI();
        return nullptr;
    case MTH_SETDEFAULT:
        if (CMC_Variable* value = getParameter(args, 0))
            variable->setDefault(value);
        return nullptr;
    case MTH_SUB:
        if (variable->getType() == CMC_Object::TYPE_STRING)
            return cut(variable, args);
        return combine(variable, args, CMC_Variable::OP_SUB, false);
    case MTH_DIV:
        return combine(variable, args, CMC_Variable::OP_DIV, false);
    case MTH_MOD:
        return combine(variable, args, CMC_Variable::OP_MOD, false);
    case MTH_COPYFILE:
        return copyFile(scope, args);
    case MTH_RANDOM:
        return random(variable, args);
    default:
        break;
    }
    if (id < MTH_ABS || id > MTH_SGN || id == 19)
        return CMC_Runner::run(id, object, scope, args);
    switch (variable->getType()) {
    case CMC_Object::TYPE_INTEGER:
        return integerMethod(id, static_cast<CMC_Integer*>(variable), args);
    case CMC_Object::TYPE_DOUBLE:
        return doubleMethod(id, static_cast<CMC_Double*>(variable), args);
    case CMC_Object::TYPE_STRING:
        return textMethod(id, static_cast<CMC_String*>(variable), args);
    default:
        return notServed(id, variable);
    }
}

bool CMC_Variable_Runner::readsArgumentsOnly(int id) const
{
    switch (id) {
    case MTH_SET:
    case MTH_ADD:
    case MTH_SUB:
    case MTH_MUL:
    case MTH_DIV:
    case MTH_MOD:
        return true;
    default:
        return false;
    }
}

inline CMC_Object* CMC_Variable_Runner::combine(CMC_Variable* variable, CXVector* args, int op, bool giveResult)
{
    CMC_Object* argument = argumentAt(args, 0);
    CMC_Variable* operand = argument != nullptr ? argument->asVariable() : nullptr;
    if (operand == nullptr)
        return nullptr;
    if (variable->getType() == CMC_Object::TYPE_INTEGER && operand->getType() == CMC_Object::TYPE_INTEGER)
        return combineIntegers(static_cast<CMC_Integer*>(variable), static_cast<CMC_Integer*>(operand)->getValue(), op,
                               giveResult);
    CMC_Variable* result = variable->calculate(operand, op);
    if (result == nullptr)
        return nullptr;
    variable->set(result);
    if (giveResult)
        return result;
    CMC_Object::flush(result, false);
    return nullptr;
}

// What calculate and set do for two INTEGER values, without the pooled step between them.
inline CMC_Object* CMC_Variable_Runner::combineIntegers(CMC_Integer* variable, int32_t operand, int op, bool giveResult)
{
    const int32_t value = CMC_Integer::arithmetic(variable->getValue(), operand, op);
    CMC_Integer* result = giveResult ? CMC_VariableFactory::allocInteger(value) : nullptr;
    variable->assign(value);
    return result;
}

// Positions outside the text are brought to its ends.
CMC_Object* CMC_Variable_Runner::cut(CMC_Variable* text, CXVector* args)
{
    CMC_Integer* start = getParameterInteger(args, 0);
    CMC_Integer* count = start != nullptr ? getParameterInteger(args, 1) : nullptr;
    if (count == nullptr)
        return nullptr;
    auto* string = static_cast<CMC_String*>(text);
    const CXString& value = string->getValue();
    const int length = value.GetLength();
    const int from = std::clamp(start->getValue(), 0, length);
    const int64_t end = std::clamp<int64_t>(int64_t{from} + count->getValue(), from, length);
    string->assign(value.Left(from) + value.Right(static_cast<int>(end)));
    return nullptr;
}
