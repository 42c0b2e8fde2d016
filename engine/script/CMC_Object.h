#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <cstdint>
#include <vector>

class CConfig;
class CGraphicsObject;
class CHashtable;
class CMC_Behaviour;
class CMC_Binding;
class CMC_Class;
class CMC_ObjectsContainer;
class CMC_Runner;
class CMC_SignalList;
class CMC_Variable;
class CMElement;
class CXArchive;
class CXArray;
class CXTriple;
class CXVector;

// Base of every script object: its name, type id and clone counter, the signals its type can
// raise, the behaviours bound to them and the container that owns it.
//
// Bindings are kept under the exact name they were made with: a signal ("ONCLICK") or a
// signal, "^" and a parameter ("ONCLICK^LEFT"). A raiser tries the parameterised name first
// and the plain one only when nothing is bound to the first. Each object also keeps one bound
// flag per signal of its type, set once something is bound to that signal in any form.
class CMC_Object : public CXObject {
public:
    // Type ids of the script types that this layer itself tells apart.
    static constexpr int TYPE_PLACEHOLDER = 0;
    static constexpr int TYPE_INTEGER = 1;
    static constexpr int TYPE_STRING = 2;
    static constexpr int TYPE_BOOL = 3;
    static constexpr int TYPE_DOUBLE = 4;
    static constexpr int TYPE_CONDITION = 10;
    static constexpr int TYPE_COMPLEXCONDITION = 11;
    static constexpr int TYPE_EXPRESSION = 12;
    static constexpr int TYPE_BEHAVIOUR = 13;
    static constexpr int TYPE_RANDOM = 102;
    static constexpr int TYPE_STATEMENT = -100;
    static constexpr int TYPE_APPLICATION = 1000;
    static constexpr int TYPE_EPISODE = 1001;
    static constexpr int TYPE_SCENE = 1002;
    static constexpr int TYPE_ANIMO = 2000;
    static constexpr int TYPE_VECTOR = 2016;
    static constexpr int TYPE_FIFO = 2018;
    static constexpr int TYPE_LIFO = 2019;
    static constexpr int TYPE_GROUP = 3000;
    static constexpr int TYPE_ARRAY = 3001;
    static constexpr int TYPE_STRUCTURE = 3002;
    static constexpr int TYPE_DATABASE = 3003;
    static constexpr int TYPE_CLASS = 3004;
    static constexpr int TYPE_MULTIARRAY = 3006;
    static constexpr int TYPE_CNVLOADER = 12000;

    // Statement results that stop running code instead of giving a value. BREAK stops the
    // code and what ran it; ONEBREAK and CONTINUE stop only the code that holds them.
    static constexpr int STOP_BREAK = -1;
    static constexpr int STOP_ONEBREAK = -2;
    static constexpr int STOP_CONTINUE = -3;
    static CMC_Object* stopResult(int code) { return reinterpret_cast<CMC_Object*>(static_cast<intptr_t>(code)); }
    static bool isStopResult(const CMC_Object* result) { return reinterpret_cast<intptr_t>(result) < 0; }
    static int stopCode(const CMC_Object* result) { return static_cast<int>(reinterpret_cast<intptr_t>(result)); }

    // Positions of the two signals that every type's list begins with.
    static constexpr int SIGNAL_ONINIT = 0;
    static constexpr int SIGNAL_ONDONE = 1;

    // Told of every script object that is destroyed, so that whoever lists objects lets go
    // of it. A watcher neither comes nor goes while it is told.
    class Watcher {
    public:
        virtual void onObjectGone(CMC_Object* object) = 0;

    protected:
        ~Watcher() = default;
    };

    CMC_Object(const CXString& name, int type);
    // Named after the element and owned by the container; the type's own constructor binds
    // the element's signal properties with initializeBehaviours.
    CMC_Object(CMC_ObjectsContainer* scene, CMElement* element, int type);
    // Raises "ONDONE" unless the object was finished already; the watchers hear that it goes.
    ~CMC_Object() override;
    CMC_Object(const CMC_Object&) = delete;
    CMC_Object& operator=(const CMC_Object&) = delete;

