#include "graphics/CMElementCreator.h"

#include "graphics/CAnimo6.h"
#include "graphics/CImage.h"
#include "graphics/CSequencedPlayable.h"
#include "script/CMElement.h"

CXObject* CMElementCreator::createObject(GraphicsWindow* window, CMElement* element)
{
    if (element == nullptr || !(element->getPropertyValue("TYPE") == "IMAGE"))
        return nullptr;
    const CXString fileName = element->getPropertyValue("FILENAME");
    if (!fileName.IsString())
        return nullptr;
    auto* image = new CImage(window, fileName);
    image->Visible(element->getPropertyBoolValue("VISIBLE"));
    return static_cast<CGraphicsObject*>(image);
}

CPlayable* CMElementCreator::createPlayable(GraphicsWindow* window, CMElement* element)
{
    if (element == nullptr)
        return nullptr;
    const CXString type = element->getPropertyValue("TYPE");
    if (type == "SEQUENCE")
        return new CSequencedPlayable(window, element);
    const CXString fileName = element->getPropertyValue("FILENAME");
    if (!(type == "ANIMO") || !fileName.IsString())
        return nullptr;
    CPlayable* animation = new CAnimo6(window, fileName);
    animation->setVisibility(element->getPropertyBoolValue("VISIBLE"));
    return animation;
}
