#pragma once

#include "foundation/CFileResolver.h"
#include "foundation/CXArray.h"
#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "foundation/CXVector.h"

class MediaWindow;

// A use-counted registry of file-backed resources by file name. A scene asks it for a
// resource before loading its own copy and gives the resource back when done; the last return
// deletes it. Managers chain: a scene's manager also finds the resources of the managers
// nested in it.
class CResourcesManager : public CXObject {
public:
    explicit CResourcesManager(MediaWindow* window);
    CResourcesManager(const CResourcesManager&) = delete;
    CResourcesManager& operator=(const CResourcesManager&) = delete;
    ~CResourcesManager() override;

    // The manager owns the resource from now on, listed under its file name with one use.
    // A null resource is ignored.
    void add(CFileResolver* resource);
    // The same, at `index` of the list; an index past either end puts it at that end.
    void insertAt(CFileResolver* resource, int index);
    // Nests another manager (not owned). A manager that would nest itself, directly or
    // through others, is refused.
    void add(CResourcesManager* manager);

    // The resource listed under `name` ignoring case, here first and then in the nested
    // managers in the order they were added; the manager that holds it counts one more use.
    CFileResolver* get(CXString name);
    // The same when the resource is a T; a resource of another kind gives its use back here
    // and the answer is none.
    template <typename T>
    T* getAs(const CXString& name)
    {
        CFileResolver* resource = get(name);
        auto* typed = dynamic_cast<T*>(resource);
        if (resource != nullptr && typed == nullptr)
            remove(resource);
        return typed;
    }
    // Gives back one use of a resource of this manager; at the last use the resource is hidden,
    // taken off the screen, deleted, and the answer is true.
    bool remove(CFileResolver* resource);
    // Whether this manager itself (not a nested one) lists the resource.
    bool contains(CFileResolver* resource);
    // Empties the nested managers and forgets them, then hides, takes off the screen and
    // deletes every resource of this manager whatever its use count.
    void flush();

private:
    struct Entry {
        CXString name;
        CFileResolver* resource;
        int32_t uses;
    };

    Entry* entryAt(int i) const { return static_cast<Entry*>(entries_.at(i)); }
    Entry* find(CFileResolver* resource) const;
    bool reaches(const CResourcesManager* manager) const;
    void retire(Entry* entry);

    CXArray entries_{ 101, 0.75f };
    CXVector nested_{ 101, 0.75f };
    MediaWindow* window_;
};
