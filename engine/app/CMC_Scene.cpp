#include "app/CMC_Scene.h"

#include "foundation/CStringTokenizer.h"
#include "foundation/CXVector.h"
#include "script/CMC_DLLExModuleInterface.h"
#include "script/CMC_ExternObject.h"
#include "script/CMC_StructureParser.h"
#include "app/CApplication.h"
#include "app/CWindow.h"
#include "script/CMElement.h"
#include "text/CUnit6.h"

CUnit6* CMC_Scene::defUnit_ = nullptr;

CMC_Scene::CMC_Scene(CWindow* window, CMC_Scene* parent, CMElement* element, int type)
    : CMC_ObjectsContainer(window, nullptr, element, type)
    , subScenes_(new CXVector(101, 0.75f))
{
    if (defUnit_ == nullptr)
        defUnit_ = new CUnit6(window, "Default");
    if (element != nullptr) {
        music_ = element->getPropertyValue("MUSIC");
        dlls_ = element->getPropertyValue("DLLS");
    }
    setParentLink(parent);
    addObject(this);
    setScene(this);
}

// A node's own bindings go first: its "ONDONE" is not raised by its end. The objects of the
// libraries' types go before the libraries that hold their code, and the objects are gone
// before the child nodes, which hold this node among their objects.
CMC_Scene::~CMC_Scene()
{
    flushBehList();
    unload();
    deleteSubScenes();
    doneDLLs();
    delete subScenes_;
}

void CMC_Scene::doneDefUnit()
{
    delete defUnit_;
    defUnit_ = nullptr;
}

CXString CMC_Scene::getMusicFilename()
{
    if (music_.IsString())
        return music_;
    auto* parent = dynamic_cast<CMC_Scene*>(getParent());
    return parent != nullptr ? parent->getMusicFilename() : CXString();
}

void CMC_Scene::resolveDLLs(const CXString& list)
{
    doneDLLs();
    CStringTokenizer names(list, CXString(","));
    while (names.hasMoreTokens())
        modules_.push_back(std::make_unique<CMC_DLLExModuleInterface>(names.nextToken(), this));
}

void CMC_Scene::doneDLLs()
{
    for (auto& module : modules_)
        module.reset();
    modules_.clear();
}

CMC_Object* CMC_Scene::resolveEx(CMElement* element)
{
    for (const auto& module : modules_)
        if (CMC_ExternObject* library = module->getModuleInterface())
            if (CMC_Object* object = library->resolve(this, element))
                return object;
    return nullptr;
}

CMC_Object* CMC_Scene::serializeEx(CXArchive* archive, int typeId)
{
    for (const auto& module : modules_)
        if (CMC_ExternObject* library = module->getModuleInterface())
            if (CMC_Object* object = library->serialize(typeId, archive))
                return object;
    return nullptr;
}

void CMC_Scene::adopt(CMC_Scene* child)
{
    if (auto* former = dynamic_cast<CMC_Scene*>(child->getParent()); former != nullptr && former != this)
        former->disown(child);
    subScenes_->add(child);
    child->setParent(this);
}

void CMC_Scene::disown(CMC_Scene* child)
{
    while (subScenes_->contains(child))
        subScenes_->remove(child);
    removeObject(child);
    if (start_ == child)
        start_ = subScenes_->getCount() > 0 ? static_cast<CMC_Scene*>(subScenes_->at(0)) : nullptr;
}

void CMC_Scene::adoptScenes(CMC_StructureParser* parser, const CXString& names)
{
    for (CMC_Scene* scene : builtNodes(parser, names)) {
        adopt(scene);
        addObject(scene);
    }
}

void CMC_Scene::deleteSubScenes()
{
    const CXVector children(*subScenes_);
    subScenes_->removeAll();
    for (int i = 0; i < children.getCount(); ++i)
        if (children.find(children.at(i)) == i)
            delete static_cast<CMC_Scene*>(children.at(i));
}

std::vector<CMC_Scene*> CMC_Scene::builtNodes(CMC_StructureParser* parser, const CXString& names)
{
    std::vector<CMC_Scene*> nodes;
    CStringTokenizer tokens(names, CXString(", "));
    while (parser != nullptr && tokens.hasMoreTokens())
        if (auto* node = dynamic_cast<CMC_Scene*>(parser->get(tokens.nextToken())))
            nodes.push_back(node);
    return nodes;
}

void CMC_Scene::chooseStart(CMC_StructureParser* parser, CMElement* element)
{
    start_ = nullptr;
    const CXString named = element != nullptr ? element->getPropertyValue("STARTWITH") : CXString();
    if (named.IsString() && parser != nullptr)
        start_ = dynamic_cast<CMC_Scene*>(parser->get(named));
    if (start_ == nullptr && subScenes_->getCount() > 0)
        start_ = static_cast<CMC_Scene*>(subScenes_->at(0));
}

CMC_Scene* CMC_Scene::currentSceneOf(CWindow* window)
{
    CApplication* application = window != nullptr ? window->GetApplicationInterface() : nullptr;
    auto* root = application != nullptr ? dynamic_cast<CMC_Scene*>(application->getMCApplicationIfc()) : nullptr;
    CMC_Scene* episode = root != nullptr ? root->getCurrentScene() : nullptr;
    return episode != nullptr ? episode->getCurrentScene() : nullptr;
}
