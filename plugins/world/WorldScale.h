#pragma once

#include "PathPoint.h"

#include <box2d/b2_math.h>

#include <cmath>
#include <numbers>

// The world speaks pixels and degrees; Box2D works best with bodies of a tenth of a metre to
// ten metres. 50 pixels a metre puts a 5 to 500 pixel body in that range.
inline constexpr float PIXELS_PER_METRE = 50.0f;

inline b2Vec2 toMetres(const PathPoint& point)
{
    return {point.x / PIXELS_PER_METRE, point.y / PIXELS_PER_METRE};
}

inline b2Vec2 toMetres(float x, float y)
{
    return toMetres(PathPoint{x, y});
}

inline PathPoint toPixels(const b2Vec2& vector)
{
    return {vector.x * PIXELS_PER_METRE, vector.y * PIXELS_PER_METRE};
}

inline float toRadians(float degrees)
{
    return degrees * std::numbers::pi_v<float> / 180.0f;
}

// 0 to below 360.
inline float wrapDegrees(float degrees)
{
    const float part = std::fmod(degrees, 360.0f);
    const float turned = part < 0 ? part + 360.0f : part;
    return turned >= 360.0f ? 0.0f : turned;
}

// 0 to below 360.
inline float toDegrees(float radians)
{
    return wrapDegrees(radians * 180.0f / std::numbers::pi_v<float>);
}
