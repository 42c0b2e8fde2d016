#include "script/CMC_Class.h"

#include "foundation/CPath.h"
#include "foundation/CStringTokenizer.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_ReturnValue.h"
#include "script/CMC_SignalList.h"
#include "script/CMC_Variable.h"
#include "script/CMElementsLoader.h"
#include "script/ScriptWindow.h"

#include <memory>

CMC_Class::CMC_Class(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_ObjectsContainer(container != nullptr ? container->getWindow() : nullptr, container, element, TYPE_CLASS)
    , def_(element->getPropertyValue("DEF"))
    , base_(element->getPropertyValue("BASE"))
{
    setParentLink(container);
    initializeBehaviours(container, element);
}

CMC_Class::CMC_Class(CMC_ObjectsContainer* container, CMC_Class* classObject, const CXString& name)
    : CMC_ObjectsContainer(container != nullptr ? container->getWindow() : nullptr, container, name, TYPE_CLASS)
    , def_(classObject->def_)
    , base_(classObject->base_)
    , instance_(true)
{
    setParentLink(container);
    importBases(base_);
    import(def_);
}

CMC_Class::~CMC_Class()
{
    returnBorrowed();
    CMC_ObjectsContainer::unload();
}

const CMC_SignalList* CMC_Class::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
    return &signals;
}

// Handlers may take objects out meanwhile: only those still here are initialised.
void CMC_Class::init()
{
    std::vector<CMC_Object*> objects;
    for (int i = 0; i < getObjectsNo(); ++i)
        objects.push_back(getObject(i));
    for (CMC_Object* object : objects)
        if (holds(object))
            object->init();
    CMC_Object::init();
}

bool CMC_Class::done(bool)
{
    CMC_Object::releaseResult(runMethod(CXString("DESTRUCTOR"), nullptr));
    returnBorrowed();
    CMC_ObjectsContainer::unload();
    return true;
}

void CMC_Class::addObject(CMC_Object* object)
{
    if (object == nullptr)
        return;
    CMC_Object* namesake = getOwnObject(object->getName());
    if (namesake != nullptr && namesake != object) {
        removeObject(namesake);
        namesake->setName("SUPER_" + namesake->getName());
        addObject(namesake);
    }
    CMC_ObjectsContainer::addObject(object);
}

CMC_Class* CMC_Class::newInstance(const CXString& name)
{
    auto* instance = new CMC_Class(getScene(), this, name);
    instance->init();
    return instance;
}

CMC_Object* CMC_Class::runMethod(const CXString& method, CXArray* params)
{
    CMC_Object* found = getObject(method.c_str());
    auto* behaviour = found != nullptr && found->getType() == TYPE_BEHAVIOUR ? dynamic_cast<CMC_Behaviour*>(found)
                                                                              : nullptr;
    if (behaviour == nullptr)
        return nullptr;
    borrow(behaviour);
    behaviour->run(this, params, false);
    return CMC_ReturnValue::copy(this);
}

void CMC_Class::borrow(CMC_Behaviour* behaviour)
{
    CMC_ObjectsContainer* home = behaviour->getScene();
    if (home == this)
        return;
    if (auto* lender = dynamic_cast<CMC_Class*>(home))
        if (CMC_ObjectsContainer* lendersHome = lender->takeBack(behaviour))
            home = lendersHome;
    borrowed_.emplace_back(behaviour, home);
    behaviour->setScene(this);
}

CMC_ObjectsContainer* CMC_Class::takeBack(CMC_Behaviour* behaviour)
{
    for (auto it = borrowed_.begin(); it != borrowed_.end(); ++it) {
        if (it->first == behaviour) {
            CMC_ObjectsContainer* home = it->second;
            borrowed_.erase(it);
            return home;
        }
    }
    return nullptr;
}

// A borrowed behaviour may have been deleted since, or have moved on to another instance.
void CMC_Class::returnBorrowed()
{
    const auto borrowed = std::exchange(borrowed_, {});
    for (const auto& [behaviour, home] : borrowed)
        if (CMC_Behaviour::isAlive(behaviour) && behaviour->getScene() == this)
            behaviour->setScene(home);
}

CXString CMC_Class::getClassPath(const CXString& name) const
{
    return CPath::resolveFileName(getWindow(), "$COMMON\\CLASSES\\" + name);
}

void CMC_Class::import(const CXString& name)
{
    std::unique_ptr<CMElements> elements(CMElementsLoader::load(getWindow(), getClassPath(name)));
    if (elements != nullptr)
        delete resolveObjects(elements.get());
}

void CMC_Class::importBases(const CXString& list)
{
    CStringTokenizer names(list, CXString(","));
    while (names.hasMoreTokens())
        import(names.nextToken());
}
