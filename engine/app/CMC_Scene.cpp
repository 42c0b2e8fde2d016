#include "app/CMC_Scene.h"

#include "foundation/CStringTokenizer.h"
#include "foundation/CXVector.h"
#include "script/CMC_DLLExModuleInterface.h"
#include "script/CMC_ExternObject.h"
#include "script/CMC_StructureParser.h"
#include "script/CMElement.h"
#include "text/CUnit6.h"

#include <unordered_set>

namespace {

// Every node that exists: a node listed by two parents may be gone when the second looks.
std::unordered_set<const CMC_Scene*>& liveNodes()
{
    static std::unordered_set<const CMC_Scene*> live;
    return live;
}

} // namespace

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
    liveNodes().insert(this);
}

// The objects of the libraries' types go before the libraries that hold their code. The
// objects are gone before the child nodes, which hold this node among their objects.
CMC_Scene::~CMC_Scene()
{
    liveNodes().erase(this);
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
    subScenes_->add(child);
    child->setParent(this);
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
    for (int i = 0; i < children.getCount(); ++i) {
        auto* child = static_cast<CMC_Scene*>(children.at(i));
        if (children.find(child) == i && liveNodes().count(child) != 0 && child->getParent() == this)
            delete child;
    }
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

CMC_Scene* CMC_Scene::startNode(CMC_StructureParser* parser, CMElement* element) const
{
    CMC_Scene* start = nullptr;
    const CXString named = element != nullptr ? element->getPropertyValue("STARTWITH") : CXString();
    if (named.IsString() && parser != nullptr)
        start = dynamic_cast<CMC_Scene*>(parser->get(named));
    if (start == nullptr && subScenes_->getCount() > 0)
        start = static_cast<CMC_Scene*>(subScenes_->at(0));
    return start;
}
