#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "foundation/CXVector.h"
#include "script/CMC_String.h"
#include "script/CMC_Variable.h"

#include <cstddef>
#include <cstdint>

class CHashtable;
class CMC_Bool;
class CMC_Double;
class CMC_Integer;
class CMC_ObjectsContainer;
class CStringHashCode;
class ScriptWindow;

// The method dispatcher of one script type: method names as scripts write them (upper case,
// matched exactly) map to ids once, when a statement is compiled; a call then runs the handler
// of an id on an object with the statement's argument vector.
//
// Every runner knows the twelve common methods (ids 96 to 107) unless its type opts out. A
// name registered twice keeps its first id, so a type's own method of a common name is never
// reached by name.
//
// A handler gets the object, the container in whose scope the statement runs and the argument
// vector (possibly none), and gives none, a pooled temporary that the caller gives back, an
// object, or a stop result (CMC_Object::stopResult).
class CMC_Runner : public CXObject {
public:
    static constexpr int MTH_SEND = 96;
    static constexpr int MTH_ADDTOGROUP = 97;
    static constexpr int MTH_ADDTOARRAY = 98;
    static constexpr int MTH_GETNAME = 99;
    static constexpr int MTH_CLONE = 100;
    static constexpr int MTH_ADDBEHAVIOUR = 101;
    static constexpr int MTH_GETCLONEINDEX = 102;
    static constexpr int MTH_MSGBOX = 103;
    static constexpr int MTH_RESETCLONES = 104;
    static constexpr int MTH_REMOVEBEHAVIOUR = 105;
    static constexpr int MTH_GETCLONESNO = 106;
    static constexpr int MTH_REMOVEALLBEHAVIOURS = 107;

    // A method name and its id, for a table of a type's methods.
    struct MethodName {
        const char* name;
        int id;
    };

    // Registers nothing: the runner registry calls prepareMthHashSet right after.
    CMC_Runner();
    ~CMC_Runner() override;
    CMC_Runner(const CMC_Runner&) = delete;
    CMC_Runner& operator=(const CMC_Runner&) = delete;

    // Makes the method table and registers the common methods; a type's runner calls it first
    // and then registers its own names.
    virtual void prepareMthHashSet();
    virtual void toDebug(const CXString&, CXVector*) {}

    // Argument i as the statement holds it, when it is a value; an EXPRESSION gives its newly
    // computed result. None past the last argument and for objects that are no values.
    virtual CMC_Variable* getParameter(CXVector* args, int i);
    // Argument i converted: the argument itself when it has the type, else a converted pooled
    // temporary that is already back in its pool, to be read at once and never released. A
    // STRING read from an object that is no value holds the object's name.
    virtual CMC_Bool* getParameterBool(CXVector* args, int i);
    virtual CMC_Double* getParameterDouble(CXVector* args, int i);
    virtual CMC_Integer* getParameterInteger(CXVector* args, int i);
    virtual CMC_String* getParameterString(CXVector* args, int i);
    // The same, without a call when the argument is a STRING itself.
    CMC_String* stringParameter(CXVector* args, int i)
    {
        CMC_Variable* text = argumentOfType(args, i, CMC_Object::TYPE_STRING);
        return text != nullptr ? static_cast<CMC_String*>(text) : getParameterString(args, i);
    }

