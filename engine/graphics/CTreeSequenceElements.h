#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <memory>
#include <vector>

class CPlayable;
class CPlayableObserver;
class CResourcesManager;
class CSpeakingAnimation;
class GraphicsWindow;

// One named entry of a sequence definition: a playable to make and configure.
struct _tse_entry {
    // Kinds of entry.
    static constexpr int NONE = 0;
    static constexpr int SIMPLE = 1;
    static constexpr int SEQUENCE = 2;
    static constexpr int SPEAKING = 3;

    CXString name;
    int32_t type = NONE;
    CXString fileName;
    // An animation event's name or number.
    CXString event;
    CPlayable* playable = nullptr;
};

// The work table of one sequence definition: named entries, each standing for one playable (an
// animation event, a sound, a sequence or a speaking animation) that is made as soon as the
// entry's kind is known and then configured and linked under parent sequences. Every operation
// that names an entry does nothing when no entry has that name, and so does one that needs the
// entry's playable before it exists. Names compare exactly. The table owns its entries, not
// their playables.
class CTreeSequenceElements : public CXObject {
public:
    // Animations and sounds are shared through the manager, when there is one.
    CTreeSequenceElements(GraphicsWindow* window, CResourcesManager* resources);
    ~CTreeSequenceElements() override;
    CTreeSequenceElements(const CTreeSequenceElements&) = delete;
    CTreeSequenceElements& operator=(const CTreeSequenceElements&) = delete;

    // The first entry of that name; none when there is none.
    _tse_entry* find(const CXString& name) const;
    bool contains(const CXString& name) const { return find(name) != nullptr; }
    // Appends a fresh entry, also under a name that is taken.
    void add(const CXString& name);

    // "SIMPLE", "SEQUENCE" or "SPEAKING"; any other text leaves the kind as it was.
    void setType(const CXString& name, const CXString& type);
    // Read when the entry's playable is made.
    void setFileName(const CXString& name, const CXString& fileName);
    void setEvent(const CXString& name, const CXString& event);
    // Only for animation events, sounds and speaking animations.
    void show(const CXString& name);
    void hide(const CXString& name);
    // "SEQUENCE", "RANDOM" or "PARAMETER"; other texts change nothing.
    void setMode(const CXString& name, const CXString& mode);
    void setWaitMode(const CXString& name, bool wait);
    // A named event whose value is a path of child selectors.
    void addSequenceEvent(const CXString& name, const CXString& event, const CXString& value);
    // Only for speaking animations.
    void setStarting(const CXString& name, bool starting);
    void setEnding(const CXString& name, bool ending);
    void setPrefix(const CXString& name, const CXString& prefix);
    void setAnimoFN(const CXString& name, const CXString& fileName);
    // The speaking animation's sound: another entry's playable, the running scene's SOUND object
    // of that name, or the sound file.
    void setWAVFN(const CXString& name, const CXString& value);
    // Hangs the child's playable under the parent's sequence, counting the parent on the child.
    // A parent that is no sequence takes no child, and a link that would put an entry under
    // itself is ignored.
    void add(const CXString& child, const CXString& parent);

    // Makes the entry's playable by its kind; the observer becomes the playable's generic
    // observer.
    void create(_tse_entry* entry, CPlayableObserver* observer);

    // Deletes the playables made here that ended up with no parent, but for the root and the
    // sounds: nothing else would ever delete them.
    void dropUnlinked(CPlayable* root);

private:
    void createSimple(_tse_entry* entry);
    // The entry's playable when the entry is a speaking animation.
    CSpeakingAnimation* speaking(const CXString& name) const;

    GraphicsWindow* window_;
    CResourcesManager* resources_;
    std::vector<std::unique_ptr<_tse_entry>> entries_;
    // Every playable made, also those that a later TYPE of their entry replaced.
    std::vector<CPlayable*> made_;
};
