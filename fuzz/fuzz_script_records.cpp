// Compiled-scene records of any shape. The first byte picks the reader: the script object's
// record, the record of one of the four values, or the value pools' reading of archived values
// one after another; the rest is the archive. A record that was read is bound again to the
// behaviours of its container and raised, as a scene loader does.
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Bool.h"
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    CFile_Stream file(reinterpret_cast<const char*>(data + 1), static_cast<int>(size - 1));
    CXArchive archive(&file, false);
    switch (data[0] % 6) {
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
    default:
        while (CMC_Variable* value = CMC_VariableFactory::restore(&archive))
            CMC_Object::flush(value, false);
        break;
    }
    CMC_VariableFactory::clearPool();
    return 0;
}
