#include "script/CMC_Dummy_Runner.h"

#include "foundation/CXArray.h"
#include "foundation/CXRandom.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Bool.h"
#include "script/CMC_CodeArgument.h"
#include "script/CMC_CodeBlockName.h"
#include "script/CMC_Condition.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectFactory.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_ReturnValue.h"
#include "script/CMC_ScratchText.h"
#include "script/CMC_StatementCondition.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"
#include "script/ScriptApplication.h"
#include "script/ScriptWindow.h"

#include <cstdint>
#include <iterator>

namespace {

constexpr const char* kStatementNames[] = {
    "IF",     "WHILE", "RETURN", "BREAK",      "CONV",   "MSGBOX",
    "BOOL",   "DOUBLE", "INT",   "STRING",     "LOOP",   "VALUE",
    "RUNONTIMER", "CREATE", "GETAPPLICATIONNAME", "GETCURRENTSCENE", "ONEBREAK", "CONTINUE",
};

// The counter "_I_" of one LOOP statement. An outer loop's counter, wherever in reach it is,
// leaves its container for the time of the loop and comes back to it afterwards.
class LoopCounter {
public:
    explicit LoopCounter(CMC_ObjectsContainer* container)
        : container_(container)
        , counter_(new CMC_Integer(CXString("_I_")))
    {
        parked_ = container->getObject("_I_");
        for (CMC_ObjectsContainer* c = container; parked_ != nullptr && c != nullptr; c = c->getParent()) {
            if (c->removeObject(parked_)) {
                parkedIn_ = c;
                break;
            }
        }
        counter_->setScene(container);
        container->addObject(counter_);
    }
    ~LoopCounter()
    {
        // A counter that the body took out of the container is no longer the loop's own.
        if (container_->removeObject(counter_))
            delete counter_;
        if (parkedIn_ != nullptr)
            parkedIn_->addObject(parked_);
    }
    LoopCounter(const LoopCounter&) = delete;
    LoopCounter& operator=(const LoopCounter&) = delete;

    void set(int64_t value) { counter_->setValue(static_cast<int32_t>(value)); }

private:
    CMC_ObjectsContainer* container_;
    CMC_Integer* counter_;
    CMC_Object* parked_ = nullptr;
    CMC_ObjectsContainer* parkedIn_ = nullptr;
};

} // namespace

void CMC_Dummy_Runner::prepareMthHashSet()
{
    makeMethodTable();
    for (int id = 1; id <= static_cast<int>(std::size(kStatementNames)); ++id)
        registerMethod(kStatementNames[id - 1], id);
}

CMC_Object* CMC_Dummy_Runner::run(int id, CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args)
{
    switch (id) {
    case MTH_IF:
        return ifStatement(owner, container, args);
    case MTH_WHILE:
        return whileStatement(owner, container, args);
    case MTH_RETURN:
        return returnValue(owner, container, args);
    case MTH_BREAK:
        return CMC_Object::stopResult(CMC_Object::STOP_BREAK);
    case MTH_BOOL:
        return declare(CMC_Object::TYPE_BOOL, owner, container, args);
    case MTH_DOUBLE:
        return declare(CMC_Object::TYPE_DOUBLE, owner, container, args);
    case MTH_INT:
        return declare(CMC_Object::TYPE_INTEGER, owner, container, args);
    case MTH_STRING:
        return declare(CMC_Object::TYPE_STRING, owner, container, args);
    case MTH_RUNONTIMER:
        return runOnTimer(owner, container, args);
    case MTH_CONV:
        return conv(owner, container, args);
    case MTH_LOOP:
        return loopStatement(owner, container, args);
    case MTH_VALUE:
        return value(owner, container, args);
    case MTH_CREATE:
        return create(owner, container, args);
    case MTH_GETAPPLICATIONNAME:
        return getApplicationName(owner, container, args);
    case MTH_GETCURRENTSCENE:
        return getCurrentScene(owner, container, args);
    case MTH_ONEBREAK:
        return CMC_Object::stopResult(CMC_Object::STOP_ONEBREAK);
    case MTH_CONTINUE:
        return CMC_Object::stopResult(CMC_Object::STOP_CONTINUE);
    default:
        // MSGBOX shows nothing.
        return nullptr;
    }
}

