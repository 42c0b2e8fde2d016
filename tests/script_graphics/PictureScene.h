#pragma once

#include "app/CApplication.h"
#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "foundation/CFile.h"
#include "foundation/CPublicTrash.h"
#include "foundation/CTextFileReader.h"
#include "foundation/CXArchive.h"
#include "foundation/CXArray.h"
#include "graphics/CAnimo6.h"
#include "graphics/CFrame.h"
#include "graphics/CRefreshScreen.h"
#include "platform/Events.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElementsLoader.h"
#include "script_graphics/GraphicsScriptTypes.h"
#include "text/CUnit6.h"

#include "tests/ScriptCode.h"
#include "tests/app/HeadlessWindow.h"
#include "tests/graphics/RasterMaker.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A behaviour that writes its name, and its parameters when it has any, to a log.
class LoggedBehaviour : public CMC_Behaviour {
public:
    LoggedBehaviour(CMC_ObjectsContainer* container, const char* name, std::vector<std::string>* log)
        : CMC_Behaviour(container, CXString(name), CXString())
        , log_(log)
    {
    }
    bool run(CMC_Object*, CXArray* params, bool) override
    {
        std::string entry = getName().c_str();
        for (int i = 0; params != nullptr && i < params->getCount(); ++i)
            entry += std::string(i == 0 ? "(" : ",") + params->stringAt(i)->c_str() + (i + 1 == params->getCount() ? ")" : "");
        log_->push_back(entry);
        return false;
    }

private:
    std::vector<std::string>* log_;
};

// The picture types on the headless window: an active window with its screen and application,
// a running scene bound to the default unit, the ANIMO, IMAGE and GROUP types attached and the
// runners made. Objects come from definition text; code runs as the scene's behaviours; time
// moves by hand.
//
// Fixtures: "hero.ann", four 8 × 6 images (image i's pixel words are 0x3000 × (i + 1) plus
// the pixel's index; alpha 255 but 0 in the last column; image 1 stands at (2, 1)), events
// "Walk" (images 0, 1, 2; position 1 named "door", position 2 displaced by (3, 4)),
// "WALK_REVERSE" (2, 1, 0) and "ONCLICK" (3), at 10 frames a second; "stone.img", a 20 × 10
// picture of word 0x7777 with alpha 200.
class PictureScene : public ::testing::Test {
protected:
    PictureScene()
    {
        headless.open();
        CMC_VariableFactory::initialize();
        attachGraphicsScriptTypes();
        CMC_RunnerFactory::initialize();
        scene = std::make_unique<CMC_Scene>(window(), nullptr, &sceneElement, CMC_Object::TYPE_SCENE);
        CMC_Scene::getDefUnit()->initialize(scene.get(), nullptr);
        code_.emplace(scene.get());
        writeFixtures();
    }
    ~PictureScene() override
    {
        scene->unload();
        CMC_Scene::getDefUnit()->done(scene.get(), nullptr);
        scene.reset();
        CMC_Scene::doneDefUnit();
        window()->getPublicTrashInterface()->onTimer(CPublicTrash::kTimerId);
        CMC_Behaviour::doneTrash();
        CMC_RunnerFactory::done();
        CMC_VariableFactory::done();
    }

    CWindow* window() { return &headless.window(); }
    CRefreshScreen* screen() { return window()->GetRefreshScreenInterface(); }

    // Builds the objects of the definition text in the scene and starts them.
    void define(const std::string& definition)
    {
        const int before = scene->getObjectsNo();
        auto* reader = new CTextFileReader(window(), definition.c_str(), static_cast<int>(definition.size()));
        std::unique_ptr<CMElements> elements(CMElementsLoader::load(window(), reader));
        ASSERT_NE(elements, nullptr);
        std::unique_ptr<CMElements> leftOver(scene->resolveObjects(elements.get()));
        EXPECT_EQ(leftOver->getCount(), 0);
        for (int i = before; i < scene->getObjectsNo(); ++i)
            scene->getObject(i)->init();
    }

