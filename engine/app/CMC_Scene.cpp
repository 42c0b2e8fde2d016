#include "app/CMC_Scene.h"

#include "app/CApplication.h"
#include "app/CMC_SceneUpdate.h"
#include "app/CMC_StructureParser.h"
#include "app/CWindow.h"
#include "foundation/CFile.h"
#include "foundation/CFolder.h"
#include "foundation/CStringTokenizer.h"
#include "foundation/CVersion.h"
#include "foundation/CXArchive.h"
#include "foundation/CXVector.h"
#include "media/CMC_Mouse.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_DLLExModuleInterface.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "text/CUnit6.h"

CMC_Scene::CMC_Scene(CWindow* window, CMC_Scene* parent, CMElement* element, int type)
    : CMC_ObjectsContainer(window, nullptr, element, type)
    , dlls_(element->getPropertyValue("DLLS"))
    , description_(element->getPropertyValue("DESCRIPTION"))
    , creationTime_(element->getPropertyValue("CREATIONTIME"))
    , lastModifyTime_(element->getPropertyValue("LASTMODIFYTIME"))
    , author_(element->getPropertyValue("AUTHOR"))
    , coauthors_(element->getPropertyValue("COAUTHORS"))
    , path_(element->getPropertyValue("PATH"))
    , background_(element->getPropertyValue("BACKGROUND"))
    , music_(element->getPropertyValue("MUSIC"))
    , versionText_(element->getPropertyValue("VERSION"))
    , version_(std::make_unique<CVersion>(versionText_))
    , subScenes_(new CXVector(101, 0.75f))
    , daemon_(element->getPropertyBoolValue("DEAMON"))
{
    if (getDefUnit() == nullptr)
        MediaUnit::setDefault(new CUnit6(window, "Default"));
    setParentLink(parent);
    setScene(this);
    addObject(this);
}

CMC_Scene::CMC_Scene(CWindow* window, int type)
    : CMC_ObjectsContainer(window, nullptr, CXString(), type)
    , subScenes_(new CXVector(101, 0.75f))
    , binary_(true)
{
    if (getDefUnit() == nullptr)
        MediaUnit::setDefault(new CUnit6(window, "Default"));
    setScene(this);
    addObject(this);
}

// The node ends as a scene whatever it is: an episode's or the application's own way of
// leaving is theirs to run before. Its objects go before the child nodes, which hold this
// node among their objects. Parents left pointing at the node as their running scene point
// at themselves again.
CMC_Scene::~CMC_Scene()
{
    CMC_Scene::unload(nullptr);
    deleteSubScenes();
    endCollisionMonitoring();
    for (CMC_ObjectsContainer* parent = getParent(); parent != nullptr; parent = parent->getParent())
        if (parent->getScene() == this)
            parent->setScene(parent);
    delete subScenes_;
}

CWindow* CMC_Scene::getWindow() const
{
    return CWindow::of(CMC_ObjectsContainer::getWindow());
}

CUnit6* CMC_Scene::getDefUnit()
{
    return CUnit6::getDefault();
}

void CMC_Scene::doneDefUnit()
{
    delete getDefUnit();
    MediaUnit::setDefault(nullptr);
}

CUnit6* CMC_Scene::boundUnit() const
{
    return unit_ != nullptr && unit_ == getDefUnit() ? unit_ : nullptr;
}

const CMC_SignalList* CMC_Scene::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT",        "ONDONE",     "ONSIGNAL",     "ONDOMODAL", "ONRESTART",
                                        "ONMUSICLOOPED", "ONACTIVATE", "ONDEACTIVATE", "ONUPGRADED"};
    return &signals;
}

bool CMC_Scene::onSignal(const CXString& name)
{
    if (CMC_Object::onSignal(name))
        return true;
    return runNamedBehaviour("__" + name + "__", false);
}

bool CMC_Scene::runNamedBehaviour(const CXString& name, bool checkCondition)
{
    CMC_Object* found = getObject(name.c_str());
    auto* behaviour = found != nullptr && found->getType() == TYPE_BEHAVIOUR ? dynamic_cast<CMC_Behaviour*>(found) : nullptr;
    if (behaviour == nullptr)
        return false;
    behaviour->run(this, nullptr, checkCondition);
    return true;
}

// --- life cycle ---

bool CMC_Scene::initialize(CMC_Scene* previous)
{
    CWindow* window = getWindow();
    if (window != nullptr)
        window->BeginWaitCursor();
    unit_ = getDefUnit();
    CFile::chDir(CWindow::rootPath);
    if (dlls_.IsString())
        resolveDLLs(dlls_);
    enterDataFolder();
    if (unit_ != nullptr) {
        savedUnitName_ = unit_->getUnitName();
        unit_->setUnitName(getName());
        loadCnv();
        unit_->setBackgroundFileName(background_);
        unit_->initialize(this, getDefUnit());
        // The objects of the episode and of the application find the running scene.
        if (CMC_ObjectsContainer* parent = getParent()) {
            parent->setScene(this);
            if (parent->getParent() != nullptr)
                parent->getParent()->setScene(this);
        }
        onInit();
        runNamedBehaviour("__INIT__", true);
        if (isSignalBound(SIGNAL_ONINIT))
            onSignal(CXString("ONINIT"));
        startMusic_ = previous == nullptr || previous->getMusicFilename() != getMusicFilename();
    }
    if (window != nullptr)
        window->EndWaitCursor();
    startTicks_ = platform::tickCount();
    visiting_ = true;
    return true;
}

