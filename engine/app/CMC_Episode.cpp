#include "app/CMC_Episode.h"

#include "app/CWindow.h"
#include "foundation/CFile.h"
#include "foundation/CFolder.h"
#include "foundation/CXArchive.h"
#include "foundation/CXVector.h"
#include "script/CMElement.h"

CMC_Episode::CMC_Episode(CWindow* window, CMC_StructureParser* parser, CMElement* element)
    : CMC_Scene(window, nullptr, element, TYPE_EPISODE)
{
    adoptScenes(parser, element->getPropertyValue("SCENES"));
    chooseStart(parser, element);
}

CMC_Episode::CMC_Episode(CWindow* window)
    : CMC_Scene(window, TYPE_EPISODE)
{
}

CMC_Episode::~CMC_Episode()
{
    CMC_Episode::unload(nullptr);
}

bool CMC_Episode::initialize(CMC_Scene*)
{
    CFile::chDir(CWindow::getCDPath() + CFolder::DATA_FOLDER);
    if (getPath().IsString())
        CFile::chDir(getPath());
    loadCnv();
    onInit();
    if (start_ == nullptr) {
        current_ = nullptr;
        return false;
    }
    _goto(start_, nullptr);
    return true;
}

void CMC_Episode::unload(CMC_Scene* next)
{
    if (CMC_Scene* leaving = current_) {
        if (isSignalBound(SIGNAL_ONDONE))
            onSignal(CXString("ONDONE"));
        leaving->unload(next);
        latestScene_ = leaving->getName();
    }
    current_ = nullptr;
}

CMC_Scene* CMC_Episode::getMCApplication()
{
    return dynamic_cast<CMC_Scene*>(getParent());
}

void CMC_Episode::next()
{
    const int running = current_ != nullptr ? getSubId(current_) : -1;
    if (running < getSubScenes()->getCount() - 1)
        pending_ = static_cast<CMC_Scene*>(getSubScenes()->at(running + 1));
}

void CMC_Episode::prev()
{
    const int running = current_ != nullptr ? getSubId(current_) : -1;
    if (running > 0)
        pending_ = static_cast<CMC_Scene*>(getSubScenes()->at(running - 1));
}

void CMC_Episode::back()
{
    if (history_.size() < 2)
        return;
    pending_ = history_[history_.size() - 2];
    history_.pop_back();
}

void CMC_Episode::serialize(CXArchive* archive)
{
    CMC_Scene::serialize(archive);
    if (archive->isStoring()) {
        storeSubScenes(archive, TYPE_SCENE, [](CMC_Scene* scene) { scene->done(false); });
        return;
    }
    readSubScenes(
        archive,
        [this] {
            auto* scene = new CMC_Scene(getWindow(), TYPE_SCENE);
            scene->setUnit(getDefUnit());
            return scene;
        },
        [this](CMC_Scene* scene) { addObject(scene); });
}
