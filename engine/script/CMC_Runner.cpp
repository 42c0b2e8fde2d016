#include "script/CMC_Runner.h"

#include "foundation/CFileSandbox.h"
#include "foundation/CHashtable.h"
#include "foundation/CInteger.h"
#include "foundation/CPath.h"
#include "foundation/CStringHashCode.h"
#include "foundation/CXArray.h"
#include "foundation/CXVector.h"
#include "platform/FileSystem.h"
#include "platform/PathResolver.h"
#include "script/CMC_Array.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Expression.h"
#include "script/CMC_Groupped.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_ScratchText.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"
#include "script/ScriptWindow.h"

namespace {

// In the order of registration.
constexpr CMC_Runner::MethodName kCommonMethods[] = {
    {"SEND", CMC_Runner::MTH_SEND},
    {"ADDTOGROUP", CMC_Runner::MTH_ADDTOGROUP},
    {"ADDTOARRAY", CMC_Runner::MTH_ADDTOARRAY},
    {"GETNAME", CMC_Runner::MTH_GETNAME},
    {"CLONE", CMC_Runner::MTH_CLONE},
    {"ADDBEHAVIOUR", CMC_Runner::MTH_ADDBEHAVIOUR},
    {"GETCLONEINDEX", CMC_Runner::MTH_GETCLONEINDEX},
    {"MSGBOX", CMC_Runner::MTH_MSGBOX},
    {"RESETCLONES", CMC_Runner::MTH_RESETCLONES},
    {"REMOVEBEHAVIOUR", CMC_Runner::MTH_REMOVEBEHAVIOUR},
    {"REMOVEALLBEHAVIOURS", CMC_Runner::MTH_REMOVEALLBEHAVIOURS},
    {"GETCLONESNO", CMC_Runner::MTH_GETCLONESNO},
};

// Scripts write '$' for the '^' of a signal name, since '^' separates object and method.
CXString signalName(const CXString& written)
{
    CXString name = written;
    name.Replace('$', '^');
    return name;
}

} // namespace

CMC_Runner::CMC_Runner()
    : lookupKey_(new CStringHashCode(CXString("temp")))
    , serial_(++serials_)
{
}

CMC_Runner::~CMC_Runner()
{
    delete lookupKey_;
    if (methods_ == nullptr)
        return;
    CXVector* ids = methods_->getElements();
    for (int i = 0; i < ids->getCount(); ++i)
        delete ids->at(i);
    delete methods_;
}

void CMC_Runner::makeMethodTable()
{
    if (methods_ == nullptr)
        methods_ = new CHashtable(101, 0.75, true);
}

void CMC_Runner::registerMethod(const char* name, int id)
{
    makeMethodTable();
    methods_->put(new CStringHashCode(CXString(name)), new CInteger(id));
}

void CMC_Runner::prepareMthHashSet()
{
    registerMethods(kCommonMethods);
}

int CMC_Runner::resolveMethod(const CXString& name)
{
    if (methods_ == nullptr)
        return -1;
    lookupKey_->set(name.c_str());
    auto* id = static_cast<CInteger*>(methods_->get(lookupKey_));
    return id != nullptr ? id->toInt() : -1;
}

CMC_Object* CMC_Runner::run(const CXString& name, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    return run(resolveMethod(name), object, scope, args);
}

CMC_Variable* CMC_Runner::getParameter(CXVector* args, int i)
{
    CMC_Object* argument = argumentAt(args, i);
    CMC_Variable* value = argument != nullptr ? argument->asVariable() : nullptr;
    if (value == nullptr || value->getType() != CMC_Object::TYPE_EXPRESSION)
        return value;
    auto* expression = static_cast<CMC_Expression*>(value);
    expression->calculate();
    return expression->getResult();
}

CMC_Variable* CMC_Runner::readAs(CMC_Variable* value, CMC_Object* argument, int type)
{
    if (value == nullptr) {
        if (argument == nullptr || argument->asVariable() != nullptr || type != CMC_Object::TYPE_STRING)
            return nullptr;
        CMC_String* name = CMC_VariableFactory::allocString();
        name->setValue(argument->getName());
        CMC_VariableFactory::free(name);
        return name;
    }
    if (value->getType() == type)
        return value;
    CMC_Variable* converted = value->convert(type);
    if (converted != nullptr && converted != value)
        CMC_VariableFactory::free(converted);
    return converted;
}

