#include "script_graphics/CMC_Sequence.h"

#include "foundation/CXArchive.h"
#include "graphics/CMultimediaSequenceCreator.h"
#include "graphics/CSequencedPlayable.h"
#include "graphics/GraphicsUnit.h"
#include "media/CSound4.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "script_graphics/ScriptGraphicsWindow.h"

CMC_Sequence::CMC_Sequence(CMC_ObjectsContainer* owner)
    : CMC_Object(CXString("temp"), kType)
    , window_(owner != nullptr ? ScriptGraphicsWindow::of(owner->getWindow()) : nullptr)
{
    setScene(owner);
}

CMC_Sequence::CMC_Sequence(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_Object(owner, element, kType)
    , window_(owner != nullptr ? ScriptGraphicsWindow::of(owner->getWindow()) : nullptr)
    , fileName_(element->getPropertyValue("FILENAME"))
{
    initializeBehaviours(owner, element);
}

CMC_Sequence::~CMC_Sequence()
{
    releaseSequence();
}

void CMC_Sequence::releaseSequence()
{
    delete sequence_;
    sequence_ = nullptr;
}

void CMC_Sequence::build()
{
    if (!fileName_.IsString())
        return;
    GraphicsUnit* unit = GraphicsUnit::getDefault();
    CPlayable* root = CMultimediaSequenceCreator::load(window_, fileName_,
                                                      unit != nullptr ? unit->getResourcesManager() : nullptr, this);
    sequence_ = dynamic_cast<CSequencedPlayable*>(root);
    if (sequence_ != nullptr || root == nullptr)
        return;
    // Only a sequence makes a tree; a sound belongs to the resources manager, and must not report
    // here once the object is gone.
    if (root->getType() == CSound4::kType)
        root->setGenericNotifier(nullptr);
    else
        delete root;
}

void CMC_Sequence::init()
{
    if (started_)
        return;
    started_ = true;
    build();
    CMC_Object::init();
}

CSequencedPlayable* CMC_Sequence::getSequence()
{
    if (!started_ && fileName_.IsString())
        init();
    return sequence_;
}

bool CMC_Sequence::done(bool final)
{
    if (final) {
        releaseSequence();
        started_ = false;
    }
    return CMC_Object::done(final);
}

const CMC_SignalList* CMC_Sequence::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONSTARTED", "ONFINISHED"};
    return &signals;
}

void CMC_Sequence::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring())
        *archive << fileName_;
    else
        *archive >> &fileName_;
}

void CMC_Sequence::raise(int signal, const CXString& name)
{
    if (isSignalBound(signal) && !isToDelete())
        onSignal(name);
}

bool CMC_Sequence::onPlayableStarted(CPlayable* playable)
{
    if (playable->isParent())
        raise(SIGNAL_ONSTARTED, CXString("ONSTARTED"));
    else
        raise(SIGNAL_ONSTARTED, "ONSTARTED^" + CXString(playable->getName()).Upper());
    return false;
}

bool CMC_Sequence::onPlayableFinished(CPlayable* playable)
{
    if (playable == sequence_)
        raise(SIGNAL_ONFINISHED, CXString("ONFINISHED"));
    else
        raise(SIGNAL_ONFINISHED, "ONFINISHED^" + CXString(playable->getName()).Upper());
    return false;
}
