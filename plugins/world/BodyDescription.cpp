#include "BodyDescription.h"

#include "ITolvan.h"

#include <cmath>
#include <initializer_list>

bool isValidSize(int32_t shape, float rx, float ry, float rz)
{
    if (shape != ITolvan::SHAPE_CIRCLE && shape != ITolvan::SHAPE_BOX)
        return false;
    for (float value : {rx, ry, rz}) {
        if (!std::isfinite(value) || value < 0)
            return false;
    }
    return rx > 0 && (shape == ITolvan::SHAPE_CIRCLE || ry > 0);
}

bool BodyDescription::isValid() const
{
    for (float value : {x, y, z}) {
        if (!std::isfinite(value))
            return false;
    }
    for (float value : {mass, restitution, maxSpeed}) {
        if (!std::isfinite(value) || value < 0)
            return false;
    }
    if (kind != ITolvan::KIND_DYNAMIC && kind != ITolvan::KIND_STATIC && kind != ITolvan::KIND_KINEMATIC)
        return false;
    return isValidSize(shape, rx, ry, rz) && (kind != ITolvan::KIND_DYNAMIC || mass > 0);
}
