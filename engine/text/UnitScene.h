#pragma once

#include "foundation/CXString.h"
#include "script_graphics/GraphicsScene.h"

class CUnit6;

// A scene as its screen unit and its controls reach it: its music, the name of what is
// dragged and the unit bound to it.
class UnitScene : public GraphicsScene {
public:
    virtual CXString getMusicFilename() = 0;
    virtual bool shouldMusicBeStarted() = 0;
    virtual void setDraggedName(const CXString& name) = 0;
    virtual CUnit6* getUnit() const = 0;

protected:
    ~UnitScene() override = default;
};