bool CMC_Dummy_Runner::readsArgumentsOnly(int id) const
{
    return id == MTH_IF || id == MTH_WHILE || id == MTH_LOOP;
}

bool CMC_Dummy_Runner::runCode(CMC_ObjectsContainer* container, CMC_String* text)
{
    CMC_CodeArgument code(container, text, false);
    return code.get()->run(code.get(), nullptr, false);
}

// With "&&" in the text it is cut there only; "||" anywhere in it makes the first true piece
// decide, else the first false one does.
bool CMC_Dummy_Runner::oneTextCondition(CMC_ObjectsContainer* container, const CXString& text)
{
    const bool anyTrueDecides = text.FindSubString(CXString("||"), 0) != -1;
    const bool cutAtAnd = text.FindSubString(CXString("&&"), 0) != -1;
    if (!anyTrueDecides && !cutAtAnd)
        return CMC_Condition::valid(container, text);
    const CXString connective(cutAtAnd ? "&&" : "||");
    CMC_ScratchText piece;
    bool result = false;
    for (int start = 0;;) {
        const int end = text.FindSubString(connective, start);
        text.mid(start, end == -1 ? text.GetLength() : end, &piece.text());
        result = CMC_Condition::valid(container, piece.text());
        if (result == anyTrueDecides || end == -1)
            return result;
        start = end + 2;
    }
}

CMC_Object* CMC_Dummy_Runner::ifStatement(CMC_Object*, CMC_ObjectsContainer* container, CXVector* args)
{
    const int count = argumentCount(args);
    int chosen = -1;
    if (count >= 4) {
        CMC_StatementCondition condition(this, args, 0, 1, 2);
        chosen = condition.holds(container) ? 3 : (count >= 5 ? 4 : -1);
    } else if (count == 3) {
        CMC_String* text = getParameterString(args, 0);
        CMC_ScratchText condition(text != nullptr ? text->getValue().c_str() : "");
        chosen = oneTextCondition(container, condition.text()) ? 1 : 2;
    }
    CMC_String* code = chosen != -1 ? stringParameter(args, chosen) : nullptr;
    if (code == nullptr || code->getValue().GetLength() == 0)
        return nullptr;
    return runCode(container, code) ? CMC_Object::stopResult(CMC_Object::STOP_BREAK) : nullptr;
}

CMC_Object* CMC_Dummy_Runner::whileStatement(CMC_Object*, CMC_ObjectsContainer* container, CXVector* args)
{
    if (argumentCount(args) < 4)
        return nullptr;
    CMC_StatementCondition condition(this, args, 0, 1, 2);
    CMC_String* text = getParameterString(args, 3);
    if (text == nullptr)
        return nullptr;
    CMC_CodeArgument body(container, text, true);
    while (condition.holds(container))
        body.get()->run(nullptr, nullptr, false);
    return nullptr;
}

CMC_Object* CMC_Dummy_Runner::loopStatement(CMC_Object*, CMC_ObjectsContainer* container, CXVector* args)
{
    CMC_String* text = getParameterString(args, 0);
    if (container == nullptr || text == nullptr)
        return nullptr;
    CMC_CodeArgument body(container, text, true);
    int32_t numbers[3];
    for (int i = 0; i < 3; ++i) {
        CMC_Integer* number = getParameterInteger(args, i + 1);
        if (number == nullptr)
            return nullptr;
        numbers[i] = number->getValue();
    }
    const int64_t start = numbers[0];
    const int64_t end = start + numbers[1];
    const int64_t step = numbers[2];
    LoopCounter counter(container);
    auto pass = [&](int64_t i) {
        counter.set(i);
        return body.get()->run(nullptr, nullptr, true);
    };
    bool broke = false;
    if (start < end) {
        for (int64_t i = start; i < end && !broke; i += step)
            broke = pass(i);
    } else if (start > end) {
        for (int64_t i = start; i > end && !broke; i += step)
            broke = pass(i);
    }
    return broke ? CMC_Object::stopResult(CMC_Object::STOP_BREAK) : nullptr;
}

