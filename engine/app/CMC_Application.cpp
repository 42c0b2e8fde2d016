#include "app/CMC_Application.h"

#include "foundation/CXVector.h"
#include "script/CMElement.h"

CMC_Application::CMC_Application(CWindow* window, CMC_StructureParser* parser, CMElement* element,
                                 CCommandLine6* commandLine)
    : CMC_Scene(window, nullptr, element, TYPE_APPLICATION)
    , commandLine_(commandLine)
{
    for (CMC_Scene* episode : builtNodes(parser, element->getPropertyValue("EPISODES"))) {
        adopt(episode);
        CXVector* scenes = episode->getSubScenes();
        for (int i = 0; i < scenes->getCount(); ++i)
            addObject(static_cast<CMC_Object*>(scenes->at(i)));
    }
    adoptScenes(parser, element->getPropertyValue("SCENES"));
    chooseStart(parser, element);
}
