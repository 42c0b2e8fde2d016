#pragma once

#include "app/CApplication.h"
#include "app/CMC_Application.h"
#include "app/CMC_Episode.h"
#include "app/CWindow.h"
#include "foundation/CCommandLine6.h"
#include "foundation/CPublicTrash.h"
#include "foundation/CXVector.h"
#include "platform/PathResolver.h"
#include "script/CMC_Array.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Variable.h"

#include "app/HeadlessWindow.h"
#include "graphics/PictureFixtures.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// The program's start-up on the headless display and the manual clock: a data tree in a fresh
// folder, the application loaded from it by CApplication with the INI "game.ini" and the
// options given, then frames run one by one. The application records what happens in its
// ARRAY "LOG".
class ApplicationWorld {
public:
    // The window reads `windowOptions` as its command line ("-printto", ...).
    explicit ApplicationWorld(const std::vector<std::string>& windowOptions = {})
        : headless(windowOptions)
    {
        headless.open();
    }
    ~ApplicationWorld()
    {
        stop();
        CWindow::setCDPath(savedDisc_);
    }
    ApplicationWorld(const ApplicationWorld&) = delete;
    ApplicationWorld& operator=(const ApplicationWorld&) = delete;

    // A file of the data tree, its folders made as needed ("/" separates).
    void write(const std::string& name, const std::string& text)
    {
        std::filesystem::create_directories((headless.folder().path() / name).parent_path());
        headless.folder().write(name, text);
    }
    // A background picture of one colour word, written by the engine's own writer.
    void picture(const std::string& name, uint16_t word)
    {
        std::filesystem::create_directories((headless.folder().path() / name).parent_path());
        writePicture(headless.folder(), name, 32, 32, word);
    }
    std::string read(const std::string& name) { return headless.folder().read(name); }
    bool exists(const std::string& name) { return std::filesystem::exists(headless.folder().path() / name); }

    // Loads the application with the options ("-2bin", "-forceCNV", ...) and starts it, from
    // the folder of the data tree as the program does; the application, none when start-up
    // failed.
    CMC_Application* start(const std::vector<std::string>& options = {})
    {
        stop();
        platform::changeFolder(headless.folder().path().string());
        commandLine_ = std::make_unique<CCommandLine6>(commandLineOf(options));
        shell = std::make_unique<CApplication>(&window(), CXString("game.ini"), CXString(), commandLine_.get());
        shell->preinitializeApplication();
        return application();
    }
    // The application ends, after what waits in the deferred-delete bin.
    void stop()
    {
        if (shell == nullptr)
            return;
        emptyTheBin();
        shell.reset();
    }

    CMC_Application* application()
    {
        return shell != nullptr ? dynamic_cast<CMC_Application*>(shell->getMCApplicationIfc()) : nullptr;
    }
    CMC_Episode* episode(const char* name)
    {
        return dynamic_cast<CMC_Episode*>(application()->find(CXString(name)));
    }
    // The running leaf scene's name; "" without one.
    std::string running()
    {
        CMC_Scene* node = application()->getCurrentScene();
        CMC_Scene* leaf = node != nullptr ? node->getCurrentScene() : nullptr;
        return leaf != nullptr ? leaf->getName().c_str() : "";
    }
    // The entries of LOG, which is emptied.
    std::vector<std::string> log()
    {
        std::vector<std::string> entries;
        auto* array = dynamic_cast<CMC_Array*>(application()->getObject("LOG"));
        if (array == nullptr)
            return {"<no LOG>"};
        for (int i = 0; i < array->getSize(); ++i)
            entries.emplace_back(array->get(i)->toString().c_str());
        array->removeAll();
        return entries;
    }
    // A statement run in the container, its result's text ("none" without one).
    std::string run(CMC_ObjectsContainer* in, const std::string& line)
    {
        CMC_Object* result = CMC_Behaviour::runLine(in, in, CXString(line.c_str()), nullptr);
        const std::string text = result != nullptr && !CMC_Object::isStopResult(result) && result->asVariable() != nullptr
                                     ? result->asVariable()->toString().c_str()
                                     : "none";
        CMC_Object::releaseResult(result);
        return text;
    }
    // One frame, ms after the last; the colour at the screen's corner afterwards.
    uint16_t frame(uint32_t ms = 10)
    {
        clock().advance(ms);
        headless.turn();
        return headless.pixel(0, 0);
    }
    void emptyTheBin() { window().getPublicTrashInterface()->onTimer(CPublicTrash::kTimerId); }

    CWindow& window() { return headless.window(); }
    platform::ManualClock& clock() { return headless.backend().clock(); }

    HeadlessWindow headless;
    std::unique_ptr<CApplication> shell;

private:
    CXString savedDisc_ = CWindow::getCDPath();
    std::unique_ptr<CCommandLine6> commandLine_;
};