CMC_Object* CMC_Dummy_Runner::returnValue(CMC_Object*, CMC_ObjectsContainer* container, CXVector* args)
{
    CMC_Variable* stored = CMC_ReturnValue::store(container, argumentAt(args, 0), getParameter(args, 0));
    return CMC_VariableFactory::copyVariable(stored);
}

// A name written as such finds its object: it stands for itself, not for the object's value.
CMC_Object* CMC_Dummy_Runner::declare(int type, CMC_Object* owner, CMC_ObjectsContainer* container, CXVector* args)
{
    const bool ownerIsBehaviour = owner != nullptr && owner->getType() == CMC_Object::TYPE_BEHAVIOUR;
    auto* behaviour = ownerIsBehaviour ? dynamic_cast<CMC_Behaviour*>(owner) : nullptr;
    CMC_Object* written = argumentAt(args, 0);
    if (behaviour == nullptr || container == nullptr || written == nullptr)
        return nullptr;
    const bool isNamedObject = container->getObject(written->getName().c_str()) == written;
    const CXString name = isNamedObject ? written->getName() : parameterText(args, 0);
    if (name.GetLength() == 0 || container->getObject(name.c_str()) != nullptr)
        return nullptr;
    CMC_Variable* local = CMC_VariableFactory::makeNamed(type, name);
    if (CMC_Variable* initial = getParameter(args, 1))
        local->set(initial);
    local->setAsTemporary();
    local->setScene(container);
    container->addObject(local);
    behaviour->addTempObject(local);
    return CMC_VariableFactory::copyVariable(local);
}

CMC_Object* CMC_Dummy_Runner::runOnTimer(CMC_Object*, CMC_ObjectsContainer* container, CXVector* args)
{
    const int count = argumentCount(args);
    ScriptWindow* window = container != nullptr ? container->getWindow() : nullptr;
    if (count < 3 || window == nullptr || window->GetTimerInterface() == nullptr)
        return nullptr;
    CMC_Integer* number = getParameterInteger(args, 0);
    const int interval = number != nullptr ? number->getValue() : 0;
    number = getParameterInteger(args, 1);
    const int ticks = number != nullptr ? number->getValue() : 0;
    auto* texts = new CXArray(count - 3, 0.75f);
    texts->add(new CXString("0"));
    for (int i = 4; i < count; ++i)
        texts->add(new CXString(parameterText(args, i)));
    const CXString code = timedCode(container, args, 2);
    bool ownEnd = false;
    CMC_Behaviour* end = timerEnd(container, args, 3, &ownEnd);
    CXString name = timerName(container);
    while (ownEnd && name == end->getName())
        name = timerName(container);
    auto* timed = new CMC_Behaviour(container, name, code);
    timed->init();
    container->addObject(timed);
    if (ownEnd)
        timed->adoptFollowUp(end);
    timed->runOnTimer(interval, ticks, texts, end);
    return CMC_VariableFactory::allocString(name);
}

CXString CMC_Dummy_Runner::timedCode(CMC_ObjectsContainer* container, CXVector* args, int i)
{
    const CXString text = parameterText(args, i);
    CMC_Object* named = container->getObject(text.c_str());
    if (named != nullptr && named->getType() == CMC_Object::TYPE_BEHAVIOUR)
        return static_cast<CMC_Behaviour*>(named)->getCode();
    return text;
}

