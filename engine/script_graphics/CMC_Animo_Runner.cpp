// The ANIMO runner's table, and the methods that play the animation and walk its events and
// frames.
#include "script_graphics/CMC_Animo_Runner.h"

#include "graphics/CAnimo6.h"
#include "graphics/GraphicsUnit.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/CMC_Animo.h"

#include <array>

namespace {

using R = CMC_Animo_Runner;

} // namespace

// Id 14 has no name.
const std::array<CMC_Animo_Runner::Method, CMC_Animo_Runner::MTH_GETANCHOR> CMC_Animo_Runner::methods_ = {{
    {"SHOW", R::MTH_SHOW, &R::show, R::Result::None, 0, false},
    {"HIDE", R::MTH_HIDE, &R::hide, R::Result::None, 0, false},
    {"PAUSE", R::MTH_PAUSE, &R::pause, R::Result::None, 0, false},
    {"RESUME", R::MTH_RESUME, &R::resume, R::Result::None, 0, false},
    {"SETPOSITION", R::MTH_SETPOSITION, &R::setPosition, R::Result::None, 2, false},
    {"MOVE", R::MTH_MOVE, &R::move, R::Result::None, 2, false},
    {"LOAD", R::MTH_LOAD, &R::load, R::Result::None, 1, true},
    {"CLEARCLIPPING", R::MTH_CLEARCLIPPING, &R::clearClipping, R::Result::None, 0, false},
    {"SETCLIPPING", R::MTH_SETCLIPPING, &R::setClipping, R::Result::None, 1, false},
    {"PLAY", R::MTH_PLAY, &R::play, R::Result::None, 0, false},
    {"SETFRAME", R::MTH_SETFRAME, &R::setFrame, R::Result::None, 0, false},
    {"STOP", R::MTH_STOP, &R::stop, R::Result::None, 0, false},
    {"ISPLAYING", R::MTH_ISPLAYING, &R::isPlaying, R::Result::Bool, 0, false},
    {nullptr, R::MTH_ISPAUSED, &R::isPaused, R::Result::Bool, 0, false},
    {"GETPOSITIONX", R::MTH_GETPOSITIONX, &R::getPositionX, R::Result::Integer, 0, false},
    {"GETPOSITIONY", R::MTH_GETPOSITIONY, &R::getPositionY, R::Result::Integer, 0, false},
    {"GETWIDTH", R::MTH_GETWIDTH, &R::getWidth, R::Result::Integer, 0, false},
    {"GETHEIGHT", R::MTH_GETHEIGHT, &R::getHeight, R::Result::Integer, 0, false},
    {"GETFRAME", R::MTH_GETFRAME, &R::getFrame, R::Result::Integer, 0, false},
    {"GETFRAMENAME", R::MTH_GETFRAMENAME, &R::getFrameName, R::Result::String, 0, false},
    {"GETFRAMENO", R::MTH_GETFRAMENO, &R::getFrameNo, R::Result::Integer, 0, false},
    {"GETEVENTNAME", R::MTH_GETEVENTNAME, &R::getEventName, R::Result::String, 0, false},
    {"ISNEAR", R::MTH_ISNEAR, &R::isNear, R::Result::Bool, 2, false},
    {"ISINSIDE", R::MTH_ISINSIDE, &R::isAt, R::Result::Bool, 3, false},
    {"PLAYRAND", R::MTH_PLAYRAND, &R::playRand, R::Result::None, 3, false},
    {"MONITORCOLLISION", R::MTH_MONITORCOLLISION, &R::monitorCollision, R::Result::None, 1, false},
    {"REMOVEMONITORCOLLISION", R::MTH_REMOVEMONITORCOLLISION, &R::removeMonitorCollision, R::Result::None, 0, false},
    {"SETFORWARD", R::MTH_SETFORWARD, &R::setForward, R::Result::None, 0, false},
    {"SETBACKWARD", R::MTH_SETBACKWARD, &R::setBackward, R::Result::None, 0, false},
    {"NEXTFRAME", R::MTH_NEXTFRAME, &R::nextFrame, R::Result::None, 0, false},
    {"PREVFRAME", R::MTH_PREVFRAME, &R::prevFrame, R::Result::None, 0, false},
    {"SETPRIORITY", R::MTH_SETPRIORITY, &R::setPriority, R::Result::None, 1, false},
    {"GETALPHA", R::MTH_GETALPHA, &R::getAlpha, R::Result::Integer, 2, false},
    {"GETPIXEL", R::MTH_GETPIXEL, &R::getPixel, R::Result::Integer, 2, false},
    {"SETFPS", R::MTH_SETFPS, &R::setFPS, R::Result::None, 1, false},
    {"MERGEALPHA", R::MTH_MERGEALPHA, &R::mergeAlpha, R::Result::None, 3, false},
    {"INVALIDATE", R::MTH_INVALIDATE, &R::invalidate, R::Result::None, 0, false},
    {"GETCURRFRAMEPOSX", R::MTH_GETCURRFRAMEPOSX, &R::getCurrFramePositionX, R::Result::Integer, 0, false},
    {"GETCURRFRAMEPOSY", R::MTH_GETCURRFRAMEPOSY, &R::getCurrFramePositionY, R::Result::Integer, 0, false},
    {"GETCENTERX", R::MTH_GETCENTERX, &R::getCenterX, R::Result::Integer, 0, false},
    {"GETCENTERY", R::MTH_GETCENTERY, &R::getCenterY, R::Result::Integer, 0, false},
    {"GETNOE", R::MTH_GETNOE, &R::getNOE, R::Result::Integer, 0, false},
    {"GETNOF", R::MTH_GETNOF, &R::getNOF, R::Result::Integer, 0, false},
    {"GETNOFINEVENT", R::MTH_GETNOFINEVENT, &R::getNOFInEvent, R::Result::Integer, 0, false},
    {"GETMAXWIDTH", R::MTH_GETMAXWIDTH, &R::getMaxWidth, R::Result::Integer, 0, false},
    {"GETMAXHEIGHT", R::MTH_GETMAXHEIGHT, &R::getMaxHeight, R::Result::Integer, 0, false},
    {"ISVISIBLE", R::MTH_ISVISIBLE, &R::isVisible, R::Result::Bool, 0, false},
    {"GETCFRAMEINEVENT", R::MTH_GETCFRAMEINEVENT, &R::getCFrameInEvent, R::Result::Integer, 0, false},
    {"SETASBUTTON", R::MTH_SETASBUTTON, &R::setAsButton, R::Result::None, 2, true},
    {"SETONFF", R::MTH_SETONFF, &R::setOnFirstFrame, R::Result::None, 0, true},
    {"SETOPACITY", R::MTH_SETOPACITY, &R::setOpacity, R::Result::None, 1, false},
    {"SETVOLUME", R::MTH_SETVOLUME, &R::setVolume, R::Result::None, 1, false},
    {"SETPAN", R::MTH_SETPAN, &R::setPanning, R::Result::None, 1, false},
    {"SETFREQ", R::MTH_SETFREQ, &R::setFrequency, R::Result::None, 1, false},
    {"SETANCHOR", R::MTH_SETANCHOR, &R::setAnchor, R::Result::None, 1, false},
    {"SETFRAMENAME", R::MTH_SETFRAMENAME, &R::setFrameName, R::Result::None, 3, false},
    {"GETPRIORITY", R::MTH_GETPRIORITY, &R::getPriority, R::Result::Integer, 0, false},
    {"FLIPH", R::MTH_FLIPH, &R::flipH, R::Result::None, 0, false},
    {"FLIPV", R::MTH_FLIPV, &R::flipV, R::Result::None, 0, false},
    {"RESETFLIPS", R::MTH_RESETFLIPS, &R::resetFlip, R::Result::None, 0, false},
    {"DRAWONTO", R::MTH_DRAWONTO, &R::drawOnto, R::Result::None, 1, false},
    {"PLAYREVERSE", R::MTH_PLAYREVERSE, &R::playReverse, R::Result::None, 1, false},
    {"NPLAY", R::MTH_NPLAY, &R::nPlay, R::Result::None, 1, false},
    {"ISAT", R::MTH_ISAT, &R::isAt, R::Result::Bool, 3, false},
    {"GETOPACITY", R::MTH_GETOPACITY, &R::getOpacity, R::Result::Integer, 0, false},
    {"GETANCHOR", R::MTH_GETANCHOR, &R::getAnchor, R::Result::None, 1, false},
}};

