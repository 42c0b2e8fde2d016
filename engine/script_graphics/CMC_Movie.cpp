#include "script_graphics/CMC_Movie.h"

#include "graphics/CMovie.h"
#include "graphics/CRefreshScreen.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "script_graphics/ScriptGraphicsWindow.h"

namespace {

ScriptGraphicsWindow* windowOf(CMC_ObjectsContainer* owner)
{
    return owner != nullptr ? ScriptGraphicsWindow::of(owner->getWindow()) : nullptr;
}

} // namespace

CMC_Movie::CMC_Movie(CMC_ObjectsContainer* owner)
    : CMC_Object(CXString(), kType)
    , player_(std::make_unique<CMovie>(windowOf(owner)))
{
    setScene(owner);
    player_->addNotifier(this);
}

CMC_Movie::CMC_Movie(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_Object(owner, element, kType)
{
    const CXString file = element->getPropertyValue("FILENAME");
    const int priority = element->getPropertyIntValue("PRIORITY");
    const CXPoint position = element->getPropertyPointValue("POSITION");
    ScriptGraphicsWindow* window = windowOf(owner);
    player_ = file.IsString() ? std::make_unique<CMovie>(window, file) : std::make_unique<CMovie>(window);
    CRefreshScreen* screen = window != nullptr ? window->GetRefreshScreenInterface() : nullptr;
    if (priority >= 0 && screen != nullptr)
        screen->put(player_.get(), priority);
    player_->addNotifier(this);
    player_->SetPosition(position.x, position.y);
    initializeBehaviours(owner, element);
}

CMC_Movie::~CMC_Movie()
{
    player_.reset();
}

const CMC_SignalList* CMC_Movie::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONSTARTED", "ONFINISHED", "ONFRAMEUPDATED"};
    return &signals;
}

void CMC_Movie::raise(int signal)
{
    if (isSignalBound(signal))
        onSignal(getBehavioursList()->at(signal));
}

bool CMC_Movie::onPlayableStarted(CPlayable*)
{
    raise(SIGNAL_ONSTARTED);
    return false;
}

bool CMC_Movie::onPlayableTick(CPlayable*)
{
    raise(SIGNAL_ONFRAMEUPDATED);
    return false;
}

bool CMC_Movie::onPlayableFinished(CPlayable*)
{
    raise(SIGNAL_ONFINISHED);
    return false;
}
