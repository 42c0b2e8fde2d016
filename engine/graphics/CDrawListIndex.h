#pragma once

#include "foundation/CXRect.h"
#include "foundation/CXSize.h"

#include <compare>
#include <cstdint>
#include <functional>
#include <queue>
#include <unordered_map>
#include <vector>

class CGraphicsObject;
class CRefreshRegion;
class CValidationElement;

// Where the entries of a screen's draw list lie, so that a drawing pass over a small changed
// area visits the few entries it may show, not the whole list. An entry is filed by its object's
// own position and size, which bound all that the object draws; an object whose drawing they do
// not bound, or that tells another screen of its changes, is visited by every pass. So is, once,
// each object that moved, changed size, was marked dirty or was shown since the last pass: that
// is how its place here is kept and how a pass finds what it must draw whole. A pass visits in
// the order of the draw list: ascending priority, equal priorities in their order of listing.
class CDrawListIndex {
public:
    explicit CDrawListIndex(CXSize screenSize);
    CDrawListIndex(const CDrawListIndex&) = delete;
    CDrawListIndex& operator=(const CDrawListIndex&) = delete;

    // The element has just joined the draw list, after every other of its priority.
    void add(CValidationElement* element);
    void remove(CGraphicsObject* object);
    void removeAll();
    // The object moved, changed size, was marked dirty or was shown. During a pass, an entry
    // later in the draw order is visited in that pass too.
    void changed(CGraphicsObject* object);
    // The object now tells another screen of its changes: its place here can no longer be kept.
    void untracked(CGraphicsObject* object);

    // Files anew the entries that changed. A pass over part of the screen then visits them, the
    // entries that the region may show and those filed nowhere; with `walksWholeList` the caller
    // visits every entry itself.
    void startPass(const CRefreshRegion& region, bool walksWholeList);
    // The next entry of the pass in draw order; null at its end.
    CValidationElement* nextVisit();
    // During a pass, the rectangle became dirty: entries after the current one that it may
    // show are visited too. A null rectangle stands for the whole screen.
    void dirtied(const CXRect* rect);
    // Clears the marks that the pass's visits left.
    void endPass();

private:
    struct Entry {
        CValidationElement* element = nullptr;
        uint64_t serial = 0;
        // The box the cells hold it under; empty when it is in no cell.
        CXRect box;
        bool everywhere = false;
        bool tracked = true;
        bool changed = false;
        uint64_t queuedInPass = 0;
    };
    // Draw order: priority, then the serial of listing.
    struct Visit {
        int priority;
        uint64_t serial;
        CGraphicsObject* object;
        auto operator<=>(const Visit&) const = default;
    };
    struct CellRange {
        int left, top, right, bottom;
    };

    void file(CGraphicsObject* object, Entry& entry);
    void unfile(CGraphicsObject* object, Entry& entry);
    CellRange cellsOf(const CXRect& box) const;
    std::vector<CGraphicsObject*>& cell(int column, int row) { return cells_[static_cast<size_t>(row * columns_ + column)]; }
    Visit visitOf(CGraphicsObject* object, const Entry& entry) const;
    // Queues the entry once per pass, when it comes after the current one.
    void queue(CGraphicsObject* object, Entry& entry);
    void queueWithin(const CXRect& rect);

    int columns_;
    int rows_;
    std::vector<std::vector<CGraphicsObject*>> cells_;
    std::vector<CGraphicsObject*> everywhere_;
    std::vector<CGraphicsObject*> changed_;
    std::unordered_map<CGraphicsObject*, Entry> entries_;
    uint64_t nextSerial_ = 1;

    bool passing_ = false;
    uint64_t pass_ = 0;
    Visit current_{};
    std::priority_queue<Visit, std::vector<Visit>, std::greater<>> visits_;
    std::vector<CGraphicsObject*> visited_;
};
