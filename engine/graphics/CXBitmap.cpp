#include "graphics/CXBitmap.h"

CXBitmap::CXBitmap(CWindow* window)
    : CGraphicsObject(window)
{
}

CXBitmap::CXBitmap(CWindow* window, const CXString&)
    : CXBitmap(window)
{
}

CXBitmap::CXBitmap(CWindow* window, CGraphicsObject*)
    : CXBitmap(window)
{
}

CXBitmap::CXBitmap(const CXBitmap& other)
    : CXBitmap(other.getWindow())
{
}
