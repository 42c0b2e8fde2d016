#pragma once

#include "plugins/world/CMC_World.h"

#include "graphics/CGraphicsObject.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_SignalList.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"

#include "RecordingTolvan.h"
#include "tests/ScriptCode.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// A picture that notes in a log how it is moved.
class NotingPicture : public CGraphicsObject {
public:
    NotingPicture(std::string name, std::vector<std::string>* log)
        : CGraphicsObject(nullptr)
        , name_(std::move(name))
        , log_(log)
    {
    }

    using CGraphicsObject::Invalidate;
    using CGraphicsObject::setPosition;
    void Invalidate() override { log_->push_back(name_ + " Invalidate"); }
    void setPosition(int x, int y) override
    {
        log_->push_back(name_ + " at " + std::to_string(x) + "," + std::to_string(y));
        CGraphicsObject::setPosition(x, y);
    }

private:
    std::string name_;
    std::vector<std::string>* log_;
};

// A script object that shows a noting picture and notes the signals it hears; a handler may
// act on a signal.
class NotingTarget : public CMC_Object {
public:
    NotingTarget(const char* name, CMC_ObjectsContainer* container, std::vector<std::string>* log)
        : CMC_Object(CXString(name), 7000)
        , picture_(name, log)
        , log_(log)
    {
        setScene(container);
    }

    const CMC_SignalList* getBehavioursList() override
    {
        static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
        return &signals;
    }
    CGraphicsObject* getShownGraphics(const CXString&) override { return &picture_; }
    using CMC_Object::onSignal;
    bool onSignal(const CXString& name) override
    {
        log_->push_back(std::string(getName().c_str()) + " " + name.c_str());
        if (const auto handler = handlers.find(name.c_str()); handler != handlers.end())
            handler->second();
        return true;
    }

    std::map<std::string, std::function<void()>> handlers;

private:
    NotingPicture picture_;
    std::vector<std::string>* log_;
};

// A container holding the WORLD object "W" over a recording world, which scripts drive; its
// targets and pictures note what happens to them in one log.
class WorldScript : public ::testing::Test {
protected:
    WorldScript()
    {
        CMC_VariableFactory::initialize();
        CMC_RunnerFactory::initialize();
        auto recording = std::make_unique<RecordingTolvan>();
        tolvan = recording.get();
        CMElement element("W");
        element.addProperty("FILENAME", "level.wld");
        world = new CMC_World(&scene, &element, std::move(recording));
        scene.addObject(world);
    }
    ~WorldScript() override
    {
        scene.unload();
        ScriptCode::endOfFrame();
        CMC_RunnerFactory::done();
        CMC_VariableFactory::done();
    }

    NotingTarget* target(const char* name)
    {
        auto* made = new NotingTarget(name, &scene, &log);
        scene.addObject(made);
        return made;
    }
    void run(const std::string& code) { code_.run(code); }
    std::string ask(const std::string& call) { return code_.ask(call); }
    // The world's calls since the last look, joined by "; ".
    std::string calls()
    {
        std::string joined;
        for (const std::string& call : std::exchange(tolvan->calls, {}))
            joined += (joined.empty() ? "" : "; ") + call;
        return joined;
    }
    std::vector<std::string> takeLog() { return std::exchange(log, {}); }

    CMC_ObjectsContainer scene{nullptr, nullptr, CXString("SCENE1"), CMC_Object::TYPE_SCENE};
    RecordingTolvan* tolvan;
    CMC_World* world;
    std::vector<std::string> log;

private:
    ScriptCode code_{&scene};
};
