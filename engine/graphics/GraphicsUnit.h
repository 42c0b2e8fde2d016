#pragma once

#include "foundation/CXString.h"
#include "media/MediaUnit.h"

class CPlayable;

// A screen unit as the screen composer and the animations reach it.
class GraphicsUnit : public MediaUnit {
public:
    // The first frame of the unit's scene was drawn.
    virtual bool onInitialUpdate() = 0;
    virtual void onCanvasRefreshed() = 0;
    // The playable plays now and then at random, count times at most.
    virtual void addRandomPlayable(CPlayable* playable, double frequency, int count, const CXString& event) = 0;

    static GraphicsUnit* getDefault() { return static_cast<GraphicsUnit*>(MediaUnit::getDefault()); }
};
