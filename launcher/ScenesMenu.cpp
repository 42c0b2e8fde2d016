#include "launcher/ScenesMenu.h"

#include "app/CMC_Scene.h"
#include "foundation/CXVector.h"

namespace {

constexpr int kMenuTextLength = 255;

std::string menuText(const CXString& name)
{
    return name.Left(kMenuTextLength).c_str();
}

} // namespace

std::vector<std::string> scenesMenuLines(CMC_Scene* application)
{
    std::vector<std::string> lines{"Scenes menu \"" + menuText(application->getName()) + "\""};
    const CXVector* episodes = application->getSubScenes();
    for (int e = 0; episodes != nullptr && e < episodes->getCount(); ++e) {
        auto* episode = dynamic_cast<CMC_Scene*>(episodes->at(e));
        const CXVector* scenes = episode != nullptr ? episode->getSubScenes() : nullptr;
        for (int s = 0; scenes != nullptr && s < scenes->getCount(); ++s) {
            auto* scene = dynamic_cast<CMC_Scene*>(scenes->at(s));
            if (scene != nullptr)
                lines.push_back("  " + menuText(scene->getName()) + " " + std::to_string(episode->getSubId(scene)));
        }
    }
    return lines;
}
