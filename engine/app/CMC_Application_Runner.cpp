#include "app/CMC_Application_Runner.h"

#include "app/CMC_Application.h"
#include "app/CMC_Episode_Runner.h"
#include "app/CMC_RunMethod.h"
#include "app/CMC_SceneUpdate.h"
#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/CPrinter.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Integer.h"
#include "script/CMC_String.h"

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"EXIT", CMC_Application_Runner::MTH_EXIT},
    {"RESTART", CMC_Application_Runner::MTH_RESTART},
    {"GOTO", CMC_Application_Runner::MTH_GOTO},
    {"SETLANGUAGE", CMC_Application_Runner::MTH_SETLANGUAGE},
    {"GETLANGUAGE", CMC_Application_Runner::MTH_GETLANGUAGE},
    {"PRINT", CMC_Application_Runner::MTH_PRINT},
    {"ENABLEMUSIC", CMC_Application_Runner::MTH_ENABLEMUSIC},
    {"DISABLEMUSIC", CMC_Application_Runner::MTH_DISABLEMUSIC},
    {"RUN", CMC_Application_Runner::MTH_RUN},
    {"STOREBINARY", CMC_Application_Runner::MTH_STOREBINARY},
    {"RUNENV", CMC_Application_Runner::MTH_RUNENV},
    {"EXISTSENV", CMC_Application_Runner::MTH_EXISTSENV},
    {"UPGRADE", CMC_Application_Runner::MTH_UPGRADE},
    {"NEEDSUPGRADE", CMC_Application_Runner::MTH_NEEDSUPGRADE},
    {"GETUPGRADEPROGRESS", CMC_Application_Runner::MTH_GETUPGRADEPROGRESS},
};

} // namespace

void CMC_Application_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_Application_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* application = dynamic_cast<CMC_Application*>(object);
    if (application == nullptr || id < MTH_EXIT || id > MTH_GETUPGRADEPROGRESS)
        return CMC_Runner::run(id, object, scope, args);
    return run(id, application, id >= MTH_STOREBINARY ? application : scope, args);
}

CMC_Object* CMC_Application_Runner::run(int id, CMC_Application* application, CMC_ObjectsContainer* scope,
                                        CXVector* args)
{
    CWindow* window = CWindow::of(callerWindow(scope, application));
    switch (id) {
    case MTH_EXIT:
        application->exit();
        return nullptr;
    case MTH_RESTART:
        return CMC_Episode_Runner::restart(application);
    case MTH_GOTO:
        return CMC_Episode_Runner::_goto(*this, application, args);
    case MTH_SETLANGUAGE:
        setLanguage(application, args);
        return nullptr;
    case MTH_GETLANGUAGE:
        return getLanguage(application);
    case MTH_PRINT:
        print(window, scope, args);
        return nullptr;
    case MTH_ENABLEMUSIC:
    case MTH_DISABLEMUSIC:
        if (window != nullptr)
            window->MusicOn(id == MTH_ENABLEMUSIC);
        return nullptr;
    case MTH_RUN:
        return runMethodOf(*this, args, scope, application, true);
    case MTH_STOREBINARY:
        application->storeBinary();
        return nullptr;
    case MTH_RUNENV:
        runEnv(application, args);
        return nullptr;
    case MTH_EXISTSENV:
        return giveBool(findEnvironment(application, args).behaviour != nullptr);
    case MTH_UPGRADE:
        if (CMC_SceneUpdate* update = updaterOf(application, args))
            update->startUpdate();
        return nullptr;
    case MTH_NEEDSUPGRADE: {
        CMC_SceneUpdate* update = updaterOf(application, args);
        return giveBool(update != nullptr && update->isUpdateAvailable());
    }
    case MTH_GETUPGRADEPROGRESS: {
        CMC_SceneUpdate* update = updaterOf(application, args);
        return giveInteger(update != nullptr ? update->getProgress() : 0);
    }
    default:
        return nullptr;
    }
}

