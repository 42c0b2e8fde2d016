#pragma once

#include "foundation/CXArray.h"

class CXRect;

// The dirty part of the screen: rectangles that never overlap, or the whole screen, which a
// single null entry stands for. A new region is the whole screen when made so.
class CRefreshRegion : public CXArray {
public:
    // The rectangle that the region takes for the whole screen, whatever the screen's size.
    static const CXRect kWholeScreen;

    explicit CRefreshRegion(bool wholeScreen);
    ~CRefreshRegion() override;
    CRefreshRegion(const CRefreshRegion&) = delete;
    CRefreshRegion& operator=(const CRefreshRegion&) = delete;

    // Adds what the rectangle covers beyond the region (a copy: the caller keeps its own).
    // Null, or the whole-screen rectangle, makes the region the whole screen; after that
    // nothing is added until the region is emptied.
    virtual void add(const CXRect* rect);
    virtual bool isWholeScreen() const { return wholeScreen_; }
    // Deletes the rectangles; the region is empty and no longer the whole screen.
    void removeAll();

    // The entry at i: a rectangle, or null for the whole screen.
    CXRect* rectAt(int i) const { return static_cast<CXRect*>(at(i)); }

private:
    void makeWholeScreen();
    // Adds the rectangle, known to miss the entries before `from`.
    void addFrom(const CXRect* rect, int from);

    bool wholeScreen_ = false;
};
