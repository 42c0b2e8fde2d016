#include "graphics/CXBitmap.h"

CXBitmap::CXBitmap(GraphicsWindow* window)
    : CGraphicsObject(window)
{
}

CXBitmap::CXBitmap(GraphicsWindow* window, const CXString&)
    : CXBitmap(window)
{
}

CXBitmap::CXBitmap(GraphicsWindow* window, CGraphicsObject*)
    : CXBitmap(window)
{
}

CXBitmap::CXBitmap(const CXBitmap& other)
    : CXBitmap(other.getWindow())
{
}
