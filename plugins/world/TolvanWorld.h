#pragma once

#include "ITolvan.h"

#include <memory>

// The world the WORLD object uses: Box2D bodies and pins, our own paths and world files,
// stepped by the platform clock.
std::unique_ptr<ITolvan> makeTolvanWorld();
