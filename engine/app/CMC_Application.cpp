#include "app/CMC_Application.h"

#include "app/CCompiledFiles.h"
#include "app/CMC_Episode.h"
#include "app/CMC_System.h"
#include "app/CWindow.h"
#include "foundation/CFile.h"
#include "foundation/CFolder.h"
#include "foundation/CXArchive.h"
#include "foundation/CXVector.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_CNVLoader.h"
#include "script/CMC_DataFile.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"

#include <cstdio>

CMC_Application::CMC_Application(CWindow* window, CMC_StructureParser* parser, CMElement* element,
                                 CCommandLine6* commandLine)
    : CMC_Scene(window, nullptr, element, TYPE_APPLICATION)
    , commandLine_(commandLine)
{
    CMC_Behaviour::initTrash();
    for (CMC_Scene* episode : builtNodes(parser, element->getPropertyValue("EPISODES")))
        if (adopt(episode))
            enterScenesOf(episode);
    adoptScenes(parser, element->getPropertyValue("SCENES"));
    chooseStart(parser, element);
    CFile::chDir(CWindow::getCDPath() + CFolder::DATA_FOLDER);
    if (getPath().IsString())
        CFile::chDir(getPath());
    loadCnv();
}

CMC_Application::CMC_Application(CWindow* window)
    : CMC_Scene(window, TYPE_APPLICATION)
{
    CMC_Behaviour::initTrash();
    bool opened = false;
    CMC_DataFile::read(nullptr, CXString("application.bin"), [this, &opened](CXArchive& archive) {
        opened = true;
        serialize(&archive);
        if (archive.failed() && !damage_.IsString())
            damage_ = "a count or a record is damaged or cut short";
        return true;
    });
    if (!opened)
        damage_ = "the file cannot be opened";
    if (damage_.IsString())
        return;
    // Its own objects are in its compiled file, as its scenes' are in theirs.
    loadCnv();
}

CMC_Application::~CMC_Application()
{
    CMC_Application::unload(nullptr);
    CMC_ObjectsContainer::unload();
    deleteSubScenes();
    // Handlers of the unloads may have put behaviours in the trash list.
    CMC_Behaviour::doneTrash();
    doneDefUnit();
    setUnit(nullptr);
}

void CMC_Application::enterScenesOf(CMC_Scene* episode)
{
    CXVector* scenes = episode->getSubScenes();
    for (int i = 0; i < scenes->getCount(); ++i)
        addObject(static_cast<CMC_Object*>(scenes->at(i)));
}

bool CMC_Application::initialize(CMC_Scene*)
{
    setUnit(getDefUnit());
    auto* random = new CMC_Object(CXString("RANDOM"), TYPE_RANDOM);
    random->setScene(this);
    addObject(random);
    addObject(new CMC_System(this));
    addObject(new CMC_CNVLoader(getWindow(), this));
    onInit();
    runNamedBehaviour(CXString("__INIT__"), true);
    if (start_ == nullptr)
        return false;
    _goto(start_, nullptr);
    return true;
}

void CMC_Application::exit()
{
    if (CWindow* window = getWindow())
        window->quit();
    onSignal(CXString("ONEXIT"));
}

void CMC_Application::restart()
{
    if (restarting_)
        return;
    if (current_ == start_) {
        if (current_ != nullptr)
            current_->restart();
        return;
    }
    restarting_ = true;
    const CMC_ObjectsContainer::DeferredDeletion deferred;
    if (current_ != nullptr)
        current_->unload(current_);
    current_ = start_;
    if (start_ != nullptr)
        start_->initialize(start_);
    restarting_ = false;
}

void CMC_Application::unload(CMC_Scene* next)
{
    if (CMC_Scene* leaving = current_) {
        onSignal(CXString("ONDONE"));
        leaving->unload(next);
    }
    current_ = nullptr;
}

void CMC_Application::domodal()
{
    CMC_VariableFactory::clearPool();
    CMC_Behaviour::flushTrash();
    CMC_Scene::domodal();
}

void CMC_Application::serialize(CXArchive* archive)
{
    CMC_Scene::serialize(archive);
    if (archive->isStoring()) {
        storeSubScenes(archive, TYPE_EPISODE, [](CMC_Scene*) {});
        return;
    }
    readSubScenes(
        archive, [this] { return new CMC_Episode(getWindow()); },
        [this](CMC_Scene* episode) { enterScenesOf(episode); });
}

bool CMC_Application::storeBinary()
{
    const CXString previous = CFile::getCurrentDirectory();
    const CXString dataFolder = CWindow::rootPath + CFolder::DATA_FOLDER;
    CFile::chDir(dataFolder);
    CCompiledFiles files;
    std::string cause;
    const bool stored = CCompiledFiles::write(dataFolder + "\\application.bin", [this](CXArchive& archive) {
        serialize(&archive);
    }, cause);
    const bool written = stored && files.commit(cause);
    if (!written) {
        const std::string line = stored ? "The compiled application could not be written: " + cause
                                        : "The compiled application was not stored: " + cause;
        std::fputs((line + "; no file was changed\n").c_str(), stderr);
    }
    CFile::chDir(previous);
    return written;
}