    // Runs the handler of the id; the base serves the common ids and gives none for others.
    virtual CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args);
    // The same by name: run(resolveMethod(name), ...).
    virtual CMC_Object* run(const CXString& name, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args);
    // The id of the name (exact case), -1 for a name the runner does not have.
    virtual int resolveMethod(const CXString& name);
    // Whether the method of the id only reads its arguments: it neither changes them nor
    // keeps them past the call. Such a method may be given a statement's literals themselves
    // instead of pooled copies.
    virtual bool readsArgumentsOnly(int) const { return false; }

    // Unique among all runners ever made, so that a remembered id can name its runner.
    uint64_t getSerial() const { return serial_; }

    // A value (with the argument that gave it) read as the type the way the typed getters
    // read arguments.
    static CMC_Variable* readAs(CMC_Variable* value, CMC_Object* argument, int type);
    static CMC_String* readAsString(CMC_Variable* value, CMC_Object* argument);
    // The raw argument at i: none past the end or without arguments.
    static CMC_Object* argumentAt(CXVector* args, int i)
    {
        if (args == nullptr || i < 0 || i >= args->getCount())
            return nullptr;
        auto* argument = static_cast<CMC_Object*>(args->at(i));
        return CMC_Object::isStopResult(argument) ? nullptr : argument;
    }
    static int argumentCount(CXVector* args) { return args != nullptr ? args->getCount() : 0; }
    // Argument i when it is a value of the type (BOOL, DOUBLE, INTEGER or STRING), which the
    // getters give as it is; none otherwise.
    static CMC_Variable* argumentOfType(CXVector* args, int i, int type)
    {
        CMC_Object* argument = argumentAt(args, i);
        return argument != nullptr && argument->getType() == type ? static_cast<CMC_Variable*>(argument) : nullptr;
    }

protected:
    // Makes the empty method table.
    void makeMethodTable();
    // Appends a name; an equal name registered earlier keeps winning.
    void registerMethod(const char* name, int id);
    // Appends the names in order.
    template <size_t N>
    void registerMethods(const MethodName (&methods)[N])
    {
        for (const MethodName& method : methods)
            registerMethod(method.name, method.id);
    }
    // The text of argument i (as getParameterString reads it) copied out; empty when missing.
    CXString parameterText(CXVector* args, int i);
    // Argument i converted as the typed getters convert it; the fallback when it is missing.
    int integerParameter(CXVector* args, int i, int fallback = 0);
    bool boolParameter(CXVector* args, int i, bool fallback = false);
    double doubleParameter(CXVector* args, int i, double fallback = 0.0);
    // The object that argument i names: the scope's object of its text, or the argument
    // itself when it is an object that reads as no text (a STRUCTURE). None when missing.
    CMC_Object* getParameterObject(CXVector* args, int i, CMC_ObjectsContainer* scope);
    // The scope's object that argument i names when it has the type id; none.
    CMC_Object* namedObject(CMC_ObjectsContainer* scope, CXVector* args, int i, int type);
    template <typename Type>
    Type* namedOfType(CMC_ObjectsContainer* scope, CXVector* args, int i, int type)
    {
        return dynamic_cast<Type*>(namedObject(scope, args, i, type));
    }
    // A method's result as a pooled temporary.
    static CMC_Object* giveBool(bool value);
    static CMC_Object* giveInteger(int value);
    static CMC_Object* giveString(const CXString& value);
    // The window of the container the statement runs in, else of the object's container.
    static ScriptWindow* callerWindow(CMC_ObjectsContainer* scope, CMC_Object* object);
    // COPYFILE(source, target) of the types that have it: both named as data files are; a
    // pooled BOOL tells whether the copy was made.
    CMC_Object* copyFile(CMC_ObjectsContainer* scope, CXVector* args);

private:
    CMC_Object* send(CMC_Object* object, CXVector* args);
    CMC_Object* addToGroup(CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* addToArray(CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* getName(CMC_Object* object);
    CMC_Object* cloneObject(CMC_Object* object, CXVector* args);
    CMC_Object* addBehaviour(CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* getCloneIdx(CMC_Object* object);
    CMC_Object* removeBehaviour(CMC_Object* object, CXVector* args);
    CMC_Object* getCloneNo(CMC_Object* object);
    CMC_Variable* convertedParameter(CXVector* args, int i, int type);

    static inline uint64_t serials_ = 0;

    CHashtable* methods_ = nullptr;
    CStringHashCode* lookupKey_;
    uint64_t serial_;
};
