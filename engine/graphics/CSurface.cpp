#include "graphics/CSurface.h"

#include <vector>

const uint32_t* CSurface::getBppConversionTable()
{
    static const std::vector<uint32_t> table = [] {
        std::vector<uint32_t> entries(65536);
        for (uint32_t v = 0; v < entries.size(); ++v)
            entries[v] = (v & 0xF800) << 8 | (v & 0x07E0) << 5 | (v & 0x001F) << 3;
        return entries;
    }();
    return table.data();
}
