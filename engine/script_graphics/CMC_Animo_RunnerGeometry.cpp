// The ANIMO methods that place, measure, test, colour, order and sound the animation.
#include "script_graphics/CMC_Animo_Runner.h"

#include "graphics/CAnimo6.h"
#include "graphics/CFrame.h"
#include "graphics/CRefreshScreen.h"
#include "media/CScriptSoundLevels.h"
#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/CMC_Animo.h"

CMC_Object* CMC_Animo_Runner::setPosition(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    animation->Invalidate();
    animation->setPosition(integerParameter(args, 0), integerParameter(args, 1));
    animation->Invalidate();
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

CMC_Object* CMC_Animo_Runner::isAt(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    const CXPoint p(integerParameter(args, 0), integerParameter(args, 1));
    return giveBool(animation->isAt(p, boolParameter(args, 2)));
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

CMC_Object* CMC_Animo_Runner::getAnchor(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer* scope, CXVector* args)
{
    appendPoint(scope, args, 0, animation->getAnchor());
    return nullptr;
}
