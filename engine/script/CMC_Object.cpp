#include "script/CMC_Object.h"

#include "foundation/CFileSandbox.h"
#include "foundation/CHashtable.h"
#include "foundation/CStringHashCode.h"
#include "foundation/CXArchive.h"
#include "foundation/CXArray.h"
#include "foundation/CXVector.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Binding.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMC_Variable.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"
#include "script/ScriptApplication.h"
#include "script/ScriptWindow.h"

#include <algorithm>
#include <memory>

namespace {

struct TypeName {
    const char* name;
    int id;
};

// Script type names as scripts write them (object listings, "INSTANCEOF"), searched in order.
constexpr TypeName kTypeIds[] = {
    {"INTEGER", 1},     {"STRING", 2},        {"BOOL", 3},          {"DOUBLE", 4},
    {"VARIABLE", 5},    {"CONDITION", 10},    {"COMPLEXCONDITION", 11}, {"EXPRESSION", 12},
    {"BEHAVIOUR", 13},  {"MOUSE", 100},       {"KEYBOARD", 101},    {"RANDOM", 102},
    {"CANVASOBSERVER", 103}, {"APPLICATION", 1000}, {"EPISODE", 1001}, {"SCENE", 1002},
    {"ANIMO", 2000},    {"BUTTON", 2001},     {"FONT", 2002},       {"SEQUENCE", 2004},
    {"SOUND", 2005},    {"TEXT", 2006},       {"TIMER", 2007},      {"IMAGE", 2008},
    {"EDITBOX", 2009},  {"NETPEER", 2010},    {"NETSERVER", 2011},  {"NETCLIENT", 2012},
    {"DIALOG", 2013},   {"FILTER", 2014},     {"STATICFILTER", 2015}, {"VECTOR", 2016},
    {"PATH", 2017},     {"FIFO", 2018},       {"LIFO", 2019},       {"CANVAS", 2020},
    {"PATTERN", 2021},  {"SCROLL", 2022},     {"GROUP", 3000},      {"ARRAY", 3001},
    {"STRUCTURE", 3002}, {"DATABASE", 3003},  {"CLASS", 3004},      {"VIRTUAL_GRAPHICSOBJECT", 3005},
    {"MULTIARRAY", 3006}, {"KOLOROWANKA", 10002}, {"MATRIX", 10003}, {"SWF", 10060},
};

// Display names; two of them are written with a blank, unlike the type names above.
constexpr TypeName kDisplayNames[] = {
    {"INTEGER", 1},     {"STRING", 2},       {"BOOL", 3},          {"DOUBLE", 4},
    {"CONDITION", 10},  {"COMPLEX CONDITION", 11}, {"EXPRESSION", 12}, {"BEHAVIOUR", 13},
    {"MOUSE", 100},     {"KEYBOARD", 101},   {"RANDOM", 102},      {"CANVAS OBSERVER", 103},
    {"APPLICATION", 1000}, {"EPISODE", 1001}, {"SCENE", 1002},     {"ANIMO", 2000},
    {"BUTTON", 2001},   {"FONT", 2002},      {"SEQUENCE", 2004},   {"SOUND", 2005},
    {"TEXT", 2006},     {"TIMER", 2007},     {"IMAGE", 2008},      {"NETPEER", 2010},
    {"DIALOG", 2013},   {"FILTER", 2014},    {"ARRAY", 3001},
};

// The table's name of a type id; its decimal digits for an id without one.
template <size_t N>
CXString nameIn(const TypeName (&table)[N], int type)
{
    for (const TypeName& entry : table)
        if (entry.id == type)
            return CXString(entry.name);
    return CXString::toString(type);
}

constexpr int kBindingBuckets = 101;
constexpr int kCloneBindingBuckets = 11;

CHashtable* newBindingTable(int buckets)
{
    return new CHashtable(buckets, 0.75, true);
}

// "NAME(a, b)": the name before the first "(", and the words up to the first ")" after it.
void splitCall(const CXString& value, CXString* name, CXArray** arguments)
{
    const int open = value.Find('(', 0);
    if (open == -1) {
        *name = value;
        *arguments = nullptr;
        return;
    }
    *name = value.Left(open);
    name->AllTrim(' ');
    int close = value.Find(')', open + 1);
    if (close == -1)
        close = value.GetLength();
    CXString text = value.Mid(open + 1, close);
    text.AllTrim(' ');
    *arguments = text.toVector();
}

} // namespace

