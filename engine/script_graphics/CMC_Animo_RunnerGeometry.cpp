// The ANIMO methods that place, measure, test, colour, order and sound the animation.
#include "script_graphics/CMC_Animo_Runner.h"

#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "graphics/CAnimo6.h"
#include "graphics/CFrame.h"
#include "graphics/CRefreshScreen.h"
#include "media/CScriptSoundLevels.h"
#include "script/CMC_Array.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/CMC_Animo.h"

CMC_Object* CMC_Animo_Runner::setPosition(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    animation->Invalidate();
    animation->setPosition(integerParameter(args, 0), integerParameter(args, 1));
    animation->Invalidate();
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::move(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    animation->Move(integerParameter(args, 0), integerParameter(args, 1));
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::clearClipping(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    animation->SetClippingRect(CXRect(0, 0, 0, 0));
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::setClipping(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer* scope, CXVector* args)
{
    animation->SetClippingRect(clippingRect(scope, args));
    return nullptr;
}

// Without arguments where the current image is drawn; with any, the animation's own place.
CMC_Object* CMC_Animo_Runner::getPositionX(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    return giveInteger(argumentCount(args) == 0 ? animation->GetPosition().x : animation->getPosition().x);
}

CMC_Object* CMC_Animo_Runner::getPositionY(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    return giveInteger(argumentCount(args) == 0 ? animation->GetPosition().y : animation->getPosition().y);
}

CMC_Object* CMC_Animo_Runner::getWidth(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(animation->Width());
}

CMC_Object* CMC_Animo_Runner::getHeight(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(animation->Height());
}

// An animation without a box is near anything.
CMC_Object* CMC_Animo_Runner::isNear(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer* scope, CXVector* args)
{
    CXRect other;
    int percent = 0;
    if (!nearArguments(scope, args, &other, &percent))
        return giveBool(false);
    return giveBool(overlapsEnough(animation->GetBoundingBox(), other, percent, true));
}

CMC_Object* CMC_Animo_Runner::isAt(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    const CXPoint p(integerParameter(args, 0), integerParameter(args, 1));
    return giveBool(animation->isAt(p, boolParameter(args, 2)));
}

CMC_Object* CMC_Animo_Runner::monitorCollision(CMC_Animo* animo, CAnimo6* animation, CMC_ObjectsContainer* scope,
                                               CXVector* args)
{
    if (auto* scene = dynamic_cast<CMC_Scene*>(scope != nullptr ? scope->getScene() : nullptr))
        scene->monitorCollisions(animation, boolParameter(args, 0), animo);
    animation->setMonitorCollisions(true);
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::removeMonitorCollision(CMC_Animo* animo, CAnimo6* animation, CMC_ObjectsContainer*,
                                                     CXVector*)
{
    animo->removeCollisionsMonitoring();
    animation->setMonitorCollisions(false);
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::setPriority(CMC_Animo* animo, CAnimo6* animation, CMC_ObjectsContainer* scope,
                                          CXVector* args)
{
    if (CRefreshScreen* screen = screenOf(callerWindow(scope, animo)))
        screen->SetPriority(animation, integerParameter(args, 0));
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::getPriority(CMC_Animo* animo, CAnimo6* animation, CMC_ObjectsContainer* scope, CXVector*)
{
    CRefreshScreen* screen = screenOf(callerWindow(scope, animo));
    return giveInteger(screen != nullptr ? screen->GetPriority(animation) : -1);
}

// Pixels are read at a screen point from the current image where it is drawn, unpacked.
CMC_Object* CMC_Animo_Runner::getAlpha(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    CFrame* image = animation->GetFrame(animation->Current());
    const CXPoint screen(integerParameter(args, 0), integerParameter(args, 1));
    return giveInteger(image != nullptr ? signedAlphaAt(*image, screen - animation->GetPosition()) : 0);
}

CMC_Object* CMC_Animo_Runner::getPixel(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    CFrame* image = animation->GetFrame(animation->Current());
    const CXPoint screen(integerParameter(args, 0), integerParameter(args, 1));
    return giveInteger(image != nullptr ? signedPixelAt(*image, screen - animation->GetPosition()) : 0);
}

// The current image is unpacked for good first, so that the stamp stays in it.
CMC_Object* CMC_Animo_Runner::mergeAlpha(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer* scope, CXVector* args)
{
    CGraphicsObject* mask = scope != nullptr ? scope->getGraphicsObject(parameterText(args, 2)) : nullptr;
    CFrame* image = animation->GetFrame(animation->Current());
    if (mask == nullptr || image == nullptr)
        return nullptr;
    image->unpack();
    animation->updateWithCurrentFrame();
    animation->mergeAlpha(CXPoint(integerParameter(args, 0), integerParameter(args, 1)), mask);
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::invalidate(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    animation->Invalidate();
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::getCurrFramePositionX(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(animation->getCurrFramePosition().x);
}

CMC_Object* CMC_Animo_Runner::getCurrFramePositionY(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(animation->getCurrFramePosition().y);
}

CMC_Object* CMC_Animo_Runner::getCenterX(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(animation->GetPosition().x + animation->Size().width / 2);
}

CMC_Object* CMC_Animo_Runner::getCenterY(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(animation->GetPosition().y + animation->Size().height / 2);
}

CMC_Object* CMC_Animo_Runner::getMaxWidth(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(animation->GetMaxWidth());
}

CMC_Object* CMC_Animo_Runner::getMaxHeight(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(animation->GetMaxHeight());
}

CMC_Object* CMC_Animo_Runner::isVisible(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveBool(animation->isVisible());
}

CMC_Object* CMC_Animo_Runner::setAsButton(CMC_Animo* animo, CAnimo6*, CMC_ObjectsContainer*, CXVector* args)
{
    animo->setAsButton(boolParameter(args, 0), boolParameter(args, 1));
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::setOpacity(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    animation->SetOpacity(static_cast<unsigned char>(integerParameter(args, 0) % 257 & 0xFF));
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::setVolume(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    animation->setVolume(CScriptSoundLevels::volumeToDevice(integerParameter(args, 0)));
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::setPanning(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    animation->setPanning(CScriptSoundLevels::panToDevice(integerParameter(args, 0)));
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::setFrequency(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    animation->setFrequency(integerParameter(args, 0));
    return nullptr;
}

// A named anchor is taken where the current image is drawn.
CMC_Object* CMC_Animo_Runner::setAnchor(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    if (argumentCount(args) == 1) {
        const CXPoint at = animation->GetPosition();
        animation->setAnchor(namedAnchor(parameterText(args, 0), at, animation->Size()));
    } else if (argumentCount(args) >= 2) {
        animation->setAnchor(CXPoint(integerParameter(args, 0), integerParameter(args, 1)));
    }
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::flipH(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    animation->FlipH();
    animation->Invalidate();
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::flipV(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    animation->FlipV();
    animation->Invalidate();
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::resetFlip(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    animation->resetFlips();
    animation->Invalidate();
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::drawOnto(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer* scope, CXVector* args)
{
    drawPictureOnto(animation, scope, args);
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::getOpacity(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(animation->GetOpacity());
}

CMC_Object* CMC_Animo_Runner::getAnchor(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer* scope, CXVector* args)
{
    appendPoint(scope, args, 0, animation->getAnchor());
    return nullptr;
}
