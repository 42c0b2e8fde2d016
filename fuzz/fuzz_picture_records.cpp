// Compiled-scene records of the graphics types: the first byte picks ANIMO, IMAGE, GROUP,
// FILTER, STATICFILTER, PATH, SCROLL, SEQUENCE, CANVAS, CANVASOBSERVER, PATTERN or
// VIRTUALGRAPHICSOBJECT, whose empty object the compiled-scene reader makes; the rest is the
// archive. An object that was read joins a running scene, is bound to the scene's behaviours,
// copied, played and shown as scripts would (a filter's kind linked to a raster, run and
// unlinked, a SCROLL scrolled), then finished and deleted; the scene's shared resources go
// after each input. Names with folders are left out, so that only the scene's own folder
// (which holds "x.ann" and "x.img") is read.
#include "app/CApplication.h"
#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "foundation/CFile_Stream.h"
#include "foundation/CLanguageOSVer.h"
#include "foundation/CXArchive.h"
#include "graphics/CAnimationManager.h"
#include "graphics/CAnimo6.h"
#include "graphics/CImage.h"
#include "media/CResourcesManager.h"
#include "platform/PathResolver.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Groupped.h"
#include "script/CMC_RecordFactory.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"
#include "script_graphics/CMC_Animo.h"
#include "script_graphics/CMC_Canvas.h"
#include "script_graphics/CMC_CanvasObserver.h"
#include "script_graphics/CMC_Filter.h"
#include "script_graphics/CMC_Image.h"
#include "script_graphics/CMC_Path.h"
#include "script_graphics/CMC_Pattern.h"
#include "script_graphics/CMC_Scroll.h"
#include "script_graphics/CMC_Sequence.h"
#include "script_graphics/CMC_StaticFilter.h"
#include "script_graphics/CMC_VirtualGraphicsObject.h"
#include "script_graphics/GraphicsScriptTypes.h"
#include "text/CUnit6.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>

namespace {

// A window and its application running a scene with the behaviour "B", in a folder of its own
// that holds an animation and a picture, for the whole run.
struct World {
    World()
    {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kestrum-fuzz-pictures";
        std::filesystem::create_directories(folder);
        platform::changeFolder(folder.string());
        CMC_VariableFactory::initialize();
        attachGraphicsScriptTypes();
        window = new CWindow(&language, "");
        application = new CApplication(window, "", "", nullptr);
        scene = new CMC_Scene(window, nullptr, &sceneElement, CMC_Object::TYPE_SCENE);
        CMC_Scene::getDefUnit()->initialize(scene, nullptr);
        scene->addObject(new CMC_Behaviour(scene, CXString("B"), CXString()));
        CAnimo6 animation(window);
        CGraphicsObject image(window, CXSize(2, 2), 16);
        animation.AddFrame(&image);
        animation.Save(CXString("x.ann"), COMPRESSION_NONE);
        image.Save(CXString("x.img"), COMPRESSION_NONE);
    }

    CLanguageOSVer language;
    CMElement sceneElement{"SCENE"};
    CWindow* window;
    CApplication* application;
    CMC_Scene* scene;
};

World& world()
{
    static World made;
    return made;
}

void readAndUse(CXArchive& archive, int typeId, CMC_Scene* scene)
{
    CMC_Object* object = CMC_RecordFactory::create(typeId, scene);
    object->serialize(&archive);
    scene->addObject(object);
    object->initializeBehaviours(scene, nullptr);
    object->init();
    object->clone(1);
    if (auto* animo = dynamic_cast<CMC_Animo*>(object); animo != nullptr && animo->getAnimo() != nullptr) {
        animo->getAnimo()->Play(0, 0, 0);
        animo->getAnimo()->show();
    }
    if (auto* image = dynamic_cast<CMC_Image*>(object))
        image->showPicture(true);
    CGraphicsObject raster(scene->getWindow(), CXSize(3, 2), 16);
    if (auto* filter = dynamic_cast<CMC_Filter*>(object); filter != nullptr && filter->getFilter() != nullptr) {
        filter->getFilter()->link(&raster, nullptr);
        filter->getFilter()->start(&raster);
        filter->getFilter()->onTimer(0);
        filter->getFilter()->unlink(&raster);
    }
    if (auto* filter = dynamic_cast<CMC_StaticFilter*>(object); filter != nullptr && filter->getFilter() != nullptr) {
        filter->getFilter()->link(&raster, nullptr);
        filter->getFilter()->unlink(&raster);
    }
    if (auto* scroll = dynamic_cast<CMC_Scroll*>(object)) {
        scroll->add(&raster);
        scroll->scrollUp(3);
        scroll->moveViewport(1, 1);
    }
    scene->unload();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (bytes.find_first_of("/\\:") != std::string::npos)
        return 0;
    World& running = world();
    CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
    CXArchive archive(&file, false);
    static constexpr int kTypes[] = {CMC_Animo::kType,        CMC_Image::kType,          CMC_Groupped::kType,
                                     CMC_Filter::kType,       CMC_StaticFilter::kType,   CMC_Path::kType,
                                     CMC_Scroll::kType,       CMC_Sequence::kType,       CMC_Canvas::kType,
                                     CMC_CanvasObserver::kType, CMC_Pattern::kType,      CMC_VirtualGraphicsObject::kType};
    readAndUse(archive, kTypes[data[0] % std::size(kTypes)], running.scene);
    running.scene->addObject(running.scene);
    running.scene->addObject(new CMC_Behaviour(running.scene, CXString("B"), CXString()));
    CMC_Scene::getDefUnit()->getResourcesManager()->flush();
    running.application->getAnimoManagerIfc()->domodal();
    CMC_VariableFactory::clearPool();
    CMC_Behaviour::flushTrash();
    return 0;
}
