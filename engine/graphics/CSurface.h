#pragma once

#include "foundation/CXObject.h"

#include <cstdint>

// The display surface. So far it only lends its 5-6-5 to 32-bit pixel table.
class CSurface : public CXObject {
public:
    // 65536 entries: a 5-6-5 pixel as 0x00RRGGBB, each channel in the top bits of its byte.
    // Built on first use, whatever the display's depth.
    static const uint32_t* getBppConversionTable();
};
