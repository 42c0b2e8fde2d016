#pragma once

#include "script/CMC_ObjectsContainer.h"

class ScriptWindow;

// The CNVLOADER script object, which the application makes: scripts add the objects of a
// further definition file to a container and remove them again. LOAD builds the file's
// objects in the calling container and lists them in a GROUP named exactly like the file;
// RELEASE finishes and removes what such a group lists, and the group.
//
// The loader works in the container of the last LOAD (the one it was made with before). It
// forgets a container that unloads or ends; RELEASE then works in the calling container.
// Released objects are deleted at the next frame boundary: a behaviour of theirs may be the
// one that is running.
class CMC_CNVLoader : public CMC_Object, private CMC_ObjectsContainer::Watcher {
public:
    // Named "CNVLOADER"; the window opens the definition files.
    CMC_CNVLoader(ScriptWindow* window, CMC_ObjectsContainer* container);
    ~CMC_CNVLoader() override;

    const CMC_SignalList* getBehavioursList() override;

    // Builds the file's objects in the loader's container, each initialised (raising its
    // "ONINIT") in file order before it is added, then adds the group. Nothing happens when
    // the file cannot be read or has no element, or when the container finds an object of
    // the file's name already.
    virtual void load(const CXString& fileName);
    // Finishes and removes the group's behaviours, then each other member's clones before
    // the member, then the group. Only a group that LOAD made counts.
    virtual void release(const CXString& groupName);

private:
    void onContainerGone(CMC_ObjectsContainer* container) override;
    // Takes the object out of the container and finishes it; false when the container did
    // not hold it.
    static bool finish(CMC_ObjectsContainer* container, CMC_Object* object);

    ScriptWindow* window_;
};
