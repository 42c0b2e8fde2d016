#pragma once

#include "graphics/CGraphicsObject.h"

// Stands for a BMP picture: a raster without pixels. Loading reads nothing, as the raster's
// own Load does.
class CXBitmap : public CGraphicsObject {
public:
    explicit CXBitmap(GraphicsWindow* window);
    CXBitmap(GraphicsWindow* window, const CXString& file);
    CXBitmap(GraphicsWindow* window, CGraphicsObject* other);
    CXBitmap(const CXBitmap& other);
};
