#pragma once

#include <cstdint>

class CMC_Object;

// What a WORLD method gives back.
enum class WorldResult { None, Double, Integer, Bool };

// The result's empty value: none, 0.0, 0 or FALSE.
CMC_Object* emptyResult(WorldResult kind);
// A value the world wrote, or the empty value when its status was a failure. An INTEGER is
// the value truncated toward zero.
CMC_Object* doubleResult(int32_t status, double value);
CMC_Object* integerResult(int32_t status, double value);
CMC_Object* boolResult(int32_t status, bool value);
