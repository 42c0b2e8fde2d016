#pragma once

#include "CMC_World.h"

#include "foundation/CXString.h"

#include <cstdint>

class CMC_Runner;
class CXVector;

// The arguments of one WORLD method call, read as the world takes them: body ids as unsigned
// numbers, every double as a float (SETG alone keeps its double), positions converted from
// the screen. Missing arguments read as 0, FALSE or "".
class WorldArguments {
public:
    WorldArguments(CMC_Runner& runner, CXVector* args, const CMC_World& world)
        : runner_(runner)
        , args_(args)
        , world_(world)
    {
    }

    int count() const;
    // The argument itself, as the statement holds it.
    CMC_Object* raw(int i) const;
    uint32_t id(int i) const { return static_cast<uint32_t>(integer(i)); }
    int32_t integer(int i) const;
    double real(int i) const;
    float number(int i) const { return static_cast<float>(real(i)); }
    bool flag(int i, bool fallback = false) const;
    CXString text(int i) const;
    // Arguments i and i + 1 as a screen point, about the screen's centre or about the
    // background's offsets.
    WorldPoint fixed(int i) const { return CMC_World::fixed(real(i), real(i + 1)); }
    WorldPoint scrolled(int i) const { return world_.scrolled(real(i), real(i + 1)); }
    WorldPoint position(int i, bool scrolled) const { return scrolled ? this->scrolled(i) : fixed(i); }

private:
    CMC_Runner& runner_;
    CXVector* args_;
    const CMC_World& world_;
};
