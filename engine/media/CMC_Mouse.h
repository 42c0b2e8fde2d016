#pragma once

#include "foundation/CXRect.h"

// What the window needs of the MOUSE script object: the pointer's confinement, which outlives
// the objects and follows the program's focus.
class CMC_Mouse {
public:
    // Confines the pointer to the stored rectangle (screen coordinates) when it has an area;
    // otherwise lets it go anywhere.
    static void restore();
    // Lets the pointer go anywhere; with forget the stored rectangle goes too.
    static void reset(bool forget);

    static void setClipRect(const CXRect& screenRect) { clipRect_ = screenRect; }
    static CXRect getClipRect() { return clipRect_; }

private:
    static CXRect clipRect_;
};
