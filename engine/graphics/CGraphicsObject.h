#pragma once

#include "foundation/CXObject.h"

class CWindow;

// Base of everything that is drawn: a raster with a size, placed in its destination.
class CGraphicsObject : public CXObject {
public:
    explicit CGraphicsObject(CWindow* window);

    virtual int Width();
    virtual int Height();

protected:
    CWindow* window_;

private:
    int width_ = 0;
    int height_ = 0;
};