CMC_Object::CMC_Object(const CXString& name, int type)
    : name_(name)
    , type_(type)
{
}

CMC_Object::CMC_Object(CMC_ObjectsContainer* scene, CMElement* element, int type)
    : name_(element->getName())
    , type_(type)
    , scene_(scene)
{
}

CMC_Object::~CMC_Object()
{
    CMC_Object::done(false);
    flushBehList();
    delete tmpBehaviours_;
    for (size_t i = 0; i < watchers_.size(); ++i)
        watchers_[i]->onObjectGone(this);
}

void CMC_Object::watch(Watcher* watcher)
{
    if (std::find(watchers_.begin(), watchers_.end(), watcher) == watchers_.end())
        watchers_.push_back(watcher);
}

void CMC_Object::unwatch(Watcher* watcher)
{
    std::erase(watchers_, watcher);
}

CConfig* CMC_Object::applicationIni()
{
    ScriptWindow* window = scene_ != nullptr ? scene_->getWindow() : nullptr;
    ScriptApplication* application = window != nullptr ? window->GetApplicationInterface() : nullptr;
    return application != nullptr ? application->GetConfigInterface() : nullptr;
}

void CMC_Object::init()
{
    finished_ = false;
    if (isSignalBound(SIGNAL_ONINIT))
        onSignal(CXString("ONINIT"));
}

bool CMC_Object::done(bool)
{
    const bool first = !finished_;
    finished_ = true;
    if (first && isSignalBound(SIGNAL_ONDONE))
        onSignal(CXString("ONDONE"));
    return true;
}

int CMC_Object::getCloneIdx()
{
    const int underscore = name_.FindLast('_');
    if (underscore < 1 || underscore == name_.GetLength() - 1)
        return 0;
    return name_.Right(underscore + 1).toNumber();
}

CXString CMC_Object::getCloneName()
{
    ++clones_;
    return name_ + "_" + CXString::toString(clones_);
}

void CMC_Object::clone(CMC_Object* copy)
{
    if (copy == nullptr)
        return;
    if (scene_ == nullptr) {
        // Nobody could own or find the copy.
        delete copy;
        return;
    }
    copy->isClone_ = true;
    copy->scene_ = scene_;
    copy->name_ = getCloneName();
    copy->signals_ = signals_;
    copy->defined_ = defined_;
    if (bindings_ != nullptr) {
        std::unique_ptr<CXVector> keys(bindings_->getKeys());
        for (int k = 0; keys && k < keys->getCount(); ++k) {
            const CXString name = static_cast<CStringHashCode*>(keys->at(k))->getString();
            if (name == "ONINIT" || !copy->verifyBehaviour(name))
                continue;
            CXVector* list = getBehaviour(name);
            for (int i = 0; i < list->getCount(); ++i) {
                if (copy->bindings_ == nullptr)
                    copy->bindings_ = newBindingTable(kCloneBindingBuckets);
                copy->appendBinding(name, bindingAt(list, i)->copy());
            }
        }
    }
    scene_->addObject(copy);
}

void CMC_Object::clone(int count)
{
    for (int i = 0; i < count; ++i) {
        auto* copy = dynamic_cast<CMC_Object*>(clone());
        if (copy == nullptr)
            return;
        clone(copy);
    }
}

int CMC_Object::getBehaviourIndex(const CXString& name)
{
    return signals_ != nullptr ? signals_->findPrefixOf(name) : -1;
}

int CMC_Object::getSignalIndex(const CXString& name) const
{
    if (signals_ == nullptr)
        return -1;
    const int caret = name.Find('^', 0);
    return signals_->find(caret == -1 ? name : name.Left(caret));
}

void CMC_Object::prepareSignals()
{
    if (signals_ == nullptr)
        signals_ = getBehavioursList();
    if (signals_ != nullptr && defined_.empty())
        defined_.assign(static_cast<size_t>(signals_->getCount()), 0);
}

