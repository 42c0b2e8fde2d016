#pragma once

#include <cstdint>

// Where the pixels of a raster turned by an angle of that sine and cosine find their sources:
// pixel (i, j) of the turned planes
// takes column trunc(columnX[i] - rowX[j] + cx) and row trunc(columnY[i] + rowY[j] + cy) of the
// raster of width × height pixels, where per column of the turned planes columnX = du × cos and
// columnY = du × sin, per row rowX = dv × sin and rowY = dv × cos, du and dv being the distances
// from the turned planes' centre.
struct Turn {
    double sine;
    double cosine;
    const double* columnX;
    const double* columnY;
    const double* rowX;
    const double* rowY;
    int cx;
    int cy;
    int width;
    int height;

    // The sizes are bounded, so the sources lie within the int range and truncate exactly.
    int32_t sourceX(int i, int j) const { return static_cast<int32_t>(columnX[i] - rowX[j] + cx); }
    int32_t sourceY(int i, int j) const { return static_cast<int32_t>(columnY[i] + rowY[j] + cy); }
};

// Fills the turned planes of turnedWidth × turnedHeight pixels (toAlpha when alpha is given)
// from the raster's words and alpha: a pixel whose source lies outside, or is transparent,
// becomes transparent black.
void turnPlanes(const Turn& turn, const uint16_t* words, const uint8_t* alpha, int turnedWidth, int turnedHeight,
                uint16_t* to, uint8_t* toAlpha);
