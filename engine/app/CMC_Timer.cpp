#include "app/CMC_Timer.h"

#include "app/CWindow.h"
#include "foundation/CXArchive.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"

CMC_Timer::CMC_Timer(CMC_ObjectsContainer* container)
    : CMC_Object(CXString("temp"), TYPE)
    , window_(container != nullptr ? CWindow::of(container->getWindow()) : nullptr)
    , id_(CXTimer::allocateId())
{
    setScene(container);
}

CMC_Timer::CMC_Timer(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Object(container, element, TYPE)
    , window_(container != nullptr ? CWindow::of(container->getWindow()) : nullptr)
    , elapse_(element->getPropertyValue("ELAPSE"))
    , id_(CXTimer::allocateId())
{
    if (elapse_.IsString())
        registerEntry();
    limit_ = element->getPropertyIntValue("TICKS");
    const CXString enabled = element->getPropertyValue("ENABLED");
    if (enabled.IsString() && !enabled.equalsIgnoreCase(CXString("TRUE")))
        disable();
    initializeBehaviours(container, element);
}

CMC_Timer::~CMC_Timer()
{
    if (CXTimer* timers = timerList(); timers != nullptr && registered_)
        timers->remove(id_);
}

CXTimer* CMC_Timer::timerList() const
{
    return window_ != nullptr ? window_->GetTimerInterface() : nullptr;
}

void CMC_Timer::registerEntry()
{
    CXTimer* timers = timerList();
    if (timers == nullptr)
        return;
    const auto interval = static_cast<unsigned int>(elapse_.toNumber());
    if (registered_) {
        timers->setInterval(id_, interval);
        return;
    }
    timers->add(id_, interval, static_cast<CTimerNotificator*>(this));
    registered_ = true;
}

const CMC_SignalList* CMC_Timer::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONTICK"};
    return &signals;
}

namespace {

const CXString kEnabledNote("{ENABLED}");

} // namespace

std::vector<CMC_Object::RecordNote> CMC_Timer::getRecordNotes()
{
    return {{kEnabledNote, CXString(enabled_ ? "TRUE" : "FALSE"), CXString()}};
}

void CMC_Timer::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        *archive << elapse_ << limit_;
        return;
    }
    // Files written without the note know nothing of the definition's rules: their timers
    // start enabled and tick on every frame without an ELAPSE.
    CXString enabled;
    const bool noted = takeRecordNote(kEnabledNote, &enabled);
    *archive >> &elapse_ >> &limit_;
    if (archive->failed())
        return;
    if (!noted || elapse_.IsString())
        registerEntry();
    if (noted && enabled != "TRUE")
        disable();
}

void CMC_Timer::enable()
{
    if (enabled_)
        return;
    ticks_ = 0;
    enabled_ = true;
    pausedTheList_ = false;
    if (CXTimer* timers = timerList())
        timers->reset(id_);
}

void CMC_Timer::pause()
{
    enabled_ = false;
    if (CXTimer* timers = timerList()) {
        timers->pause();
        pausedTheList_ = true;
    }
}

void CMC_Timer::resume()
{
    if (enabled_)
        return;
    enabled_ = true;
    if (CXTimer* timers = timerList(); timers != nullptr && pausedTheList_)
        timers->resume();
    pausedTheList_ = false;
}

void CMC_Timer::reset()
{
    set(0);
}

void CMC_Timer::set(int ticks)
{
    if (CXTimer* timers = timerList())
        timers->reset(id_);
    ticks_ = ticks;
}

void CMC_Timer::setElapse(unsigned int ms)
{
    if (CXTimer* timers = timerList(); timers != nullptr && registered_)
        timers->setInterval(id_, ms);
}

// A timer that waits in the deferred-delete bin (removed, replaced or unloaded while code
// ran) is gone for scripts: it ticks no more.
void CMC_Timer::onTimer(int)
{
    if (!enabled_ || isToDelete())
        return;
    ++ticks_;
    if (limit_ > 0 && ticks_ == limit_)
        disable();
    if (!isSignalBound(SIGNAL_ONTICK))
        return;
    if (!onSignal("ONTICK^" + CXString::toString(ticks_)))
        onSignal(CXString("ONTICK"));
}