void CMC_Object::initializeBehaviours(CMC_ObjectsContainer* container, CMElement* element)
{
    delete tmpBehaviours_;
    tmpBehaviours_ = new CXVector(101, 0.75f);
    prepareSignals();
    if (signals_ == nullptr || container == nullptr)
        return;
    if (element == nullptr) {
        rebindPlaceholders(container);
        return;
    }
    CMProperties* properties = element->getProperties();
    for (int p = 0; p < properties->getCount(); ++p) {
        const CXString property = properties->getAt(p)->getName();
        // A property whose name begins with two signals is bound under each of them, to the
        // one behaviour that its in-line code makes.
        CMC_Behaviour* inlineBehaviour = nullptr;
        for (int s = 0; s < signals_->getCount(); ++s)
            if (property.startsWith(signals_->at(s)))
                bindProperty(container, property, properties->getAt(p)->getValue(), s, &inlineBehaviour);
    }
}

void CMC_Object::bindProperty(CMC_ObjectsContainer* container, const CXString& property, const CXString& value,
                              int signal, CMC_Behaviour** inlineBehaviour)
{
    CXString code = value;
    if (code.GetLength() == 0)
        return;
    code.AllTrim(' ');
    CMC_Behaviour* behaviour = nullptr;
    CXArray* arguments = nullptr;
    if (code.startsWith("{")) {
        if (*inlineBehaviour == nullptr) {
            *inlineBehaviour = new CMC_Behaviour(container, inlineBehaviourName(name_, property), code);
            (*inlineBehaviour)->init();
            tmpBehaviours_->add(*inlineBehaviour);
            container->addObject(*inlineBehaviour);
        }
        behaviour = *inlineBehaviour;
    } else {
        CXString behaviourName;
        splitCall(code, &behaviourName, &arguments);
        CMC_Object* found = container->getObject(behaviourName.c_str());
        behaviour = found != nullptr && found->getType() == TYPE_BEHAVIOUR ? dynamic_cast<CMC_Behaviour*>(found) : nullptr;
        if (behaviour == nullptr) {
            CXString::releaseToVector(arguments);
            return;
        }
    }
    addBehaviour(property, behaviour, arguments, container, false);
    defined_[static_cast<size_t>(signal)] = 1;
}

void CMC_Object::rebindPlaceholders(CMC_ObjectsContainer* container)
{
    if (bindings_ == nullptr)
        return;
    std::unique_ptr<CXVector> keys(bindings_->getKeys());
    for (int k = 0; keys && k < keys->getCount(); ++k) {
        const CXString name = static_cast<CStringHashCode*>(keys->at(k))->getString();
        const int signal = getBehaviourIndex(name);
        CXVector* list = getBehaviour(name);
        for (int i = 0; i < list->getCount(); ++i) {
            CMC_Binding* binding = bindingAt(list, i);
            if (!binding->holdsPlaceholder() || signal == -1)
                continue;
            CMC_Object* found = container->getObject(binding->getBoundObject()->getName().c_str());
            auto* behaviour = found != nullptr && found->getType() == TYPE_BEHAVIOUR ? dynamic_cast<CMC_Behaviour*>(found) : nullptr;
            if (behaviour == nullptr || !verifyBehaviour(name))
                continue;
            binding->bind(behaviour);
            defined_[static_cast<size_t>(signal)] = 1;
        }
    }
}

bool CMC_Object::verifyBehaviour(const CXString&)
{
    return true;
}

void CMC_Object::addBehaviour(const CXString& name, CMC_Behaviour* behaviour, CXArray* arguments,
                              CMC_ObjectsContainer* owner, bool replace)
{
    if (!verifyBehaviour(name)) {
        CXString::releaseToVector(arguments);
        return;
    }
    if (replace)
        removeBehaviour(name);
    prepareSignals();
    const int signal = getSignalIndex(name);
    if (signal != -1)
        defined_[static_cast<size_t>(signal)] = 1;
    appendBinding(name, new CMC_Binding(behaviour, arguments, owner));
}

