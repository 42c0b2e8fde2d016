#include "app/CMC_Episode.h"

#include "script/CMElement.h"

CMC_Episode::CMC_Episode(CWindow* window, CMC_StructureParser* parser, CMElement* element)
    : CMC_Scene(window, nullptr, element, TYPE_EPISODE)
{
    adoptScenes(parser, element->getPropertyValue("SCENES"));
    chooseStart(parser, element);
}
