#pragma once

#include <cstdint>

// Sizes that make a shape (ITolvan SHAPE_*): finite, none negative, rx above 0 and, for a
// box, ry above 0.
bool isValidSize(int32_t shape, float rx, float ry, float rz);

// A body as AddBody and the world file describe it.
struct BodyDescription {
    uint32_t id = 0;
    float x = 0, y = 0, z = 0;
    float rx = 0, ry = 0, rz = 0;
    int32_t shape = 0;
    int32_t kind = 0;
    float mass = 0;
    float restitution = 0;
    float maxSpeed = 0;

    // Finite values, a known kind, sizes that make the shape, nothing negative, and a mass
    // for a dynamic body.
    bool isValid() const;
};
