#include "graphics/CGraphicsObject.h"

CGraphicsObject::CGraphicsObject(CWindow* window)
    : window_(window)
{
}

int CGraphicsObject::Width()
{
    return width_;
}

int CGraphicsObject::Height()
{
    return height_;
}
