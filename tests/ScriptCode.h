#pragma once

#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"

#include <gtest/gtest.h>

#include <string>

// Script code run in a container as its own behaviours, each followed by the end of a frame
// for the script values.
class ScriptCode {
public:
    explicit ScriptCode(CMC_ObjectsContainer* container)
        : container_(container)
    {
    }

    void run(const std::string& code)
    {
        auto* behaviour = new CMC_Behaviour(container_, CXString(("RUN_" + std::to_string(runs_++)).c_str()),
                                            CXString(code.c_str()));
        container_->addObject(behaviour);
        behaviour->init();
        behaviour->run(nullptr, nullptr, false);
        endOfFrame();
    }

    // What a method call gives, as text ("TRUE", "FALSE", a number or a text; "" for none).
    std::string ask(const std::string& call)
    {
        if (container_->getObject("ANSWER") == nullptr) {
            auto* answer = new CMC_String(CXString("ANSWER"), CXString());
            answer->setScene(container_);
            container_->addObject(answer);
        }
        run("ANSWER^SET(\"\");ANSWER^SET(" + call + ");");
        return static_cast<CMC_String*>(container_->getObject("ANSWER"))->getValue().c_str();
    }

    // The pooled temporaries go back and the behaviours queued for deletion go.
    static void endOfFrame()
    {
        CMC_VariableFactory::clearPool();
        CMC_Behaviour::flushTrash();
    }

    // A new object of the type read from a record of compiled scenes, entered in the
    // container and bound as a compiled scene binds it.
    template <typename Type>
    Type* readRecord(const std::string& bytes)
    {
        auto* read = new Type(container_);
        CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
        CXArchive archive(&file, false);
        read->serialize(&archive);
        EXPECT_FALSE(archive.failed());
        container_->addObject(read);
        read->initializeBehaviours(container_, nullptr);
        return read;
    }

private:
    CMC_ObjectsContainer* container_;
    int runs_ = 0;
};