    // Behaviours of the scene that log their names when they run.
    void loggers(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            scene->addObject(new LoggedBehaviour(scene.get(), name, &log));
    }

    void run(const std::string& code) { code_->run(code); }
    // What a method call gives, as text.
    std::string ask(const std::string& call) { return code_->ask(call); }

    // One frame of the window, that much later, with the events injected first.
    void frame(uint32_t ms = 10, const std::vector<platform::Event>& events = {})
    {
        for (const platform::Event& event : events)
            headless.backend().events().inject(event);
        headless.backend().clock().advance(ms);
        headless.turn();
        endOfFrame();
    }
    void press(int x, int y, platform::MouseButton button = platform::MouseButton::Left)
    {
        frame(10, {platform::Event::mouseDown(button, {x, y})});
    }
    void release(int x, int y, platform::MouseButton button = platform::MouseButton::Left)
    {
        frame(10, {platform::Event::mouseUp(button, {x, y})});
    }

    std::vector<std::string> takeLog() { return std::exchange(log, {}); }

    // The object's record as a compiled scene stores it.
    std::string record(CMC_Object* object)
    {
        {
            CFile file(nullptr, "record.bin", CFile::MODE_BINARY);
            CXArchive archive(&file, true);
            object->serialize(&archive);
        }
        return headless.folder().read("record.bin");
    }
    // A new object of the type read from the record, entered in the scene and bound as a
    // compiled scene binds it.
    template <typename Type>
    Type* readRecord(const std::string& bytes)
    {
        return code_->template readRecord<Type>(bytes);
    }

    template <typename Type>
    Type* object(const char* name)
    {
        return dynamic_cast<Type*>(scene->getObject(name));
    }

    static void endOfFrame() { ScriptCode::endOfFrame(); }

    HeadlessWindow headless;
    CApplication application{&headless.window(), "", "", nullptr};
    CMElement sceneElement{"SCENE1"};
    std::unique_ptr<CMC_Scene> scene;
    std::vector<std::string> log;

private:
    std::optional<ScriptCode> code_;

    void writeFixtures()
    {
        CAnimo6 hero(window());
        for (int i = 0; i < 4; ++i) {
            std::vector<uint16_t> pixels(48);
            std::vector<uint8_t> alpha(48, 255);
            for (int p = 0; p < 48; ++p)
                pixels[static_cast<size_t>(p)] = static_cast<uint16_t>(0x3000 * (i + 1) + p);
            for (int row = 0; row < 6; ++row)
                alpha[static_cast<size_t>(row * 8 + 7)] = 0;
            auto image = makeRaster(8, 6, 16, pixels, alpha);
            image->SetPosition(i == 1 ? CXPoint(2, 1) : CXPoint(0, 0));
            hero.AddFrame(image.get());
        }
        const auto event = [](const char* name, std::vector<uint16_t> frames) {
            _annEventInfo3 info;
            info.setName(name);
            info.frames = std::move(frames);
            info.fps = 10;
            info.opacity = 255;
            return info;
        };
        for (const _annEventInfo3& info : {event("Walk", {0, 1, 2}), event("WALK_REVERSE", {2, 1, 0}), event("ONCLICK", {3})})
            hero.AddEvent(&info);
        hero.GetFrameInfo(0, 1)->name = CXString("door");
        hero.GetFrameInfo(0, 2)->dx = 3;
        hero.GetFrameInfo(0, 2)->dy = 4;
        hero.Save(CXString(headless.folder().file("hero.ann").c_str()), COMPRESSION_RLE);
        auto stone = makeRaster(20, 10, 16, std::vector<uint16_t>(200, 0x7777), std::vector<uint8_t>(200, 200));
        stone->Save(CXString(headless.folder().file("stone.img").c_str()), COMPRESSION_RLE);
    }
};
