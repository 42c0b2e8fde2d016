#pragma once

#include "foundation/CTextFileReader.h"
#include "foundation/CXArray.h"
#include "foundation/CXVector.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Behaviour_Entry.h"
#include "script/CMC_Integer.h"
#include "script/CMC_Runner.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElementsLoader.h"

#include "ScriptWorld.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// The runner of the probes: each call is written to a log as "OBJECT.METHOD(a,b)", every
// argument by its text ("-" for a missing value). CALL gives nothing, GIVE a pooled copy of
// its first argument, FRESH a handed-over INTEGER 7; PEEK gives nothing and says that it only
// reads its arguments; BUMP adds 1 to its first argument after the log. Names it lacks are
// logged with "?".
class ProbeRunner : public CMC_Runner {
public:
    static constexpr int MTH_CALL = 1;
    static constexpr int MTH_GIVE = 2;
    static constexpr int MTH_FRESH = 3;
    static constexpr int MTH_PEEK = 4;
    static constexpr int MTH_BUMP = 5;

    explicit ProbeRunner(std::vector<std::string>* log)
        : log_(log)
    {
    }

    void prepareMthHashSet() override
    {
        CMC_Runner::prepareMthHashSet();
        registerMethod("CALL", MTH_CALL);
        registerMethod("GIVE", MTH_GIVE);
        registerMethod("FRESH", MTH_FRESH);
        registerMethod("PEEK", MTH_PEEK);
        registerMethod("BUMP", MTH_BUMP);
    }

    bool readsArgumentsOnly(int id) const override { return id == MTH_PEEK; }

    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override
    {
        lastArguments.clear();
        for (int i = 0; i < argumentCount(args); ++i)
            lastArguments.push_back(argumentAt(args, i));
        switch (id) {
        case MTH_CALL:
            note(object, "CALL", args);
            return nullptr;
        case MTH_GIVE:
            note(object, "GIVE", args);
            return CMC_VariableFactory::copyVariable(getParameter(args, 0));
        case MTH_FRESH: {
            note(object, "FRESH", args);
            auto* fresh = new CMC_Integer(7);
            fresh->setHandedOver();
            return fresh;
        }
        case MTH_PEEK:
            note(object, "PEEK", args);
            return nullptr;
        case MTH_BUMP:
            note(object, "BUMP", args);
            if (CMC_Variable* number = argumentOfType(args, 0, CMC_Object::TYPE_INTEGER))
                static_cast<CMC_Integer*>(number)->inc();
            return nullptr;
        default:
            return CMC_Runner::run(id, object, scope, args);
        }
    }

    CMC_Object* run(const CXString& name, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override
    {
        if (resolveMethod(name) == -1)
            note(object, (std::string("?") + name.c_str()).c_str(), args);
        return CMC_Runner::run(name, object, scope, args);
    }

    // The raw arguments of the last call by id.
    std::vector<CMC_Object*> lastArguments;

private:
    void note(CMC_Object* object, const char* method, CXVector* args)
    {
        std::string entry = std::string(object->getName().c_str()) + "." + method + "(";
        for (int i = 0; i < argumentCount(args); ++i) {
            CMC_String* text = getParameterString(args, i);
            entry += std::string(i > 0 ? "," : "") + (text != nullptr ? text->getValue().c_str() : "-");
        }
        log_->push_back(entry + ")");
    }

    std::vector<std::string>* log_;
};

// A script object served by the probe runner, as a plug-in type is served by its own.
class Probe : public CMC_Object {
public:
    Probe(const char* name, CMC_ObjectsContainer* container, CMC_Runner* runner, int type = 10060)
        : CMC_Object(CXString(name), type)
        , runner_(runner)
    {
        setScene(container);
    }
    CMC_Runner* getRunner() override { return runner_; }
    using CMC_Object::clone;
    CXObject* clone() override { return new Probe("copy", getScene(), runner_); }

private:
    CMC_Runner* runner_;
};

// Parameter texts of a behaviour run, owned.
class Params {
public:
    Params(std::initializer_list<const char*> texts)
        : array_(new CXArray(101, 0.75f))
    {
        for (const char* text : texts)
            array_->add(new CXString(text));
    }
    ~Params() { CXString::releaseToVector(array_); }
    Params(const Params&) = delete;
    Params& operator=(const Params&) = delete;
    CXArray* get() const { return array_; }

private:
    CXArray* array_;
};

// A scene with the runners, the value pools and a probe runner around it; code runs as
// behaviours of the scene.
class Interpreter : public ::testing::Test {
protected:
    Interpreter()
    {
        CMC_RunnerFactory::initialize();
        probeRunner.prepareMthHashSet();
    }
    ~Interpreter() override
    {
        world.scenesUnload();
        CMC_Behaviour::doneTrash();
        CMC_RunnerFactory::done();
    }

    CMC_Integer* integer(const char* name, int value, CMC_ObjectsContainer* in = nullptr)
    {
        auto* made = new CMC_Integer(CXString(name));
        made->setValue(value);
        enter(made, in);
        return made;
    }
    CMC_String* string(const char* name, const char* value, CMC_ObjectsContainer* in = nullptr)
    {
        auto* made = new CMC_String(CXString(name), CXString(value));
        enter(made, in);
        return made;
    }
    Probe* probe(const char* name, CMC_ObjectsContainer* in = nullptr)
    {
        auto* made = new Probe(name, in != nullptr ? in : scene, &probeRunner);
        (in != nullptr ? in : scene)->addObject(made);
        return made;
    }
    // A compiled behaviour of the scene.
    CMC_Behaviour* behaviour(const char* name, const char* code, CMC_ObjectsContainer* in = nullptr)
    {
        CMC_ObjectsContainer* container = in != nullptr ? in : scene;
        auto* made = new CMC_Behaviour(container, CXString(name), CXString(code));
        container->addObject(made);
        made->init();
        return made;
    }
    // Runs code once as a new behaviour of the scene; true when it ended with BREAK.
    bool run(const char* code, const Params& params = {})
    {
        const std::string name = "RUN_" + std::to_string(runs_++);
        return behaviour(name.c_str(), code)->run(nullptr, params.get(), false);
    }
    // Builds the objects of a definition text in the scene, as a scene loads, and starts them.
    void load(const std::string& definition)
    {
        auto* reader = new CTextFileReader(world.window.get(), definition.c_str(), static_cast<int>(definition.size()));
        std::unique_ptr<CMElements> elements(CMElementsLoader::load(world.window.get(), reader));
        ASSERT_NE(elements, nullptr);
        std::unique_ptr<CMElements> leftOver(scene->resolveObjects(elements.get()));
        EXPECT_EQ(leftOver->getCount(), 0);
        for (int i = 0; i < scene->getObjectsNo(); ++i)
            scene->getObject(i)->init();
    }
    // The text of a named value.
    std::string text(const char* name)
    {
        CMC_Object* found = scene->getObject(name);
        CMC_Variable* value = found != nullptr ? found->asVariable() : nullptr;
        return value != nullptr ? value->toString().c_str() : "<none>";
    }
    std::vector<std::string> takeLog() { return std::exchange(log, {}); }

    std::vector<std::string> log;
    ProbeRunner probeRunner{&log};
    ScriptWorld world;
    CMC_ObjectsContainer* scene = world.container("SCENE1");

private:
    void enter(CMC_Variable* value, CMC_ObjectsContainer* in)
    {
        CMC_ObjectsContainer* container = in != nullptr ? in : scene;
        value->setScene(container);
        container->addObject(value);
    }

    int runs_ = 0;
};