CMC_Binding* CMC_Object::bindingAt(CXVector* list, int i) const
{
    return static_cast<CMC_Binding*>(list->at(i));
}

CXVector* CMC_Object::bindingListOf(const CXString& name, bool make)
{
    if (bindings_ == nullptr) {
        if (!make)
            return nullptr;
        bindings_ = newBindingTable(kBindingBuckets);
    }
    // Signals are raised often: the look-up reuses one key's storage.
    static CStringHashCode key{CXString()};
    key.set(name.c_str());
    auto* list = static_cast<CXVector*>(bindings_->get(&key));
    if (list == nullptr && make) {
        list = new CXVector(101, 0.75f);
        bindings_->put(new CStringHashCode(name), list);
    }
    return list;
}

void CMC_Object::appendBinding(const CXString& name, CMC_Binding* binding)
{
    bindingListOf(name, true)->add(binding);
}

bool CMC_Object::takeRecordNote(const CXString& name, CXString* text, CXString* argument)
{
    CXVector* list = getBehaviour(name);
    CMC_Binding* note = list != nullptr && list->getCount() > 0 ? bindingAt(list, 0) : nullptr;
    if (note == nullptr)
        return false;
    *text = note->getBoundObject()->getName();
    CXArray* arguments = note->getArguments();
    if (argument != nullptr)
        *argument = arguments != nullptr && arguments->getCount() > 0 ? *arguments->stringAt(0) : CXString();
    removeBehaviour(name);
    return true;
}

CXString CMC_Object::takeRecordNote(const CXString& name, const CXString& fallback)
{
    CXString text;
    return takeRecordNote(name, &text) ? text : fallback;
}

void CMC_Object::releaseBinding(CMC_Binding* binding)
{
    if (raising_ > 0) {
        binding->retire();
        retired_.push_back(binding);
    } else {
        delete binding;
    }
}

void CMC_Object::releaseBindingList(CXVector* list)
{
    for (int i = 0; i < list->getCount(); ++i)
        releaseBinding(bindingAt(list, i));
    delete list;
}

void CMC_Object::removeBehaviour(const CXString& name)
{
    CXVector* list = bindingListOf(name, false);
    if (list == nullptr)
        return;
    bindings_->remove(list);
    releaseBindingList(list);
}

void CMC_Object::removeAllBehaviours()
{
    if (bindings_ != nullptr) {
        CXVector lists(*bindings_->getElements());
        delete bindings_;
        bindings_ = nullptr;
        for (int i = 0; i < lists.getCount(); ++i)
            releaseBindingList(static_cast<CXVector*>(lists.at(i)));
    }
    delete tmpBehaviours_;
    tmpBehaviours_ = nullptr;
    signals_ = nullptr;
    std::fill(defined_.begin(), defined_.end(), 0);
}

void CMC_Object::flushBehList()
{
    removeAllBehaviours();
    defined_.clear();
}

CXVector* CMC_Object::getBehaviour(const CXString& name)
{
    return bindingListOf(name, false);
}

CXTriple* CMC_Object::getSingleBehaviour(const CXString& name, int position)
{
    CXVector* list = getBehaviour(name);
    if (list == nullptr || position < 0 || position >= list->getCount())
        return nullptr;
    return bindingAt(list, position);
}

bool CMC_Object::onSignal(const CXString& name, CXArray* arguments)
{
    return raise(name, arguments, false);
}

bool CMC_Object::onSignal(const CXString& name)
{
    return raise(name, nullptr, true);
}

// Handlers may add or remove bindings of this very object: the raise walks a copy of the
// list, and records removed meanwhile are skipped and freed once the outermost raise ends.
bool CMC_Object::raise(const CXString& name, CXArray* arguments, bool boundArguments)
{
    CXVector* list = getBehaviour(name);
    if (list == nullptr || list->getCount() == 0)
        return false;
    std::vector<CMC_Binding*> snapshot;
    for (int i = 0; i < list->getCount(); ++i)
        snapshot.push_back(bindingAt(list, i));
    ++raising_;
    for (CMC_Binding* binding : snapshot) {
        CMC_Behaviour* behaviour = binding->isRetired() ? nullptr : binding->getBehaviour();
        if (behaviour == nullptr)
            continue;
        const CFileSandbox::Scope confinement(binding->isConfined());
        behaviour->run(this, boundArguments ? binding->getArguments() : arguments, true);
    }
    if (--raising_ == 0) {
        for (CMC_Binding* binding : retired_)
            delete binding;
        retired_.clear();
    }
    return true;
}

