// A scene's compiled file from any bytes, read by a nameless scene node as its first entry
// does; the objects read are bound, started and written again (to no file), then the scene
// is left and ends. A file that names plug-in libraries is passed by: loading whatever
// library the bytes name is not the reader's business.
#include "app/CMC_Scene.h"
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "script/CMC_VariableFactory.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

bool namesLibraries(const uint8_t* data, size_t size)
{
    int32_t length = 0;
    if (size >= sizeof length)
        std::memcpy(&length, data, sizeof length);
    return length > 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool pools = (CMC_VariableFactory::initialize(), true);
    (void)pools;
    if (namesLibraries(data, size))
        return 0;
    CFile_Stream file(reinterpret_cast<const char*>(data), static_cast<int>(size));
    CXArchive archive(&file, false);
    CMC_Scene scene(nullptr, CMC_Object::TYPE_SCENE);
    scene.setName(CXString("FUZZ"));
    scene.readCompiled(&archive);
    scene.onInit();
    CXArchive written(nullptr, true);
    scene.writeCompiled(&written);
    scene.unload(nullptr);
    CMC_Scene::doneDefUnit();
    CMC_VariableFactory::clearPool();
    return 0;
}
