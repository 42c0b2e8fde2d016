// Text of any shape through the world file reader; what it accepts must be bodies that a
// world takes.
#include "plugins/world/ITolvan.h"
#include "plugins/world/WorldFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WorldDescription world;
    if (WorldFile::parse(std::string_view(reinterpret_cast<const char*>(data), size), &world) != ITolvan::OK)
        return 0;
    for (const BodyDescription& body : world.bodies) {
        if (!body.isValid())
            std::abort();
    }
    return 0;
}
