#include "script/CMC_Behaviour_Runner.h"

#include "foundation/CXArray.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_ReturnValue.h"
#include "script/CMC_String.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

namespace {

bool isValueType(int type)
{
    return type == CMC_Object::TYPE_PLACEHOLDER || type == CMC_Object::TYPE_INTEGER ||
           type == CMC_Object::TYPE_STRING || type == CMC_Object::TYPE_BOOL || type == CMC_Object::TYPE_DOUBLE;
}

// Deletes the texts and the array.
struct TextsRelease {
    void operator()(CXArray* texts) const { CXString::releaseToVector(texts); }
};
using Texts = std::unique_ptr<CXArray, TextsRelease>;

} // namespace

void CMC_Behaviour_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("RUN", MTH_RUN);
    registerMethod("RUNC", MTH_RUNC);
    registerMethod("RUNLOOPED", MTH_RUNLOOPED);
    registerMethod("BREAK", MTH_BREAK);
    registerMethod("ENABLE", MTH_ENABLE);
    registerMethod("DISABLE", MTH_DISABLE);
}

CMC_Object* CMC_Behaviour_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    const bool isBehaviour = object != nullptr && object->getType() == CMC_Object::TYPE_BEHAVIOUR;
    auto* behaviour = isBehaviour ? dynamic_cast<CMC_Behaviour*>(object) : nullptr;
    if (behaviour == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    switch (id) {
    case MTH_RUN:
        return runOnce(behaviour, scope, args, false);
    case MTH_RUNC:
        return runOnce(behaviour, scope, args, true);
    case MTH_RUNLOOPED:
        return runLooped(behaviour, scope, args);
    case MTH_BREAK:
        behaviour->_break();
        return nullptr;
    case MTH_ENABLE:
        behaviour->enable(true);
        return nullptr;
    case MTH_DISABLE:
        behaviour->enable(false);
        return nullptr;
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}

CXArray* CMC_Behaviour_Runner::parameterTexts(CMC_ObjectsContainer* scope, CXVector* args, int first, int leading)
{
    const int count = argumentCount(args);
    auto* texts = new CXArray(std::max(leading + count - first, 1), 0.75f);
    for (int i = 0; i < leading; ++i)
        texts->add(new CXString());
    for (int i = first; i < count; ++i) {
        CXString text = parameterText(args, i);
        CMC_Object* named = scope != nullptr ? scope->getObject(text.c_str()) : nullptr;
        if (named != nullptr && !isValueType(named->getType()))
            text = "\"" + text + "\"";
        texts->add(new CXString(text));
    }
    return texts;
}

CMC_Object* CMC_Behaviour_Runner::runOnce(CMC_Behaviour* behaviour, CMC_ObjectsContainer* scope, CXVector* args,
                                          bool checkCondition)
{
    Texts params(args != nullptr ? parameterTexts(scope, args, 0, 0) : nullptr);
    if (behaviour->run(nullptr, params.get(), checkCondition))
        return CMC_Object::stopResult(CMC_Object::STOP_BREAK);
    return CMC_ReturnValue::copy(scope);
}

// Without a step forward the loop would only end by BREAK: it also ends once the behaviour
// cannot run any more, so that no script can hang the frame by itself.
CMC_Object* CMC_Behaviour_Runner::runLooped(CMC_Behaviour* behaviour, CMC_ObjectsContainer* scope, CXVector* args)
{
    CMC_Integer* first = getParameterInteger(args, 0);
    CMC_Integer* count = first != nullptr ? getParameterInteger(args, 1) : nullptr;
    if (count == nullptr)
        return CMC_ReturnValue::find(scope);
    const int64_t start = first->getValue();
    const int64_t end = start + count->getValue();
    int64_t step = 1;
    if (argumentCount(args) > 2) {
        CMC_Integer* given = getParameterInteger(args, 2);
        step = given != nullptr ? given->getValue() : 0;
    }
    Texts params(parameterTexts(scope, args, 2, 1));
    CXString* loopText = params->stringAt(0);
    for (int64_t i = start; i < end; i += step) {
        if (step <= 0 && !behaviour->canRun())
            break;
        *loopText = std::to_string(i).c_str();
        if (behaviour->run(nullptr, params.get(), true))
            break;
    }
    return CMC_ReturnValue::find(scope);
}
