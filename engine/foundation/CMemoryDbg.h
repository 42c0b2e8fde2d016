#pragma once

// A marker object for memory debugging: making and destroying one has no effect.
class CMemoryDbg {
public:
    CMemoryDbg() = default;
    ~CMemoryDbg() = default;
};