CMC_String* CMC_Runner::readAsString(CMC_Variable* value, CMC_Object* argument)
{
    return static_cast<CMC_String*>(readAs(value, argument, CMC_Object::TYPE_STRING));
}

CMC_Variable* CMC_Runner::convertedParameter(CXVector* args, int i, int type)
{
    if (CMC_Variable* value = argumentOfType(args, i, type))
        return value;
    return readAs(getParameter(args, i), argumentAt(args, i), type);
}

CMC_Bool* CMC_Runner::getParameterBool(CXVector* args, int i)
{
    return static_cast<CMC_Bool*>(convertedParameter(args, i, CMC_Object::TYPE_BOOL));
}

CMC_Double* CMC_Runner::getParameterDouble(CXVector* args, int i)
{
    return static_cast<CMC_Double*>(convertedParameter(args, i, CMC_Object::TYPE_DOUBLE));
}

CMC_Integer* CMC_Runner::getParameterInteger(CXVector* args, int i)
{
    return static_cast<CMC_Integer*>(convertedParameter(args, i, CMC_Object::TYPE_INTEGER));
}

CMC_String* CMC_Runner::getParameterString(CXVector* args, int i)
{
    return static_cast<CMC_String*>(convertedParameter(args, i, CMC_Object::TYPE_STRING));
}

CXString CMC_Runner::parameterText(CXVector* args, int i)
{
    CMC_String* text = stringParameter(args, i);
    return text != nullptr ? text->getValue() : CXString();
}

int CMC_Runner::integerParameter(CXVector* args, int i, int fallback)
{
    CMC_Integer* value = getParameterInteger(args, i);
    return value != nullptr ? value->getValue() : fallback;
}

bool CMC_Runner::boolParameter(CXVector* args, int i, bool fallback)
{
    CMC_Bool* value = getParameterBool(args, i);
    return value != nullptr ? value->getValue() : fallback;
}

double CMC_Runner::doubleParameter(CXVector* args, int i, double fallback)
{
    CMC_Double* value = getParameterDouble(args, i);
    return value != nullptr ? value->getValue() : fallback;
}

CMC_Object* CMC_Runner::getParameterObject(CXVector* args, int i, CMC_ObjectsContainer* scope)
{
    CMC_Object* argument = argumentAt(args, i);
    if (argument == nullptr || scope == nullptr)
        return nullptr;
    CMC_String* name = getParameterString(args, i);
    return name != nullptr ? scope->getObject(name->getValue().c_str()) : argument;
}

CMC_Object* CMC_Runner::namedObject(CMC_ObjectsContainer* scope, CXVector* args, int i, int type)
{
    if (scope == nullptr || argumentCount(args) <= i)
        return nullptr;
    CMC_Object* named = scope->getObject(parameterText(args, i).c_str());
    return named != nullptr && named->getType() == type ? named : nullptr;
}

CMC_Object* CMC_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (object == nullptr)
        return nullptr;
    switch (id) {
    case MTH_SEND:
        return send(object, args);
    case MTH_ADDTOGROUP:
        return addToGroup(object, scope, args);
    case MTH_ADDTOARRAY:
        return addToArray(object, scope, args);
    case MTH_GETNAME:
        return getName(object);
    case MTH_CLONE:
        return cloneObject(object, args);
    case MTH_ADDBEHAVIOUR:
        return addBehaviour(object, scope, args);
    case MTH_GETCLONEINDEX:
        return getCloneIdx(object);
    case MTH_RESETCLONES:
        object->resetClones();
        return nullptr;
    case MTH_REMOVEBEHAVIOUR:
        return removeBehaviour(object, args);
    case MTH_GETCLONESNO:
        return getCloneNo(object);
    case MTH_REMOVEALLBEHAVIOURS:
        object->removeAllBehaviours();
        return nullptr;
    default:
        // MSGBOX shows nothing.
        return nullptr;
    }
}

// The text is copied before the handlers run, since they may lend the slot it lives in again.
CMC_Object* CMC_Runner::send(CMC_Object* object, CXVector* args)
{
    CMC_String* text = getParameterString(args, 0);
    if (text == nullptr)
        return nullptr;
    CMC_ScratchText signal;
    if (text->getValue().startsWith("@")) {
        signal = text->getValue().c_str();
    } else {
        signal = "ONSIGNAL^";
        signal.text() += text->getValue();
    }
    object->onSignal(signal.text());
    return nullptr;
}