void CMC_Scene::enterDataFolder()
{
    const CXString folder = CFolder::DATA_FOLDER + "\\" + path_;
    if (CFile::chDir(folder) == 0 && CFile::fileExists(getName() + ".cnv"))
        return;
    CFile::chDir(CWindow::getCDPath());
    CFile::chDir(folder);
}

void CMC_Scene::unload(CMC_Scene* next)
{
    if (CMC_ObjectsContainer* parent = getParent()) {
        parent->onSubSceneDone(this);
        if (parent->getParent() != nullptr)
            parent->getParent()->onSubSceneDone(this);
    }
    saveStats();
    CMC_Mouse::reset(true);
    // The scene's own "ONDONE" is not raised by what follows.
    flushBehList();
    CMC_ObjectsContainer::unload();
    doneDLLs();
    endCollisionMonitoring();
    if (CUnit6* unit = boundUnit()) {
        unit->done(this, next != nullptr ? getDefUnit() : nullptr);
        unit->flushEditBoxes();
        unit->setUnitName(savedUnitName_);
    }
    if (next == nullptr || next->getMusicFilename() != getMusicFilename())
        stopMusic();
}

void CMC_Scene::onInit()
{
    if (getElementsNo() == 0)
        return;
    std::vector<CMC_Object*> held;
    for (int i = 0; i < getObjectsNo(); ++i)
        held.push_back(getObject(i));
    // A handler may take objects out of the scene meanwhile; those are passed by.
    for (CMC_Object* object : held)
        if (holds(object))
            object->init();
}

void CMC_Scene::domodal()
{
    if (pending_ != nullptr) {
        _goto(pending_, current_);
        // A switch asked for while switching is dropped.
        pending_ = nullptr;
    }
    if (current_ != nullptr)
        current_->domodal();
}

void CMC_Scene::restart()
{
    if (subScenes_->getCount() > 0)
        pending_ = static_cast<CMC_Scene*>(subScenes_->at(0));
    if (isSignalBound(SIGNAL_ONRESTART))
        onSignal(CXString("ONRESTART"));
}

void CMC_Scene::_goto(const CXString& name)
{
    pending_ = find(name);
}

void CMC_Scene::_goto(CMC_Scene* to, CMC_Scene* from)
{
    unload(to);
    current_ = to;
    if (to == nullptr)
        return;
    to->initialize(from);
    history_.push_back(to);
}

CMC_Scene* CMC_Scene::find(const CXString& name)
{
    for (int i = 0; i < subScenes_->getCount(); ++i) {
        auto* child = static_cast<CMC_Scene*>(subScenes_->at(i));
        if (child->getName() == name)
            return child;
    }
    return nullptr;
}

CMC_Scene* CMC_Scene::getScene(const CXString& name)
{
    if (getName() == name)
        return this;
    for (int i = 0; i < subScenes_->getCount(); ++i)
        if (CMC_Scene* found = static_cast<CMC_Scene*>(subScenes_->at(i))->getScene(name))
            return found;
    return nullptr;
}

CMC_Scene* CMC_Scene::getMCApplication()
{
    auto* parent = dynamic_cast<CMC_Scene*>(getParent());
    return parent != nullptr ? dynamic_cast<CMC_Scene*>(parent->getParent()) : nullptr;
}

int CMC_Scene::getSubId(CMC_Scene* scene) const
{
    return subScenes_->find(scene);
}

CXString CMC_Scene::getDataFolder() const
{
    const CXString folder = CWindow::rootPath + CFolder::DATA_FOLDER;
    return path_.IsString() ? folder + "\\" + path_ : folder;
}

// --- the tree ---

bool CMC_Scene::adopt(CMC_Scene* child)
{
    bool above = false;
    for (CMC_ObjectsContainer* node = this; node != nullptr && !above; node = node->getParent())
        above = node == child;
    if (above || subScenes_->contains(child)) {
        platform::debugOutput(("Node " + child->getName() + " not adopted again by " + getName() + "\n").c_str());
        return false;
    }
    if (auto* former = dynamic_cast<CMC_Scene*>(child->getParent()); former != nullptr && former != this)
        former->disown(child);
    subScenes_->add(child);
    child->setParent(this);
    return true;
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
    for (CMC_Scene* scene : builtNodes(parser, names))
        if (adopt(scene))
            addObject(scene);
}

void CMC_Scene::deleteSubScenes()
{
    const CXVector children(*subScenes_);
    subScenes_->removeAll();
    current_ = nullptr;
    pending_ = nullptr;
    for (int i = 0; i < children.getCount(); ++i)
        if (children.find(children.at(i)) == i)
            delete static_cast<CMC_Scene*>(children.at(i));
}

std::vector<CMC_Scene*> CMC_Scene::builtNodes(CMC_StructureParser* parser, const CXString& names) const
{
    std::vector<CMC_Scene*> nodes;
    CStringTokenizer tokens(names, CXString(", "));
    while (parser != nullptr && tokens.hasMoreTokens()) {
        const CXString name = tokens.nextToken();
        if (auto* node = dynamic_cast<CMC_Scene*>(parser->get(name)))
            nodes.push_back(node);
        else
            platform::debugOutput(("Node " + name + " of " + getName() + " not found\n").c_str());
    }
    return nodes;
}

void CMC_Scene::chooseStart(CMC_StructureParser* parser, CMElement* element)
{
    start_ = nullptr;
    const CXString named = element != nullptr ? element->getPropertyValue("STARTWITH") : CXString();
    if (named.IsString() && parser != nullptr) {
        start_ = dynamic_cast<CMC_Scene*>(parser->get(named));
        if (start_ == nullptr)
            platform::debugOutput(("Start " + named + " of " + getName() + " not found\n").c_str());
    }
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
