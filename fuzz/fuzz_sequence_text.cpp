// Sequence definition files: any text read as the sequence "fuzz" in a running scene, with a
// resources manager, an ANIMO object and an animation file to name; the tree is then played,
// moved on a few times, stopped and deleted.
// Names with folders are left out, so that only the scene's own folder is read.
#include "app/CApplication.h"
#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "foundation/CTextFileReader.h"
#include "graphics/CAnimationManager.h"
#include "graphics/CAnimo6.h"
#include "graphics/CMultimediaSequenceCreator.h"
#include "graphics/CSequencedPlayable.h"
#include "media/CPlayableObserver.h"
#include "media/CResourcesManager.h"
#include "media/CSound4.h"
#include "media/CSoundManager.h"
#include "platform/PathResolver.h"
#include "script/CMElement.h"
#include "script_graphics/CMC_Animo.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// The running node of each level.
class Node : public CMC_Scene {
public:
    Node(CWindow* window, CMElement* element, int type)
        : CMC_Scene(window, nullptr, element, type)
    {
    }
    void enter(CMC_Scene* node) { current_ = node; }
};

// A window and its application running a scene, in a folder of its own, for the whole run.
struct World {
    World()
    {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kestrum-fuzz-sequence";
        std::filesystem::create_directories(folder);
        platform::changeFolder(folder.string());
        window = new CWindow(&language, "");
        application = new CApplication(window, "", "", nullptr);
        resources = new CResourcesManager(window);
        auto* root = new Node(window, &applicationElement, CMC_Object::TYPE_APPLICATION);
        auto* episode = new Node(window, &episodeElement, CMC_Object::TYPE_EPISODE);
        scene = new Node(window, &sceneElement, CMC_Object::TYPE_SCENE);
        root->enter(episode);
        episode->enter(scene);
        application->setMCApplicationIfc(root);
        CAnimo6 source(window);
        source.Save(CXString("x.ann"), COMPRESSION_NONE);
        auto* hero = new CMC_Animo(scene, new CAnimo6(window, CXString("x.ann")));
        hero->setName("HERO");
        scene->addObject(hero);
    }

    CLanguageOSVer language;
    CMElement applicationElement{"APP"};
    CMElement episodeElement{"EPISODE"};
    CMElement sceneElement{"SCENE"};
    CWindow* window;
    CApplication* application;
    CResourcesManager* resources;
    Node* scene;
};

World& world()
{
    static World made;
    return made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (text.find_first_of("/\\") != std::string::npos)
        return 0;
    World& running = world();
    CTextFileReader reader(running.window, text.data(), static_cast<int>(text.size()));
    CPlayableObserver observer;
    CPlayable* root = CMultimediaSequenceCreator::load(running.window, reader, "fuzz.seq", running.resources, &observer);
    if (auto* sequence = dynamic_cast<CSequencedPlayable*>(root)) {
        sequence->play(CXString("GO"));
        for (int step = 0; step < 3; ++step)
            sequence->next();
        sequence->get(CXString("GO"));
        sequence->getAllAnimations();
        sequence->stop(true);
    }
    if (root != nullptr && root->getType() != CSound4::kType)
        delete root;
    running.resources->flush();
    // The managers let go of the records of the playables gone at their next round.
    running.application->getAnimoManagerIfc()->domodal();
    running.application->getSoundManagerIfc()->domodal();
    return 0;
}
