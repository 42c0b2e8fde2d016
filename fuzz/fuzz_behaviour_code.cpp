// Any text compiled as behaviour code and as an expression, then deleted; nothing runs,
// since script loops may rightly never end. The blocks of code that compiling adds to the
// scene must all leave it again.
#include "script/CMC_Behaviour.h"
#include "script/CMC_Expression.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// A scene with a few objects that code may name; it lives as long as the process.
CMC_ObjectsContainer* scene()
{
    static CMC_ObjectsContainer* made = [] {
        CMC_VariableFactory::initialize();
        CMC_RunnerFactory::initialize();
        auto* container = new CMC_ObjectsContainer(nullptr, nullptr, CXString("SCENE"), CMC_Object::TYPE_SCENE);
        auto* number = new CMC_Integer(CXString("A"));
        auto* text = new CMC_String(CXString("S"), CXString("A"));
        auto* behaviour = new CMC_Behaviour(container, CXString("B"), CXString("A^INC();"));
        for (CMC_Object* object : {static_cast<CMC_Object*>(number), static_cast<CMC_Object*>(text),
                                   static_cast<CMC_Object*>(behaviour)}) {
            object->setScene(container);
            container->addObject(object);
        }
        behaviour->init();
        return container;
    }();
    return made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMC_ObjectsContainer* container = scene();
    const int objects = container->getObjectsNo();
    const std::string text(reinterpret_cast<const char*>(data), size);
    {
        CMC_Behaviour code(container, CXString("FUZZ"), CXString(text.c_str()));
        code.init();
        code.setParams(nullptr);
    }
    delete new CMC_Expression(container, CXString(text.c_str()));
    CMC_VariableFactory::clearPool();
    CMC_Behaviour::flushTrash();
    if (container->getObjectsNo() != objects)
        std::abort();
    return 0;
}
