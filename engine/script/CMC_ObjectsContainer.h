#pragma once

#include "script/CMC_Object.h"

#include <vector>

class CGraphicsObject;
class CHashtable;
class CMC_Groupped;
class CMElements;
class CStringHashCode;
class ScriptWindow;

// A script object that owns named script objects: the application, each episode, each scene
// and each script class instance. A name is looked up in the container's own table, then as
// the plain name when it ends in "_0" (clone index 0 is the object itself), then in the parent
// containers; a scene whose parent is its episode thus sees the episode's and the
// application's objects.
//
// The container owns what it holds, except application, episode and scene objects, which
// their own owners delete.
class CMC_ObjectsContainer : public CMC_Object {
public:
    // Told when a container unloads or ends, so that whoever remembers it lets go of it.
    class Watcher {
    public:
        virtual void onContainerGone(CMC_ObjectsContainer* container) = 0;

    protected:
        ~Watcher() = default;
    };

    // While one lives, a container that unloads hands its objects to the deferred-delete bin
    // instead of deleting them: the code that made it unload may be one of them, still
    // running.
    class DeferredDeletion {
    public:
        DeferredDeletion() { ++deferring_; }
        ~DeferredDeletion() { --deferring_; }
        DeferredDeletion(const DeferredDeletion&) = delete;
        DeferredDeletion& operator=(const DeferredDeletion&) = delete;
    };

    CMC_ObjectsContainer(ScriptWindow* window, CMC_ObjectsContainer* owner, CMElement* element, int type);
    CMC_ObjectsContainer(ScriptWindow* window, CMC_ObjectsContainer* owner, const CXString& name, int type);
    // The objects are not deleted here: unload does that.
    ~CMC_ObjectsContainer() override;

    // Takes the object out of both collections by identity; never deletes it. False when the
    // container did not hold it.
    virtual bool removeObject(CMC_Object* object);
    // Enters the object under its name and appends it; an object that held the name before
    // leaves the container and goes to the window's deferred-delete bin, since a running
    // statement may still hold it. The object is not initialised.
    virtual void addObject(CMC_Object* object);
    // Fills the group with the objects of the named script type, in the order they were added.
    virtual void getObjects(const CXString& typeName, CMC_Groupped* group);
    // Drops, from every object held here, the bindings that the finished container made.
    virtual void onSubSceneDone(CMC_ObjectsContainer* finished);
    // Finishes every object (script classes first, then the types that finish first, then
    // the rest), raises the container's own "ONDONE" when bound, and deletes the objects all
    // but applications, episodes and scenes (later, while a DeferredDeletion lives); the
    // container is empty afterwards. Objects that the finishing took out of the container
    // are left to whoever took them.
    virtual void unload();
    // A plug-in module's object for a definition of a type that the engine lacks: asked of
    // the container's scene; none when that is the container itself.
    virtual CMC_Object* resolveEx(CMElement* element);
    // Deletes the object at the next frame boundary, through the window's deferred-delete bin
    // (at once without one), since a running statement may still hold it; applications,
    // episodes and scenes are never deleted here. The object must have left the container.
    void deleteLater(CMC_Object* object);
    // Whether the object is one of this container's own; the pointer is only compared, so
    // it may be one that was deleted meanwhile.
    bool holds(const CMC_Object* object) const;

    static void watch(Watcher* watcher);
    static void unwatch(Watcher* watcher);

    // Moves whenever what some container's names find may have changed: an object added,
    // removed or replaced, a container re-parented, unloaded or deleted. A look-up
    // remembered under one count holds as long as the count stays.
    static uint64_t getChangeCount() { return changes_; }
    static void noteChange() { ++changes_; }

    CMC_Object* getObject(const char* name);
    // The same for a name already hashed.
    CMC_Object* getObject(CStringHashCode* key);
    // The object at that position in order of adding; none outside the range.
    CMC_Object* getObject(int index);
    // The object of that name when it is a BOOL, DOUBLE, INTEGER or STRING.
    CMC_Variable* getVariable(const char* name);
    // The object of exactly that name in this container alone, or none.
    CMC_Object* getOwnObject(const CXString& name);
    // The position of the first object of exactly that name in this container alone, or -1.
    int getObjectId(const CXString& name);
    // A new vector, which the caller deletes, with every object of the type.
    CXVector* getObjectsOfType(int type);
    // The picture behind "NAME" or the part of it behind "NAME!PART"; none for an empty or
    // unknown name and for objects that show nothing.
    CGraphicsObject* getGraphicsObject(const CXString& reference);
    // The name of the first object, in the order they were added, that shows the picture
    // itself; script class instances are searched too and answer with their own name.
    // "UNKNOWN" when none does.
    CXString getGraphicsObjectName(CGraphicsObject* picture);
    int getElementsNo();
    int getObjectsNo();
    ScriptWindow* getWindow() const { return window_; }
    CMC_ObjectsContainer* getParent() const { return parent_; }
    // Leaves the former parent (and its parent) and enters the new parent and its parent as
    // objects of this container.
    void setParent(CMC_ObjectsContainer* parent);

    // Builds the objects of a definition file by TYPE in six passes, so that an object finds
    // the objects that it names whatever their order in the file. Returns a new list, which
    // the caller deletes, of the elements that built nothing.
    CMElements* resolveObjects(CMElements* elements);
    // Builds the object of one element without adding it; a new vector that the caller
    // deletes holds it (empty when nothing was built). With a group, the behaviours made
    // from the object's in-line code join the group.
    CXVector* resolve(CMElement* element, CMC_Groupped* group);

protected:
    // Only the link: the parent does not join the objects.
    void setParentLink(CMC_ObjectsContainer* parent) { parent_ = parent; }
    // Each behaviour held finds its condition by name, once every condition exists.
    void resolveConditions();
    // The element bound more signals of an input device or canvas observer of this container
    // or a parent, which it names by its type, instead of building one.
    virtual void onRebound(CMElement*) {}

private:
    void makeCollections();
    // What a pass of the factory does with one element: true when the element is used up.
    bool resolveInPass(CMElement* element, int pass);
    void addInlineBehavioursToGroup(CMC_Object* object, CMC_Groupped* group);
    void notifyGone();
    // The object that shows the picture, searching the containers not searched yet.
    CMC_Object* ownerOf(CGraphicsObject* picture, std::vector<CMC_ObjectsContainer*>& searched);

    static inline uint64_t changes_ = 1;
    static inline int deferring_ = 0;

    CStringHashCode* lookupKey_ = nullptr;
    CXVector* objects_ = nullptr;
    CHashtable* names_ = nullptr;
    CMC_ObjectsContainer* parent_ = nullptr;
    ScriptWindow* window_;
};
