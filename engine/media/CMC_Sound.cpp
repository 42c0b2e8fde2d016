#include "media/CMC_Sound.h"

#include "foundation/CXArchive.h"
#include "media/CResourcesManager.h"
#include "media/CSound4.h"
#include "media/MediaUnit.h"
#include "media/MediaWindow.h"
#include "platform/PathResolver.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"

#include <string_view>
#include <utility>

namespace {

// The name in the sound-effects folder, as the application gives its sound files.
CXString wavPath(MediaWindow* window, const CXString& name)
{
    return window != nullptr ? window->GetSoundFXFullPath(name) : name;
}

} // namespace

CMC_Sound::CMC_Sound(CMC_ObjectsContainer* owner)
    : CMC_Object(CXString("temp"), kType)
{
    setScene(owner);
    CPlayable::watch(this);
}

CMC_Sound::CMC_Sound(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_Object(owner, element, kType)
{
    CPlayable::watch(this);
    const CXString name = element->getPropertyValue("FILENAME");
    preload_ = element->getPropertyBoolValue("PRELOAD");
    flushAfterPlayed_ = element->getPropertyBoolValue("FLUSHAFTERPLAYED");
    initSound(name.IsString() ? wavPath(window(), name) : name);
    initializeBehaviours(owner, element);
}

CMC_Sound::~CMC_Sound()
{
    releaseSound();
    CPlayable::unwatch(this);
}

MediaWindow* CMC_Sound::window()
{
    CMC_ObjectsContainer* owner = getScene();
    return owner != nullptr ? MediaWindow::of(owner->getWindow()) : nullptr;
}

CResourcesManager* CMC_Sound::sceneResources()
{
    CMC_ObjectsContainer* owner = getScene();
    MediaUnit* unit = owner != nullptr && owner->getType() == TYPE_SCENE ? MediaUnit::getDefault() : nullptr;
    return unit != nullptr ? unit->getResourcesManager() : nullptr;
}

void CMC_Sound::initSound(const CXString& fullName)
{
    releaseSound();
    CResourcesManager* manager = fullName.IsString() ? sceneResources() : nullptr;
    CSound4* shared = manager != nullptr ? manager->getAs<CSound4>(fullName) : nullptr;
    if (shared != nullptr) {
        sound_ = shared;
    } else {
        // The first object of a scene to name the file decides PRELOAD and FLUSHAFTERPLAYED
        // for every sharer.
        sound_ = new CSound4(window(), fullName, flushAfterPlayed_, preload_);
        if (manager != nullptr)
            manager->add(sound_);
    }
    holder_ = manager;
    sound_->addNotifier(this);
}

void CMC_Sound::releaseSound()
{
    CSound4* sound = std::exchange(sound_, nullptr);
    CResourcesManager* holder = std::exchange(holder_, nullptr);
    if (sound == nullptr)
        return;
    sound->removeNotifier(this);
    if (holder != nullptr)
        holder->remove(sound);
    else
        delete sound;
}

void CMC_Sound::onPlayableGone(CPlayable* playable)
{
    if (playable != nullptr && playable == sound_) {
        sound_ = nullptr;
        holder_ = nullptr;
    }
}

bool CMC_Sound::load(const CXString& fileName)
{
    if (sound_ == nullptr)
        initSound(CXString());
    return sound_->Load(fileName);
}

CXObject* CMC_Sound::clone()
{
    auto* copy = new CMC_Sound(getScene());
    copy->preload_ = preload_;
    copy->flushAfterPlayed_ = flushAfterPlayed_;
    if (sound_ != nullptr)
        copy->initSound(sound_->getFileName());
    return copy;
}

bool CMC_Sound::done(bool final)
{
    if (holder_ != nullptr)
        releaseSound();
    return CMC_Object::done(final);
}

const CMC_SignalList* CMC_Sound::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONSTARTED", "ONFINISHED", "ONRESUMED"};
    return &signals;
}

void CMC_Sound::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        *archive << (sound_ != nullptr ? sound_->getFileName() : CXString()) << preload_ << flushAfterPlayed_;
        return;
    }
    CXString name;
    *archive >> &name >> &preload_ >> &flushAfterPlayed_;
    if (archive->failed())
        return;
    const bool resolved = !name.IsString() || platform::isAbsoluteName(std::string_view(name.c_str(), name.GetLength()));
    initSound(resolved ? name : wavPath(window(), name));
}

void CMC_Sound::raise(int signal, const char* name)
{
    if (isSignalBound(signal) && !isToDelete())
        onSignal(CXString(name));
}

bool CMC_Sound::onPlayableStarted(CPlayable*)
{
    raise(SIGNAL_ONSTARTED, "ONSTARTED");
    return false;
}

bool CMC_Sound::onPlayableFinished(CPlayable*)
{
    raise(SIGNAL_ONFINISHED, "ONFINISHED");
    return false;
}

bool CMC_Sound::onPlayableResumed(CPlayable*)
{
    raise(SIGNAL_ONRESUMED, "ONRESUMED");
    return false;
}
