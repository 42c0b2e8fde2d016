#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class CGraphicsObject;
class CMC_Object;
class CPlayable;

// One tie between a world body and the engine: the picture that follows the body and the
// script object that hears of it. Either may be missing.
struct CWorldLink {
    static constexpr int32_t FOLLOW = 1; // the picture follows the body
    static constexpr int32_t REPORT = 2; // the target hears the body's signals

    CGraphicsObject* graphics = nullptr;
    uint32_t id = 0;
    int32_t flags = 0;
    CMC_Object* target = nullptr;
    float lastSpeed = 0;
    bool paused = false;
    // Set once per link and never reused, so a walk that lets handlers run finds the links
    // it started from again, or learns that they are gone.
    uint64_t serial = 0;
    // Whose going takes the picture with it: the object it was found through, and the
    // playable it is (or is a part of).
    CMC_Object* graphicsOwner = nullptr;
    CPlayable* picture = nullptr;
};

// The links of a WORLD object in the order they were made. An id may be linked more than
// once; the operations by id act on its first link.
class CWorldLinks {
public:
    // Appends a link; its serial is set here.
    CWorldLink* add(CWorldLink link);
    // Takes the first link of the id out; false when there is none.
    bool remove(uint32_t id);
    CWorldLink* first(uint32_t id);
    CWorldLink* bySerial(uint64_t serial);
    CWorldLink* at(size_t index) const { return links_[index].get(); }
    std::vector<uint64_t> serials() const;
    bool empty() const { return links_.empty(); }
    size_t size() const { return links_.size(); }
    // Moves whenever a link is added or removed: while it stays, every link stays where it
    // was in the list.
    uint64_t version() const { return version_; }

    // The links let go of an object or a playable that is destroyed.
    void forget(const CMC_Object* object);
    void forget(const CPlayable* playable);

private:
    std::vector<std::unique_ptr<CWorldLink>> links_;
    uint64_t nextSerial_ = 1;
    uint64_t version_ = 0;
};
