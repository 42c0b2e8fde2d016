#pragma once

#include "app/CApplication.h"
#include "app/CWindow.h"
#include "app/ScriptTypes.h"
#include "foundation/CFile.h"
#include "foundation/CLanguageOSVer.h"
#include "foundation/CPublicTrash.h"
#include "foundation/CTextFileReader.h"
#include "foundation/CXArchive.h"
#include "media/CKeyboard.h"
#include "platform/HeadlessBackend.h"
#include "platform/PathResolver.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElementsLoader.h"

#include "tests/CurrentFolderGuard.h"
#include "tests/ScriptCode.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A behaviour that writes its name to a log when it runs, followed by what the detail gives.
class LoggingBehaviour : public CMC_Behaviour {
public:
    LoggingBehaviour(CMC_ObjectsContainer* container, const char* name, std::vector<std::string>* log,
                     std::function<std::string()> detail)
        : CMC_Behaviour(container, CXString(name), CXString())
        , log_(log)
        , detail_(std::move(detail))
    {
    }

    bool run(CMC_Object*, CXArray*, bool) override
    {
        log_->push_back(std::string(getName().c_str()) + (detail_ ? detail_() : std::string()));
        if (action)
            action();
        return false;
    }

    std::function<void()> action;

private:
    std::vector<std::string>* log_;
    std::function<std::string()> detail_;
};

// An active engine window on a back end, with its application and a scene whose objects
// come from definition text: the input script types are attached, the runners made, and
// script code runs as the scene's behaviours.
class ScriptScene : public ::testing::Test {
protected:
    explicit ScriptScene(std::unique_ptr<platform::Backend> backend)
        : backend_(std::move(backend))
    {
        platform::changeFolder(folder.path().string());
        CMC_VariableFactory::initialize();
        registerScriptTypes();
        CMC_RunnerFactory::initialize();
        platform::Cursors* cursors = backend_ != nullptr ? &backend_->cursors() : nullptr;
        const auto shape = [cursors](platform::SystemCursor kind) {
            return cursors != nullptr ? cursors->systemCursor(kind) : nullptr;
        };
        window = std::make_unique<CWindow>(backend_.get(), nullptr, &language, CXSize(800, 600),
                                           shape(platform::SystemCursor::Arrow), "");
        window->SetWaitCursor(shape(platform::SystemCursor::Wait));
        window->SetActiveCursor(shape(platform::SystemCursor::Hand));
        language.setWindowIfc(window.get());
        window->OnActivateApp(true);
        application = std::make_unique<CApplication>(window.get(), "", "", nullptr);
        scene = std::make_unique<CMC_ObjectsContainer>(window.get(), nullptr, CXString("SCENE"), CMC_Object::TYPE_SCENE);
        code_.emplace(scene.get());
    }
    ~ScriptScene() override
    {
        scene->unload();
        scene.reset();
        window->getPublicTrashInterface()->onTimer(CPublicTrash::kTimerId);
        CMC_Behaviour::doneTrash();
        CMC_RunnerFactory::done();
        application.reset();
        window.reset();
        CMC_VariableFactory::done();
        CWindow::rootPath = savedRoot_;
        CWindow::exePath = savedExe_;
    }

    // Builds the objects of the definition text in the container (the scene by default) and
    // starts them, as a scene starts its objects. Every element must build but the given
    // number (elements that bind to an object found instead count among those).
    void define(const std::string& definition, CMC_ObjectsContainer* container = nullptr, int leftOverCount = 0)
    {
        CMC_ObjectsContainer* into = container != nullptr ? container : scene.get();
        const int before = into->getObjectsNo();
        auto* reader = new CTextFileReader(window.get(), definition.c_str(), static_cast<int>(definition.size()));
        std::unique_ptr<CMElements> elements(CMElementsLoader::load(window.get(), reader));
        ASSERT_NE(elements, nullptr);
        std::unique_ptr<CMElements> leftOver(into->resolveObjects(elements.get()));
        EXPECT_EQ(leftOver->getCount(), leftOverCount);
        for (int i = before; i < into->getObjectsNo(); ++i)
            into->getObject(i)->init();
    }

    // A behaviour of the scene that logs its name and the detail when it runs.
    LoggingBehaviour* logger(const char* name, std::function<std::string()> detail = {})
    {
        auto* made = new LoggingBehaviour(scene.get(), name, &log, std::move(detail));
        scene->addObject(made);
        return made;
    }

    void run(const std::string& code) { code_->run(code); }
    // What a method call gives, as text ("TRUE", "FALSE", a number or a text).
    std::string ask(const std::string& call) { return code_->ask(call); }

    // One turn of the program's loop: the waiting events, the window's frame, and the
    // end-of-frame step of the script values.
    void turn(const std::function<void()>& beforeTheFrame = {})
    {
        window->pumpEvents();
        if (beforeTheFrame)
            beforeTheFrame();
        window->domodal();
        endOfFrame();
    }

    std::vector<std::string> takeLog() { return std::exchange(log, {}); }

    // The object's record read into a fresh object of its type, which takes its place in the
    // scene with its bindings restored, as a compiled scene builds it.
    template <typename Type>
    Type* roundTrip(Type* object)
    {
        {
            CFile file(nullptr, "record.bin", CFile::MODE_BINARY);
            CXArchive archive(&file, true);
            object->serialize(&archive);
        }
        scene->removeObject(object);
        delete object;
        return code_->template readRecord<Type>(folder.read("record.bin"));
    }

    static void endOfFrame() { ScriptCode::endOfFrame(); }

    CurrentFolderGuard guard;
    TempFolder folder;

private:
    std::unique_ptr<platform::Backend> backend_;

protected:
    CLanguageOSVer language;
    std::unique_ptr<CWindow> window;
    std::unique_ptr<CApplication> application;
    std::unique_ptr<CMC_ObjectsContainer> scene;
    std::vector<std::string> log;

private:
    CXString savedRoot_ = CWindow::rootPath;
    CXString savedExe_ = CWindow::exePath;
    std::optional<ScriptCode> code_;
};

// The scene on the headless back end and the manual clock. A frame is a turn of the loop with
// injected events, the clock moved on 10 ms before the window's frame.
class InputScene : public ScriptScene {
protected:
    InputScene()
        : ScriptScene(std::make_unique<platform::HeadlessBackend>(platform::HeadlessBackend::Time::Manual))
        , backend(static_cast<platform::HeadlessBackend&>(*window->getBackend()))
    {
    }

    void frame(const std::vector<platform::Event>& events = {}, uint32_t ms = CKeyboard::kFlushIntervalMs)
    {
        for (const platform::Event& event : events)
            backend.events().inject(event);
        turn([this, ms] { backend.clock().advance(ms); });
    }

    platform::HeadlessBackend& backend;
};
