#pragma once

#include "foundation/CXString.h"
#include "media/CPlayable.h"
#include "media/CPlayableObserver.h"
#include "script/CMC_Object.h"

class CResourcesManager;
class CSound4;
class MediaWindow;

// The SOUND script object: a sound effect played from scripts, whose start, end and resumption
// it turns into "ONSTARTED", "ONFINISHED" and "ONRESUMED".
//
// In a scene every SOUND that names a file (in any letter case) shares one sound through the
// default unit's resources manager, so a file is decoded once per scene, and every sharer
// hears the signals of the sound, whichever of them played it. Each sharer counts one use of
// the sound and gives it back when the scene lets it go, or when the object goes; the sound
// goes with the last use. Elsewhere (an episode, the application) the object has a sound of
// its own. A sound destroyed by others is forgotten.
//
// The record of compiled scenes: after the object's own, the sound's file name as the sound
// holds it (in the sound-effects folder), PRELOAD and FLUSHAFTERPLAYED.
class CMC_Sound : public CMC_Object, public CPlayableObserver, private CPlayable::Watcher {
public:
    static constexpr int kType = 2005;
    static constexpr int SIGNAL_ONSTARTED = 3;
    static constexpr int SIGNAL_ONFINISHED = 4;
    static constexpr int SIGNAL_ONRESUMED = 5;

    // An object named "temp" without a sound, owned by the container: what a compiled scene's
    // record (serialize) or the CREATE statement (LOAD) fills.
    explicit CMC_Sound(CMC_ObjectsContainer* owner);
    // From a definition: FILENAME (in the sound-effects folder), PRELOAD, FLUSHAFTERPLAYED,
    // then the signals. Without a FILENAME the object has a sound of its own, without a file.
    CMC_Sound(CMC_ObjectsContainer* owner, CMElement* element);
    // Gives the sound back, or deletes it when it is the object's own.
    ~CMC_Sound() override;

    // A copy that plays the same sound: in a scene it counts one more use of the shared
    // sound, elsewhere it has its own sound of the same file.
    CXObject* clone() override;
    // A shared sound is given back; then the object's "ONDONE".
    bool done(bool final) override;
    const CMC_SignalList* getBehavioursList() override;
    // Reading takes the file name as it was stored: a name that is absolute already does not
    // get the sound-effects folder again.
    void serialize(CXArchive* archive) override;

    bool onPlayableStarted(CPlayable* playable) override;
    bool onPlayableFinished(CPlayable* playable) override;
    bool onPlayableResumed(CPlayable* playable) override;

    // The sound it plays; none while it has none.
    CSound4* getSound() const { return sound_; }
    // The file, named as it is (not in the sound-effects folder), in place of the sound's; an
    // object without a sound gets one of its own. Whether the sound loaded.
    bool load(const CXString& fileName);

private:
    MediaWindow* window();
    // The default unit's resources manager when the owner is a scene; none otherwise.
    CResourcesManager* sceneResources();
    // Takes the sound of the full name: the scene's shared one, made and shared when the scene
    // has none yet; an empty name, or an owner that is no scene, gives a sound of its own.
    void initSound(const CXString& fullName);
    void releaseSound();
    // The signal, when a behaviour is bound to it and the object is not on its way out.
    void raise(int signal, const char* name);
    void onPlayableGone(CPlayable* playable) override;

    CSound4* sound_ = nullptr;
    // The manager the sound's use was taken from; none for a sound of the object's own.
    CResourcesManager* holder_ = nullptr;
    bool preload_ = false;
    bool flushAfterPlayed_ = false;
};
