#pragma once

#include "app/CApplication.h"
#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "app/ScriptTypes.h"
#include "foundation/CPublicTrash.h"
#include "foundation/CTextFileReader.h"
#include "foundation/CXTimer.h"
#include "platform/PathResolver.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElementsLoader.h"

#include "app/HeadlessWindow.h"

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A node that holds scenes as an episode does: leaving it leaves the scene it runs.
class ParentNode : public CMC_Scene {
public:
    ParentNode(CWindow* window, CMElement* definition)
        : CMC_Scene(window, nullptr, definition, TYPE_EPISODE)
    {
    }
    ~ParentNode() override { unload(nullptr); }

    void hold(CMC_Scene* scene)
    {
        adopt(scene);
        addObject(scene);
    }
    void unload(CMC_Scene* next) override
    {
        if (CMC_Scene* running = getCurrentScene())
            running->unload(next);
    }
};

// The engine on the headless display and the manual clock, its application with the INI
// "game.ini", the value pools and the runners, in a fresh local data tree; the data disc is
// the folder "disc" in it. Scene nodes made by the world go before the default unit.
class SceneWorld {
public:
    SceneWorld()
    {
        CMC_VariableFactory::initialize();
        registerScriptTypes();
        CMC_RunnerFactory::initialize();
        application = std::make_unique<CApplication>(&window(), CXString("game.ini"), CXString(), nullptr);
        headless.open();
        std::filesystem::create_directories(headless.folder().path() / "disc");
        CWindow::setCDPath(CWindow::rootPath + "disc\\");
    }
    ~SceneWorld()
    {
        nodes_.clear();
        CMC_Scene::doneDefUnit();
        CXTimer::enable(true);
        CWindow::resume();
        CWindow::setCDPath(savedDisc_);
        application.reset();
        CMC_RunnerFactory::done();
        CMC_VariableFactory::done();
    }
    SceneWorld(const SceneWorld&) = delete;
    SceneWorld& operator=(const SceneWorld&) = delete;

    CWindow& window() { return headless.window(); }
    platform::ManualClock& clock() { return headless.backend().clock(); }

    // A file of the data tree, its folders made as needed ("/" separates).
    void write(const std::string& name, const std::string& text)
    {
        const std::filesystem::path file = headless.folder().path() / name;
        std::filesystem::create_directories(file.parent_path());
        headless.folder().write(name, text);
    }

    // A scene node of the definition's properties, owned by the world or by the parent given.
    CMC_Scene* scene(const char* name, std::initializer_list<std::pair<const char*, const char*>> properties,
                     ParentNode* parent = nullptr)
    {
        CMElement definition{CXString(name)};
        for (const auto& [key, value] : properties)
            definition.addProperty(key, value);
        auto* made = new CMC_Scene(&window(), nullptr, &definition, CMC_Object::TYPE_SCENE);
        if (parent != nullptr)
            parent->hold(made);
        else
            nodes_.emplace_back(made);
        return made;
    }
    CMC_Scene* scene(const char* name, const char* path, ParentNode* parent = nullptr, const char* music = "")
    {
        return scene(name, {{"PATH", path}, {"MUSIC", music}}, parent);
    }
    ParentNode* parent(const char* name, const char* music = "")
    {
        CMElement definition{CXString(name)};
        definition.addProperty("MUSIC", music);
        auto* made = new ParentNode(&window(), &definition);
        nodes_.emplace_back(made);
        return made;
    }
    // Takes over a node made elsewhere.
    template <typename Node>
    Node* own(Node* node)
    {
        nodes_.emplace_back(node);
        return node;
    }
    void forget(CMC_Scene* node)
    {
        for (auto& held : nodes_)
            if (held.get() == node)
                held.reset();
    }

    // Builds the objects of a definition text in the container, starts what it holds and
    // binds the element of the container's own name to it.
    void build(CMC_ObjectsContainer* in, const std::string& text)
    {
        std::unique_ptr<CMElements> elements(CMElementsLoader::load(
            &window(), new CTextFileReader(&window(), text.c_str(), static_cast<int>(text.size()))));
        delete in->resolveObjects(elements.get());
        for (int i = 0; i < in->getObjectsNo(); ++i)
            in->getObject(i)->init();
        if (CMElement* own = elements->get(in->getName()))
            in->initializeBehaviours(in, own);
    }
    std::string text(CMC_ObjectsContainer* in, const char* name)
    {
        CMC_Variable* value = in->getVariable(name);
        return value != nullptr ? value->toString().c_str() : "<none>";
    }
    void emptyTheBin() { window().getPublicTrashInterface()->onTimer(CPublicTrash::kTimerId); }

    HeadlessWindow headless;
    std::unique_ptr<CApplication> application;

private:
    CXString savedDisc_ = CWindow::getCDPath();
    std::vector<std::unique_ptr<CMC_Scene>> nodes_;
};
