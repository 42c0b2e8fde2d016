#include "script_graphics/CMC_Image.h"

#include "graphics/CImage.h"
#include "graphics/CRefreshScreen.h"
#include "media/CResourcesManager.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "script_graphics/ScriptGraphicsWindow.h"

CMC_Image::CMC_Image(CMC_ObjectsContainer* owner)
    : CMC_PictureObject(CXString(), kType, owner)
    , button_(*this, *this, getWindow())
{
}

CMC_Image::CMC_Image(CMC_ObjectsContainer* owner, CImage* picture)
    : CMC_PictureObject("clone", kType, owner)
    , button_(*this, *this, getWindow())
{
    adopt(picture);
}

CMC_Image::CMC_Image(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_PictureObject(owner, element, kType)
    , button_(*this, *this, getWindow())
{
    const Definition definition = readDefinition(element);
    load(definition.file, definition.preload);
    getImage()->toRelease(definition.flushAfterPlayed);
    showPicture(definition.visible);
    onRecordRead();
    monitorCollisions();
    if (definition.toCanvas)
        putOnScreen(priority_);
    button_.setButton(element->getPropertyBoolValue("ASBUTTON"));
    initializeBehaviours(owner, element);
}

CImage* CMC_Image::getImage() const
{
    return static_cast<CImage*>(picture());
}

CPlayable* CMC_Image::makePicture(const CXString& file, bool preload)
{
    auto* made = new CImage(getWindow());
    made->setFilename(file);
    if (preload)
        made->Load(file, true);
    return made;
}

CPlayable* CMC_Image::sharedPicture(CResourcesManager* manager, const CXString& file)
{
    return manager->getAs<CImage>(file);
}

CXObject* CMC_Image::clone()
{
    if (getImage() == nullptr)
        return new CMC_Image(getScene(), static_cast<CImage*>(nullptr));
    CImage* copy = getImage()->clone();
    const int priority = screen() != nullptr ? screen()->GetPriority(getImage()) : -1;
    addSharedUse();
    if (priority >= 0)
        screen()->put(copy, priority);
    return new CMC_Image(getScene(), copy);
}

bool CMC_Image::done(bool final)
{
    releasePicture();
    return CMC_Object::done(final);
}

const CMC_SignalList* CMC_Image::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT",    "ONDONE",     "ONSIGNAL", "ONCOLLISION", "ONCOLLISIONFINISHED",
                                        "ONFOCUSON", "ONFOCUSOFF", "ONCLICK",  "ONRELEASE"};
    return &signals;
}

bool CMC_Image::verifyBehaviour(const CXString& name)
{
    button_.onBinding(name, priority_);
    return true;
}

void CMC_Image::showPicture(bool visible)
{
    CImage* picture = getImage();
    if (picture == nullptr)
        return;
    picture->Visible(visible);
    picture->setVisibility(visible);
}

void CMC_Image::onRecordRead()
{
    start_ = getImage()->GetPosition();
}

void CMC_Image::setAsButton(bool, bool activeCursor)
{
    button_.setButton(true);
    button_.setActiveCursor(activeCursor);
}

bool CMC_Image::onMouseMove(CXPoint p)
{
    return button_.onMouseMove(p, getImage());
}

bool CMC_Image::onClick(int button, CXPoint p)
{
    return button_.onClick(button, p, getImage());
}

bool CMC_Image::onRelease(int button, CXPoint p)
{
    return button_.onRelease(button, p, getImage());
}
