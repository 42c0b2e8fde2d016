#include "graphics/CPlayable.h"

CPlayable::CPlayable(CWindow* window)
    : window_(window)
{
}
