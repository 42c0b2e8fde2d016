#include "app/CMC_Scene.h"

#include "app/CApplication.h"
#include "app/CWindow.h"
#include "script/CMElement.h"
#include "text/CUnit6.h"

CUnit6* CMC_Scene::defUnit_ = nullptr;

CMC_Scene::CMC_Scene(CWindow* window, CMC_Scene* parent, CMElement* element, int type)
    : CMC_ObjectsContainer(window, nullptr, element, type)
{
    if (defUnit_ == nullptr)
        defUnit_ = new CUnit6(window, "Default");
    if (element != nullptr)
        music_ = element->getPropertyValue("MUSIC");
    setParentLink(parent);
    addObject(this);
    setScene(this);
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

CMC_Scene* CMC_Scene::currentSceneOf(CWindow* window)
{
    CApplication* application = window != nullptr ? window->GetApplicationInterface() : nullptr;
    auto* root = application != nullptr ? dynamic_cast<CMC_Scene*>(application->getMCApplicationIfc()) : nullptr;
    CMC_Scene* episode = root != nullptr ? root->getCurrentScene() : nullptr;
    return episode != nullptr ? episode->getCurrentScene() : nullptr;
}