CMC_Behaviour* CMC_Dummy_Runner::timerEnd(CMC_ObjectsContainer* container, CXVector* args, int i, bool* own)
{
    if (argumentCount(args) <= i)
        return nullptr;
    const CXString text = parameterText(args, i);
    CMC_Object* named = container->getObject(text.c_str());
    const bool isBehaviour = named != nullptr && named->getType() == CMC_Object::TYPE_BEHAVIOUR;
    if (isBehaviour && CMC_CodeBlockName::of(argumentAt(args, i)) == nullptr)
        return static_cast<CMC_Behaviour*>(named);
    const CXString code = isBehaviour ? static_cast<CMC_Behaviour*>(named)->getCode() : text;
    if (code.GetLength() == 0)
        return nullptr;
    auto* end = new CMC_Behaviour(container, timerName(container), code);
    end->init();
    *own = true;
    return end;
}

CXString CMC_Dummy_Runner::timerName(CMC_ObjectsContainer* container)
{
    // Numbers are drawn from the generator; after many names in use, counting goes on above
    // the range of the draws.
    constexpr int kDraws = 64;
    for (int attempt = 0;; ++attempt) {
        const int number = attempt < kDraws ? CXRandom::draw() : 32768 + attempt;
        const CXString name = "timer_" + CXString::toString(number);
        if (container->getObject(name.c_str()) == nullptr)
            return name;
    }
}

CMC_Object* CMC_Dummy_Runner::conv(CMC_Object*, CMC_ObjectsContainer*, CXVector* args)
{
    CMC_Variable* value = getParameter(args, 0);
    CMC_String* typeName = getParameterString(args, 1);
    if (value == nullptr || typeName == nullptr)
        return nullptr;
    const CXString& type = typeName->getValue();
    CMC_Variable* result = nullptr;
    if (type == "STRING")
        result = CMC_VariableFactory::allocString();
    else if (type == "INTEGER")
        result = CMC_VariableFactory::allocInteger();
    else if (type == "BOOL")
        result = CMC_VariableFactory::allocBool();
    else if (type == "DOUBLE")
        result = CMC_VariableFactory::allocDouble();
    if (result != nullptr)
        result->set(value);
    return result;
}

CMC_Object* CMC_Dummy_Runner::value(CMC_Object*, CMC_ObjectsContainer* container, CXVector* args)
{
    CMC_String* name = getParameterString(args, 0);
    return name != nullptr && container != nullptr ? container->getObject(name->getValue().c_str()) : nullptr;
}

// The new object replaces one of the same name; it has no definition, no handlers, and is
// not initialised.
CMC_Object* CMC_Dummy_Runner::create(CMC_Object*, CMC_ObjectsContainer* container, CXVector* args)
{
    if (container == nullptr || argumentCount(args) < 2)
        return nullptr;
    CMC_Object* object = CMC_ObjectFactory::createEmpty(parameterText(args, 0), container);
    if (object == nullptr)
        return nullptr;
    object->setName(parameterText(args, 1));
    container->addObject(object);
    return nullptr;
}

CMC_Object* CMC_Dummy_Runner::getApplicationName(CMC_Object*, CMC_ObjectsContainer* container, CXVector*)
{
    ScriptWindow* window = container != nullptr ? container->getWindow() : nullptr;
    ScriptApplication* application = window != nullptr ? window->GetApplicationInterface() : nullptr;
    CMC_ObjectsContainer* root = application != nullptr ? application->getMCApplicationIfc() : nullptr;
    return root != nullptr ? CMC_VariableFactory::allocString(root->getName()) : nullptr;
}

CMC_Object* CMC_Dummy_Runner::getCurrentScene(CMC_Object*, CMC_ObjectsContainer* container, CXVector*)
{
    CMC_ObjectsContainer* scene = container != nullptr ? container->getScene() : nullptr;
    return scene != nullptr ? CMC_VariableFactory::allocString(scene->getName()) : nullptr;
}