    // Types that can be cloned give a fresh copy of themselves; the plain object gives none.
    CXObject* clone() override { return nullptr; }
    CXString toString() override { return name_; }

    // Raises "ONINIT" when it is bound.
    virtual void init();
    // True for types that must finish before the other objects of their container.
    virtual bool doneFirst() { return false; }
    // Raises "ONDONE" when it is bound and the object has not been finished since its last
    // init; always true.
    virtual bool done(bool final);
    virtual void setScene(CMC_ObjectsContainer* scene) { scene_ = scene; }
    virtual CMC_ObjectsContainer* getScene() { return scene_; }
    virtual int getClonesNo() { return clones_; }
    // The number after the last "_" of the name ("DOOR_3" gives 3); 0 when there is none.
    virtual int getCloneIdx();
    // The name of the next clone: the name, "_" and the count of clones so far, plus one.
    virtual CXString getCloneName();
    // Registers a fresh copy of this object as its next clone, in this object's container.
    virtual void clone(CMC_Object* copy);
    // Makes that many clones; none for a type that cannot be copied.
    virtual void clone(int count);
    virtual void resetClones() { clones_ = 0; }
    // The position of the first signal that the name begins with; -1 when none, or when the
    // object has no signal list.
    virtual int getBehaviourIndex(const CXString& name);
    // Binds the element's signal properties: "{code}" makes the behaviour
    // "beh_" + object + "_" + property in the container, "NAME" or "NAME(a, b)" binds the
    // container's behaviour NAME with those arguments. Without an element, swaps the
    // placeholders that an archive left for the behaviours of the container.
    virtual void initializeBehaviours(CMC_ObjectsContainer* container, CMElement* element);
    // The signals of the type; the plain object has none.
    virtual const CMC_SignalList* getBehavioursList() { return nullptr; }
    // The runner of a plug-in type; the engine's own types are served by the runner registry.
    virtual CMC_Runner* getRunner() { return nullptr; }
    // The object as a script value; none for objects that are no values.
    virtual CMC_Variable* asVariable() { return nullptr; }
    // The picture that scripts reach under the object's name, and with a part the part of it
    // that the part names; none for objects that show nothing.
    virtual CGraphicsObject* getShownGraphics(const CXString&) { return nullptr; }
    // Whether the type accepts a binding of that name.
    virtual bool verifyBehaviour(const CXString& name);
    // Appends a binding under the name, after removing the name's bindings when replace is
    // set, and sets the bound flag of the signal before any "^" of the name. The object takes
    // the argument list over, also when it refuses the binding.
    virtual void addBehaviour(const CXString& name, CMC_Behaviour* behaviour, CXArray* arguments,
                              CMC_ObjectsContainer* owner, bool replace);
    // Drops every binding of the name; the bound flag stays.
    virtual void removeBehaviour(const CXString& name);
    // Drops every binding and clears every bound flag.
    virtual void removeAllBehaviours();
    // The bindings of exactly that name, in binding order; none when there are none.
    virtual CXVector* getBehaviour(const CXString& name);
    // The binding at that position among the bindings of the name, or none.
    virtual CXTriple* getSingleBehaviour(const CXString& name, int position);
    // The behaviours made from in-line code of this object's properties.
    virtual CXVector* getTmpBehList() { return tmpBehaviours_; }
    virtual CMC_Class* getClass() { return class_; }
    virtual void setClass(CMC_Class* scriptClass) { class_ = scriptClass; }
    // Runs every behaviour bound to exactly that name, each with the given arguments in place
    // of its own; true when at least one is bound.
    virtual bool onSignal(const CXString& name, CXArray* arguments);
    // Runs every behaviour bound to exactly that name with its own arguments; true when at
    // least one is bound.
    virtual bool onSignal(const CXString& name);
    // The object's record in compiled scene files: its name and its bindings, each binding
    // as its name, the behaviour's name and the argument texts. Read bindings wait as
    // placeholders for initializeBehaviours without an element.
    virtual void serialize(CXArchive* archive);
    // Drops the bindings that the finishing container made.
    virtual void onSceneDone(CMC_ObjectsContainer* finished);