CMC_Object* CMC_Runner::addToGroup(CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    CMC_String* name = getParameterString(args, 0);
    CMC_Object* group = name != nullptr && scope != nullptr ? scope->getObject(name->getValue().c_str()) : nullptr;
    if (group != nullptr && group->getType() == CMC_Object::TYPE_GROUP)
        static_cast<CMC_Groupped*>(group)->add(object);
    return nullptr;
}

// The array keeps a copy; objects that are no values have none to give.
CMC_Object* CMC_Runner::addToArray(CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    CMC_Object* array = getParameterObject(args, 0, scope);
    if (array != nullptr && array->getType() == CMC_Object::TYPE_ARRAY && object->asVariable() != nullptr)
        static_cast<CMC_Array*>(array)->add(object->asVariable());
    return nullptr;
}

CMC_Object* CMC_Runner::giveBool(bool value)
{
    return CMC_VariableFactory::allocBool(value);
}

CMC_Object* CMC_Runner::giveInteger(int value)
{
    return CMC_VariableFactory::allocInteger(value);
}

CMC_Object* CMC_Runner::giveString(const CXString& value)
{
    return CMC_VariableFactory::allocString(value);
}

ScriptWindow* CMC_Runner::callerWindow(CMC_ObjectsContainer* scope, CMC_Object* object)
{
    CMC_ObjectsContainer* container = scope != nullptr ? scope : object->getScene();
    return container != nullptr ? container->getWindow() : nullptr;
}

// The target is replaced only by a whole copy; where it cannot be, it stays as it was.
CMC_Object* CMC_Runner::copyFile(CMC_ObjectsContainer* scope, CXVector* args)
{
    CMC_String* source = getParameterString(args, 0);
    const CXString from = source != nullptr ? source->getValue() : CXString();
    CMC_String* target = source != nullptr ? getParameterString(args, 1) : nullptr;
    if (target == nullptr)
        return giveBool(false);
    ScriptWindow* window = scope != nullptr ? scope->getWindow() : nullptr;
    const CXString to = target->getValue();
    const std::string fromPath = platform::resolvePath(CPath::resolveFileNameEx(window, from).c_str());
    const std::string toPath = platform::resolvePath(CPath::resolveFileNameEx(window, to).c_str());
    if (!CFileSandbox::permits(from, fromPath) || !CFileSandbox::permits(to, toPath))
        return giveBool(false);
    return giveBool(platform::copyFile(fromPath, toPath));
}

CMC_Object* CMC_Runner::getName(CMC_Object* object)
{
    return giveString(object->getName());
}

CMC_Object* CMC_Runner::cloneObject(CMC_Object* object, CXVector* args)
{
    CMC_Integer* count = argumentCount(args) > 0 ? getParameterInteger(args, 0) : nullptr;
    object->clone(count != nullptr ? count->getValue() : 1);
    return nullptr;
}

// The arguments after the behaviour's name reach the behaviour as its parameter texts.
CMC_Object* CMC_Runner::addBehaviour(CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    const int count = argumentCount(args);
    if (count < 2 || scope == nullptr)
        return nullptr;
    const CXString signal = signalName(parameterText(args, 0));
    CMC_Object* found = scope->getObject(parameterText(args, 1).c_str());
    if (found == nullptr || found->getType() != CMC_Object::TYPE_BEHAVIOUR)
        return nullptr;
    CXArray* parameters = nullptr;
    if (count > 2) {
        parameters = new CXArray(101, 0.75f);
        for (int i = 2; i < count; ++i)
            parameters->add(new CXString(parameterText(args, i)));
    }
    object->addBehaviour(signal, static_cast<CMC_Behaviour*>(found), parameters, scope, false);
    return nullptr;
}

CMC_Object* CMC_Runner::getCloneIdx(CMC_Object* object)
{
    return giveInteger(object->getCloneIdx());
}

CMC_Object* CMC_Runner::removeBehaviour(CMC_Object* object, CXVector* args)
{
    if (argumentCount(args) > 0)
        object->removeBehaviour(signalName(parameterText(args, 0)));
    return nullptr;
}

CMC_Object* CMC_Runner::getCloneNo(CMC_Object* object)
{
    return giveInteger(object->getClonesNo());
}