const CMC_Animo_Runner::Method* CMC_Animo_Runner::method(int id)
{
    return id >= 1 && id <= MTH_GETANCHOR ? &methods_[static_cast<size_t>(id - 1)] : nullptr;
}

void CMC_Animo_Runner::prepareMthHashSet()
{
    registerMethods(methods_.data(), methods_.size());
}

CMC_Variable* CMC_Animo_Runner::integerArgument(CXVector* args, int i)
{
    CMC_Variable* value = getParameter(args, i);
    return value != nullptr && value->getType() == CMC_Object::TYPE_INTEGER ? value : nullptr;
}

int CMC_Animo_Runner::eventA(CAnimo6* animation, CXVector* args, int i)
{
    if (CMC_Variable* number = integerArgument(args, i))
        return static_cast<CMC_Integer*>(number)->getValue();
    return animation->GetEventNo(parameterText(args, i));
}

int CMC_Animo_Runner::eventB(CAnimo6* animation, CXVector* args, int i)
{
    if (CMC_Variable* number = integerArgument(args, i))
        return static_cast<CMC_Integer*>(number)->getValue();
    return animation->getFrameNo(parameterText(args, i));
}

CMC_Object* CMC_Animo_Runner::show(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    animation->show();
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::hide(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    animation->hide();
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::pause(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    animation->pause();
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::resume(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    animation->resume();
    return nullptr;
}

// Only a play by name makes the object hear the animation's start, frames and end.
CMC_Object* CMC_Animo_Runner::play(CMC_Animo* animo, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    if (argumentCount(args) == 0) {
        animation->play();
        return nullptr;
    }
    const CXString event = parameterText(args, 0);
    animation->addNotifier(animo);
    animation->Play(event, 0, CAnimo::kDefaultFps);
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::setFrame(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    const int count = argumentCount(args);
    if (count != 2) {
        animation->SetFrame(count == 0 ? 0 : integerParameter(args, 0));
        return nullptr;
    }
    const int event = eventB(animation, args, 0);
    if (CMC_Variable* position = integerArgument(args, 1))
        animation->SetEventFrame(event, static_cast<CMC_Integer*>(position)->getValue());
    else
        animation->SetEventFrame(event, parameterText(args, 1));
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::stop(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    animation->stop(boolParameter(args, 0, true));
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::isPlaying(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    const bool playing = animation->isPlaying();
    if (!playing || argumentCount(args) == 0)
        return giveBool(playing);
    return giveBool(animation->getCurrentEventName().equalsIgnoreCase(parameterText(args, 0)));
}

CMC_Object* CMC_Animo_Runner::isPaused(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveBool(animation->isPaused());
}

CMC_Object* CMC_Animo_Runner::getFrame(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(animation->Current());
}

CMC_Object* CMC_Animo_Runner::getFrameName(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    switch (argumentCount(args)) {
    case 0:
        return giveString(animation->getFrameName(-1, -1));
    case 1:
        return giveString(CXString());
    default:
        return giveString(animation->getFrameName(eventA(animation, args, 0), integerParameter(args, 1)));
    }
}

CMC_Object* CMC_Animo_Runner::getFrameNo(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    switch (argumentCount(args)) {
    case 0:
        return giveInteger(animation->Current());
    case 1:
        return giveInteger(0);
    default:
        break;
    }
    const int event = eventA(animation, args, 0);
    if (CMC_Variable* position = integerArgument(args, 1))
        return giveInteger(animation->GetFrameNo(event, static_cast<CMC_Integer*>(position)->getValue()));
    return giveInteger(animation->GetFrameNo(event, parameterText(args, 1)));
}

CMC_Object* CMC_Animo_Runner::getEventName(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    const int event = argumentCount(args) == 1 ? integerParameter(args, 0) : -1;
    return giveString(animation->GetEventName(event));
}

CMC_Object* CMC_Animo_Runner::playRand(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    if (GraphicsUnit* unit = GraphicsUnit::getDefault())
        unit->addRandomPlayable(animation, integerParameter(args, 1), integerParameter(args, 2), parameterText(args, 0));
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::setForward(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    animation->SetDirection(DIRECTION_FORWARD);
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::setBackward(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    animation->SetDirection(DIRECTION_BACKWARD);
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::nextFrame(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    animation->Next();
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::prevFrame(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    animation->Prev();
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::setFPS(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    animation->SetFPS(integerParameter(args, 0));
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::getNOE(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(animation->GetNOE());
}

CMC_Object* CMC_Animo_Runner::getNOF(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(animation->GetNOF());
}

CMC_Object* CMC_Animo_Runner::getNOFInEvent(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    if (argumentCount(args) == 0)
        return giveInteger(0);
    if (CMC_Variable* event = integerArgument(args, 0))
        return giveInteger(animation->GetNOFInEvent(static_cast<CMC_Integer*>(event)->getValue()));
    return giveInteger(animation->GetNOFInEvent(parameterText(args, 0)));
}

CMC_Object* CMC_Animo_Runner::getCFrameInEvent(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(animation->GetCurrentFrameInSequence());
}

CMC_Object* CMC_Animo_Runner::setOnFirstFrame(CMC_Animo* animo, CAnimo6*, CMC_ObjectsContainer*, CXVector* args)
{
    animo->setOnFirstFrame(boolParameter(args, 0, true));
    return nullptr;
}

// Frame names belong to the frame records; a position without one keeps none.
CMC_Object* CMC_Animo_Runner::setFrameName(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    if (_anmFrameInfo3* record = animation->GetFrameInfo(eventB(animation, args, 0), integerParameter(args, 1)))
        record->name = parameterText(args, 2);
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::playReverse(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    CMC_Variable* event = getParameter(args, 0);
    if (event == nullptr || (event->getType() != CMC_Object::TYPE_INTEGER && event->getType() != CMC_Object::TYPE_STRING))
        return nullptr;
    const CXString name = event->getType() == CMC_Object::TYPE_INTEGER
                              ? animation->GetEventName(static_cast<CMC_Integer*>(event)->getValue())
                              : parameterText(args, 0);
    animation->playReverse(name, argumentCount(args) >= 2 ? integerParameter(args, 1) : -1);
    return nullptr;
}

CMC_Object* CMC_Animo_Runner::nPlay(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args)
{
    const int event = animation->GetEventNo(integerParameter(args, 0));
    if (event >= 0 && event < animation->GetNOE())
        animation->Play(animation->GetEventName(event), argumentCount(args) >= 2 ? integerParameter(args, 1) : -1, 0);
    return nullptr;
}