void CMC_Object::onSceneDone(CMC_ObjectsContainer* finished)
{
    if (bindings_ == nullptr)
        return;
    CXVector lists(*bindings_->getElements());
    for (int l = 0; l < lists.getCount(); ++l) {
        auto* list = static_cast<CXVector*>(lists.at(l));
        CXVector records(*list);
        for (int i = 0; i < records.getCount(); ++i) {
            CMC_Binding* binding = bindingAt(&records, i);
            if (binding->getOwner() != finished)
                continue;
            list->remove(binding);
            releaseBinding(binding);
        }
        if (list->getCount() == 0) {
            bindings_->remove(list);
            delete list;
        }
    }
}

// One entry per binding, so a name bound several times keeps all of its bindings; a reader
// appends every entry to the list of its name, which also reads files with one entry a name.
void CMC_Object::serialize(CXArchive* archive)
{
    if (archive->isStoring()) {
        *archive << name_;
        std::vector<std::pair<CXString, CMC_Binding*>> entries;
        std::unique_ptr<CXVector> keys(bindings_ != nullptr ? bindings_->getKeys() : nullptr);
        for (int k = 0; keys && k < keys->getCount(); ++k) {
            const CXString name = static_cast<CStringHashCode*>(keys->at(k))->getString();
            CXVector* list = getBehaviour(name);
            for (int i = 0; i < list->getCount(); ++i)
                entries.emplace_back(name, bindingAt(list, i));
        }
        const std::vector<RecordNote> notes = getRecordNotes();
        *archive << static_cast<int32_t>(entries.size() + notes.size());
        for (const auto& [name, binding] : entries) {
            *archive << name << binding->getBoundObject()->getName();
            CXArray* arguments = binding->getArguments();
            const int count = arguments != nullptr ? arguments->getCount() : 0;
            *archive << static_cast<int32_t>(count);
            for (int i = 0; i < count; ++i)
                *archive << *arguments->stringAt(i);
        }
        for (const RecordNote& note : notes)
            *archive << note.name << note.text << int32_t{1} << note.argument;
        return;
    }
    *archive >> &name_;
    int32_t count = 0;
    *archive >> &count;
    for (int32_t entry = 0; entry < count && !archive->failed(); ++entry) {
        CXString name;
        CXString behaviourName;
        int32_t argumentCount = 0;
        *archive >> &name >> &behaviourName >> &argumentCount;
        CXArray* arguments = nullptr;
        if (argumentCount > 0) {
            arguments = new CXArray(std::min(argumentCount, 101), 0.75f);
            for (int32_t i = 0; i < argumentCount && !archive->failed(); ++i) {
                auto* text = new CXString();
                *archive >> text;
                arguments->add(text);
            }
        }
        if (archive->failed()) {
            CXString::releaseToVector(arguments);
            return;
        }
        appendBinding(name, CMC_Binding::placeholder(behaviourName, arguments));
    }
}

CXString CMC_Object::inlineBehaviourName(const CXString& objectName, const CXString& property)
{
    return "beh_" + objectName + "_" + property;
}

int CMC_Object::getTypeId(const CXString& name)
{
    for (const TypeName& entry : kTypeIds)
        if (name == entry.name)
            return entry.id;
    return -1;
}

CXString CMC_Object::typeName(int type)
{
    return nameIn(kTypeIds, type);
}

CXString CMC_Object::typeToString(int type)
{
    return nameIn(kDisplayNames, type);
}

void CMC_Object::flush(CMC_Variable* value, bool)
{
    if (value != nullptr && value->getId() >= 0)
        CMC_VariableFactory::free(value);
}

void CMC_Object::releaseOwned(CMC_Object* result)
{
    if (result->handedOver_)
        delete result;
    else
        CMC_VariableFactory::free(static_cast<CMC_Variable*>(result));
}
