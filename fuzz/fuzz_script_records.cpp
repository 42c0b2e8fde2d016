// Compiled-scene records of any shape. The first byte picks the reader: the script object's
// record, the record of one of the four values, the value pools' reading of archived values
// one after another, or a CONDITION or COMPLEXCONDITION record; the rest is the archive. A
// record that was read is bound again to the behaviours of its container and raised, as a
// scene loader does; a condition is started, and asked when its operands are plain values (code
// could loop for as long as it likes).
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Bool.h"
#include "script/CMC_ComplexCondition.h"
#include "script/CMC_Condition.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"

#include <cstddef>
#include <cstdint>

namespace {

// A scene with the behaviours that the seeds name; it lives as long as the process.
CMC_ObjectsContainer* scene()
{
    static CMC_ObjectsContainer* made = [] {
        CMC_VariableFactory::initialize();
        auto* container = new CMC_ObjectsContainer(nullptr, nullptr, CXString("SCENE"), CMC_Object::TYPE_SCENE);
        for (const char* name : {"B", "GO"})
            container->addObject(new CMC_Behaviour(container, CXString(name), CXString()));
        return container;
    }();
    return made;
}

template <typename Value>
void readValue(CXArchive& archive)
{
    Value value{CXString()};
    value.serialize(&archive);
    value.setScene(scene());
    value.initializeBehaviours(scene(), nullptr);
    value.onSignal(CXString("ONCHANGED"));
    value.inc();
    CMC_Object::flush(value.convert(CMC_Object::TYPE_STRING), false);
}

template <typename Condition>
void readCondition(CXArchive& archive, bool ask)
{
    Condition condition(scene());
    condition.serialize(&archive);
    condition.setScene(scene());
    condition.initializeBehaviours(scene(), nullptr);
    condition.init();
    if (ask)
        condition.valid(true);
    condition.done(true);
}

// Whether the operand texts are values only, with no statement to run.
bool plainOperands(const uint8_t* data, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        if (data[i] == '@' || data[i] == '^')
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    CFile_Stream file(reinterpret_cast<const char*>(data + 1), static_cast<int>(size - 1));
    CXArchive archive(&file, false);
    switch (data[0] % 8) {
    case 0: {
        CMC_Object object(CXString(), 0);
        object.serialize(&archive);
        object.initializeBehaviours(scene(), nullptr);
        break;
    }
    case 1:
        readValue<CMC_Integer>(archive);
        break;
    case 2:
        readValue<CMC_String>(archive);
        break;
    case 3:
        readValue<CMC_Bool>(archive);
        break;
    case 4:
        readValue<CMC_Double>(archive);
        break;
    case 5:
        while (CMC_Variable* value = CMC_VariableFactory::restore(&archive))
            CMC_Object::flush(value, false);
        break;
    case 6:
        readCondition<CMC_Condition>(archive, plainOperands(data + 1, size - 1));
        break;
    default:
        readCondition<CMC_ComplexCondition>(archive, true);
        break;
    }
    CMC_VariableFactory::clearPool();
    return 0;
}
