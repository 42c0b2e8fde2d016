#pragma once

#include "graphics/CGraphicsObject.h"

// Stands for a BMP picture: a raster without pixels. Loading reads nothing, as the raster's
// own Load does.
class CXBitmap : public CGraphicsObject {
public:
    explicit CXBitmap(CWindow* window);
    CXBitmap(CWindow* window, const CXString& file);
    CXBitmap(CWindow* window, CGraphicsObject* other);
    CXBitmap(const CXBitmap& other);
};
