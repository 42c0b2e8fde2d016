#pragma once

#include "app/CApplication.h"
#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "foundation/CPublicTrash.h"
#include "foundation/CXArray.h"
#include "platform/PathResolver.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A behaviour that records each run in a shared log as "name(arguments)" or
// "name(arguments)@caller", and may act when it runs.
class RecordingBehaviour : public CMC_Behaviour {
public:
    RecordingBehaviour(CMC_ObjectsContainer* container, const char* name, std::vector<std::string>* log)
        : CMC_Behaviour(container, CXString(name), CXString())
        , log_(log)
    {
    }

    bool run(CMC_Object* caller, CXArray* params, bool) override
    {
        std::string entry = std::string(getName().c_str()) + "(";
        for (int i = 0; params != nullptr && i < params->getCount(); ++i)
            entry += std::string(i > 0 ? "," : "") + params->stringAt(i)->c_str();
        entry += ")";
        if (withCaller)
            entry += std::string("@") + caller->getName().c_str();
        log_->push_back(entry);
        if (action)
            action();
        return false;
    }

    bool withCaller = false;
    std::function<void()> action;

private:
    std::vector<std::string>* log_;
};

// A script type of the tests, whose signals begin with one another ("ONCLICK", "ONCLICKED").
class Clickable : public CMC_Object {
public:
    Clickable(CMC_ObjectsContainer* container, CMElement* element)
        : CMC_Object(container, element, 2000)
    {
        initializeBehaviours(container, element);
    }
    Clickable(const char* name, CMC_ObjectsContainer* container, int type = 2000)
        : CMC_Object(CXString(name), type)
    {
        setScene(container);
    }

    using CMC_Object::clone;
    CXObject* clone() override { return new Clickable("copy", getScene()); }
    const CMC_SignalList* getBehavioursList() override
    {
        static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONCLICK", "ONCLICKED"};
        return &signals;
    }
};

// A definition element built in code: its name and its properties in order.
inline std::unique_ptr<CMElement> makeElement(const char* name,
                                              std::initializer_list<std::pair<const char*, const char*>> properties)
{
    auto element = std::make_unique<CMElement>(CXString(name));
    for (const auto& [key, value] : properties)
        element->addProperty(CXString(key), CXString(value));
    return element;
}

// What the script objects need around them: a current folder of their own (the local data
// root), the value pools, an engine window and an application with its INI "game.ini".
class ScriptWorld {
public:
    ScriptWorld()
    {
        platform::changeFolder(temp.path().string());
        CMC_VariableFactory::initialize();
        window = std::make_unique<CWindow>(&language, CXString("\\opt\\kestrum\\"));
        application = std::make_unique<CApplication>(window.get(), CXString("game.ini"), CXString(), nullptr);
    }
    ~ScriptWorld()
    {
        scenesUnload();
        application.reset();
        window.reset();
        CMC_VariableFactory::done();
        CWindow::rootPath = savedRoot_;
        CWindow::exePath = savedExe_;
    }
    ScriptWorld(const ScriptWorld&) = delete;
    ScriptWorld& operator=(const ScriptWorld&) = delete;

    // Unloads and deletes the containers, children before their parents (in the reverse order
    // of making), and empties the deferred-delete bin.
    void scenesUnload()
    {
        for (auto it = containers_.rbegin(); it != containers_.rend(); ++it)
            (*it)->unload();
        containers_.clear();
        if (window)
            window->getPublicTrashInterface()->onTimer(CPublicTrash::kTimerId);
    }

    // A container of the given type that the world deletes after unloading it.
    CMC_ObjectsContainer* container(const char* name, int type = CMC_Object::TYPE_SCENE)
    {
        containers_.push_back(std::make_unique<CMC_ObjectsContainer>(window.get(), nullptr, CXString(name), type));
        return containers_.back().get();
    }

    RecordingBehaviour* behaviour(CMC_ObjectsContainer* in, const char* name)
    {
        auto* made = new RecordingBehaviour(in, name, &log);
        in->addObject(made);
        return made;
    }

    // The log, emptied.
    std::vector<std::string> takeLog() { return std::exchange(log, {}); }

    CurrentFolderGuard guard;
    TempFolder temp;
    CLanguageOSVer language;
    std::unique_ptr<CWindow> window;
    std::unique_ptr<CApplication> application;
    std::vector<std::string> log;

private:
    CXString savedRoot_ = CWindow::rootPath;
    CXString savedExe_ = CWindow::exePath;
    std::vector<std::unique_ptr<CMC_ObjectsContainer>> containers_;
};