void CMC_Application_Runner::setLanguage(CMC_Application* application, CXVector* args)
{
    CWindow* window = application->getWindow();
    CLanguageOSVer* language = window != nullptr ? window->getLangIfc() : nullptr;
    CMC_String* code = language != nullptr ? getParameterString(args, 0) : nullptr;
    if (code == nullptr)
        return;
    // The keyboard of the window follows the language.
    language->setWindowIfc(window);
    language->setLanguageFolder(code->getValue());
}

CMC_Object* CMC_Application_Runner::getLanguage(CMC_Application* application)
{
    CWindow* window = application->getWindow();
    CLanguageOSVer* language = window != nullptr ? window->getLangIfc() : nullptr;
    return giveString(language != nullptr ? language->getLanguageFolder() : CXString());
}

std::optional<CXRect> CMC_Application_Runner::printArea(CWindow* window, CMC_ObjectsContainer* scope, CXVector* args)
{
    const CXSize screen = window != nullptr ? window->GetScreenSize() : CXSize(0, 0);
    CXRect area(0, 0, screen.width, screen.height);
    const int count = argumentCount(args);
    if (count == 1) {
        CMC_String* name = getParameterString(args, 0);
        CGraphicsObject* picture = name != nullptr && scope != nullptr ? scope->getGraphicsObject(name->getValue()) : nullptr;
        if (picture == nullptr)
            return std::nullopt;
        area = picture->GetBoundingBox();
    } else if (count == 4) {
        int sides[4] = {};
        for (int i = 0; i < 4; ++i) {
            CMC_Integer* side = getParameterInteger(args, i);
            sides[i] = side != nullptr ? side->getValue() : 0;
        }
        area = CXRect(sides[0], sides[1], sides[2], sides[3]);
    }
    return area;
}

// The screen is drawn again whole whether or not the page was printed.
void CMC_Application_Runner::print(CWindow* window, CMC_ObjectsContainer* scope, CXVector* args)
{
    const std::optional<CXRect> area = window != nullptr ? printArea(window, scope, args) : std::nullopt;
    if (!area)
        return;
    const CPrinter printer(window, *area);
    window->Invalidate();
    window->Redraw();
}

CMC_Application_Runner::Environment CMC_Application_Runner::findEnvironment(CMC_Application* application,
                                                                            CXVector* args)
{
    if (argumentCount(args) < 2)
        return {};
    const CXString sceneName = parameterText(args, 0);
    auto* scene = dynamic_cast<CMC_Scene*>(application->getObject(sceneName.c_str()));
    CMC_Object* behaviour = scene != nullptr ? scene->getObject(parameterText(args, 1).c_str()) : nullptr;
    if (behaviour == nullptr || behaviour->getType() != CMC_Object::TYPE_BEHAVIOUR)
        return {};
    return {scene, behaviour};
}

CMC_SceneUpdate* CMC_Application_Runner::updaterOf(CMC_Application* application, CXVector* args)
{
    if (argumentCount(args) == 0)
        return application->getUpdateIfc();
    CMC_Scene* scene = application->getScene(parameterText(args, 0));
    return scene != nullptr ? scene->getUpdateIfc() : nullptr;
}

// The behaviour runs with the scene as its own, so the names in its code are looked up there
// first; its own scene comes back afterwards, unless the run deleted it.
void CMC_Application_Runner::runEnv(CMC_Application* application, CXVector* args)
{
    const Environment found = findEnvironment(application, args);
    auto* behaviour = dynamic_cast<CMC_Behaviour*>(found.behaviour);
    if (behaviour == nullptr)
        return;
    CMC_ObjectsContainer* own = behaviour->getScene();
    behaviour->setScene(found.scene);
    behaviour->run(found.scene, nullptr, true);
    if (CMC_Behaviour::isAlive(behaviour))
        behaviour->setScene(own);
}