    int getType() const { return type_; }
    CXString getName() const { return name_; }
    // Only the name: a container that holds the object enters it again itself.
    void setName(const CXString& name) { name_ = name; }
    bool isClone() const { return isClone_; }
    bool isTemporary() const { return temporary_; }
    void setAsTemporary() { temporary_ = true; }
    // A fresh object that a method hands to its caller: whoever receives it as a statement's
    // result or argument deletes it once used.
    bool isHandedOver() const { return handedOver_; }
    void setHandedOver() { handedOver_ = true; }
    // The signal that the part of the name before its first "^" equals, or -1.
    int getSignalIndex(const CXString& name) const;
    // Whether something was bound to the signal at that position of the type's list.
    bool isSignalBound(int index) const
    {
        return index >= 0 && index < static_cast<int>(defined_.size()) && defined_[static_cast<size_t>(index)] != 0;
    }

    static void watch(Watcher* watcher);
    static void unwatch(Watcher* watcher);

    // The behaviour that the in-line code of the object's property makes.
    static CXString inlineBehaviourName(const CXString& objectName, const CXString& property);
    // The id of a script type name, -1 for a name that is no type (case counts).
    static int getTypeId(const CXString& name);
    // The script type name of a type id; ids without one give their decimal digits.
    static CXString typeName(int type);
    // The display name of a type id; ids without one give their decimal digits.
    static CXString typeToString(int type);
    // Hands a pooled temporary back to its pool; anything else is left alone.
    static void flush(CMC_Variable* value, bool unused);
    // Lets go of what a statement or method gave: a pooled temporary goes back to its pool,
    // a handed-over object is deleted, anything else is left alone.
    static void releaseResult(CMC_Object* result)
    {
        if (result == nullptr || isStopResult(result) || !(result->pooled_ || result->handedOver_))
            return;
        releaseOwned(result);
    }

protected:
    // The application INI, reached through the owning container's window; none without it.
    CConfig* applicationIni();
    void markAsClone() { isClone_ = true; }
    // A member of the value pools.
    void markAsPooled() { pooled_ = true; }
    // Releases every binding and the bound flags.
    void flushBehList();
    // Data of a type that its record does not lay out rides in the object's record as one
    // binding under a name that no signal has, a text in the behaviour's place and one
    // argument: readers that do not know the name keep it as a binding that never runs, and
    // files without it read as they always did.
    struct RecordNote {
        CXString name;
        CXString text;
        CXString argument;
    };
    // The notes that the object's record carries when it is written; none.
    virtual std::vector<RecordNote> getRecordNotes() { return {}; }
    // The note's text and argument, taken out of the bindings; false without one.
    bool takeRecordNote(const CXString& name, CXString* text, CXString* argument = nullptr);
    // The note's text alone; the fallback without one.
    CXString takeRecordNote(const CXString& name, const CXString& fallback);

private:
    static void releaseOwned(CMC_Object* result);

    static inline std::vector<Watcher*> watchers_;
    CMC_Binding* bindingAt(CXVector* list, int i) const;
    CXVector* bindingListOf(const CXString& name, bool make);
    void appendBinding(const CXString& name, CMC_Binding* binding);
    // Frees the record at once, or at the end of the raise that may still walk it.
    void releaseBinding(CMC_Binding* binding);
    void releaseBindingList(CXVector* list);
    bool raise(const CXString& name, CXArray* arguments, bool boundArguments);
    void bindProperty(CMC_ObjectsContainer* container, const CXString& property, const CXString& value,
                      int signal, CMC_Behaviour** inlineBehaviour);
    void rebindPlaceholders(CMC_ObjectsContainer* container);
    void prepareSignals();

    CXString name_;
    int32_t type_;
    bool isClone_ = false;
    bool temporary_ = false;
    bool handedOver_ = false;
    bool pooled_ = false;
    const CMC_SignalList* signals_ = nullptr;
    CHashtable* bindings_ = nullptr;
    CXVector* tmpBehaviours_ = nullptr;
    std::vector<uint8_t> defined_;
    CMC_ObjectsContainer* scene_ = nullptr;
    CMC_Class* class_ = nullptr;
    int32_t clones_ = 0;
    bool finished_ = false;
    int raising_ = 0;
    std::vector<CMC_Binding*> retired_;
};
