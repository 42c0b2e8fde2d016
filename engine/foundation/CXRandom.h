#pragma once

#include "foundation/CXObject.h"

#include <cstdint>

// The random numbers of the engine. One generator serves the whole process: the
// classic linear congruential one with draws from 0 to 32767, which the data were
// written for. Main thread only.
class CXRandom : public CXObject {
public:
    static constexpr int kVectorSize = 10000;

    // Seeds the generator with the current time.
    CXRandom();

    static void seed(uint32_t value);
    // The next draw, 0 to 32767.
    static int draw();
    // The next count draws, as count calls of draw() give them, into values.
    static void draw(int* values, int count);

    // A value from 0 to |n| - 1 (draw plus tick count, modulo |n|); 0 when n is 0.
    static int random(int n);
    // from + random(n): n is the number of possible values, not an upper bound.
    static int random(int from, int n);
    // Fills the process's one buffer of kVectorSize entries with random(from, n) and
    // returns it. count 0 means n - from; a count above kVectorSize or below 1 writes
    // nothing. With unique, each value occurs once while unused values remain; once
    // every possible value is taken the remaining entries may repeat.
    static int* random_vector(int from, int n, int count, bool unique);
};
