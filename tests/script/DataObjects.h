#pragma once

#include "foundation/CFile.h"
#include "foundation/CXArchive.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_String.h"

#include "Interpreter.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The interpreter's scene with helpers for the data objects: objects built from definitions,
// methods called with argument values of the test's own, results shown as "TYPE text".
class DataObjects : public Interpreter {
protected:
    // An object of the scene built from its definition.
    template <typename Type>
    Type* define(const char* name, std::initializer_list<std::pair<const char*, const char*>> properties = {})
    {
        auto element = makeElement(name, properties);
        auto* made = new Type(scene, element.get());
        scene->addObject(made);
        return made;
    }

    // Argument values that live as long as the test.
    CMC_Object* I(int value) { return keep(std::make_unique<CMC_Integer>(value)); }
    CMC_Object* S(const char* value) { return keep(std::make_unique<CMC_String>(CXString("temp"), CXString(value))); }
    CMC_Object* D(double value) { return keep(std::make_unique<CMC_Double>(value)); }
    CMC_Object* B(bool value) { return keep(std::make_unique<CMC_Bool>(value)); }

    // Calls the method through the runner of the object's type and describes the result,
    // which is then let go of as a statement lets go of it.
    std::string call(CMC_Object* object, const char* method, std::initializer_list<CMC_Object*> arguments = {})
    {
        CXVector args;
        for (CMC_Object* argument : arguments)
            args.add(argument);
        CMC_Runner* runner = CMC_RunnerFactory::getRunner(object->getType());
        CMC_Object* result = runner->run(CXString(method), object, scene, arguments.size() > 0 ? &args : nullptr);
        const std::string text = describe(result);
        CMC_Object::releaseResult(result);
        return text;
    }

    static std::string describe(CMC_Object* value)
    {
        if (value == nullptr)
            return "none";
        CMC_Variable* variable = value->asVariable();
        return std::string(CMC_Object::typeToString(value->getType()).c_str()) + " " +
               (variable != nullptr ? variable->toString().c_str() : value->getName().c_str());
    }

    // The bytes that the writer puts into a file of the scene's folder.
    std::string stored(const std::function<void(CXArchive&)>& write)
    {
        {
            CFile file(nullptr, "record.bin", CFile::MODE_BINARY);
            CXArchive archive(&file, true);
            write(archive);
        }
        return world.temp.read("record.bin");
    }

private:
    CMC_Object* keep(std::unique_ptr<CMC_Object> value)
    {
        values_.push_back(std::move(value));
        return values_.back().get();
    }

    std::vector<std::unique_ptr<CMC_Object>> values_;
};
