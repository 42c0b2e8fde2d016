// A compiled file from any bytes. Bytes that begin with a name's length (a positive number)
// are an "application.bin": the compiled application is read from them, started, run for two
// frames and deleted. Other bytes are a scene's compiled file whose DLLS is empty (loading
// whatever library the bytes name is not the reader's business), read by a nameless scene node
// as its first entry does; the objects read are bound, started and written again (to no
// file), then the scene is left and ends.
#include "app/CMC_Application.h"
#include "app/CMC_Scene.h"
#include "app/ScriptTypes.h"
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "platform/PathResolver.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_VariableFactory.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

int32_t leadingNumber(const uint8_t* data, size_t size)
{
    int32_t number = 0;
    if (size >= sizeof number)
        std::memcpy(&number, data, sizeof number);
    return number;
}

// The folder the application files go to, made once.
void enterWorkFolder()
{
    static const std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-application-XXXXXX").string();
        return std::string(mkdtemp(pattern.data()));
    }();
    platform::changeFolder(folder);
}

void readApplication(const uint8_t* data, size_t size)
{
    enterWorkFolder();
    std::ofstream(platform::resolvePath("application.bin"), std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    CMC_Application application(nullptr);
    if (application.getDamage().IsString()) {
        application.dropStatistics();
        return;
    }
    application.initialize(nullptr);
    application.domodal();
    application.domodal();
}

void readScene(const uint8_t* data, size_t size)
{
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
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool ready = (registerScriptTypes(), CMC_VariableFactory::initialize(), CMC_RunnerFactory::initialize(), true);
    (void)ready;
    if (leadingNumber(data, size) > 0)
        readApplication(data, size);
    else
        readScene(data, size);
    CMC_VariableFactory::clearPool();
    return 0;
}
