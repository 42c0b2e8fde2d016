#pragma once

#include "foundation/CSortedVector.h"
#include "graphics/CGraphicsObject.h"

// One entry of the draw list: a graphics object (not owned) and its priority.
class CValidationElement : public CXObject {
public:
    CValidationElement(CGraphicsObject* object, int priority);

    // 1 when the other entry's priority is lower than this one's, so that the sorted draw list
    // runs in ascending priority and equal priorities keep their order of insertion.
    int compare(CXObject* other) override;

    CGraphicsObject* getObject() const { return object_; }
    int getPriority() const { return priority_; }
    // Marks of the entry's owner (an animation kept on top sets 1); the composer gives them no
    // meaning.
    int getFlags() const { return flags_; }
    void setFlags(int flags) { flags_ = flags; }

private:
    CGraphicsObject* object_;
    int32_t priority_;
    int32_t flags_ = 0;
};

// The draw list: entries in ascending priority, lower drawn first. It owns its entries.
class CValidationQuene : public CSortedVector {
public:
    CValidationQuene();
    CValidationQuene(const CValidationQuene&) = delete;
    CValidationQuene& operator=(const CValidationQuene&) = delete;
    ~CValidationQuene() override;

    using CSortedVector::add;
    void add(CGraphicsObject* object, int priority, int flags);
    CValidationElement* find(CGraphicsObject* object) const;
    int getIndex(CGraphicsObject* object) const;
    // Removes and deletes the first entry of the object.
    void remove(CGraphicsObject* object);
    void removeAll();

private:
    CValidationElement* entry(int i) const { return static_cast<CValidationElement*>(at(i)); }
};

// The screen composer: one per engine window, it keeps every graphics object that is on screen
// in its draw list.
class CRefreshScreen : public CGraphicsObject {
public:
    explicit CRefreshScreen(CWindow* window);
    CRefreshScreen(const CRefreshScreen&) = delete;
    CRefreshScreen& operator=(const CRefreshScreen&) = delete;
    ~CRefreshScreen() override;

    // Lists the object at the priority; a null or already listed object is ignored.
    void put(CGraphicsObject* object, int priority);
    // put at priority 0.
    CRefreshScreen& operator<<(CGraphicsObject* object);
    // Takes the object off the draw list; the object itself stays. A null object is ignored.
    CRefreshScreen& operator>>(CGraphicsObject* object);
    int GetPriority(CGraphicsObject* object);
    int getIndex(CGraphicsObject* object);
    // The flags of a listed object's entry; false (0) for an object not listed.
    using CGraphicsObject::SetFlags;
    using CGraphicsObject::GetFlags;
    bool SetFlags(CGraphicsObject* object, int flags);
    int GetFlags(CGraphicsObject* object);

private:
    CValidationQuene* queue_;
};
