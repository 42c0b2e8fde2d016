// The stored data of the data objects from any bytes. The first byte picks the reader: an
// ARRAY file, a MULTIARRAY file or a VECTOR's compiled-scene record; the rest is the data.
// What was read is then used as scripts use it: sorted and shifted, grown and read, measured.
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "script/CMC_Array.h"
#include "script/CMC_Integer.h"
#include "script/CMC_MultiArray.h"
#include "script/CMC_String.h"
#include "script/CMC_Vector.h"
#include "script/CMC_VariableFactory.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void readArray(CXArchive& archive)
{
    CMC_Array array(nullptr, CXString("A"));
    array.load(&archive);
    array.sort(true);
    array.shiftLeft();
    array.next(3);
    array.toString();
}

// Growing the first width moves every loaded value to its new cell; no value may be lost.
void readGrid(CXArchive& archive)
{
    CMC_MultiArray grid(nullptr, CXString("M"));
    if (!grid.load(&archive))
        return;
    CMC_String probe(CXString("probe"), CXString("\x01probe"));
    const int before = grid.count(&probe);
    CMC_Integer one(1);
    const int values = grid.count(&one);
    if (grid.set({grid.getSize(0), 0}, &probe) && grid.count(&probe) != before + 1)
        std::abort();
    if (grid.count(&one) != values)
        std::abort();
    grid.get({3, 1});
}

void readVector(CXArchive& archive)
{
    CMC_Vector vector(nullptr);
    vector.serialize(&archive);
    vector.length();
    vector.expand(vector.getSize() + 1);
    vector.toString();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool pools = (CMC_VariableFactory::initialize(), true);
    (void)pools;
    if (size < 1)
        return 0;
    CFile_Stream file(reinterpret_cast<const char*>(data + 1), static_cast<int>(size - 1));
    CXArchive archive(&file, false);
    switch (data[0] % 3) {
    case 0:
        readArray(archive);
        break;
    case 1:
        readGrid(archive);
        break;
    default:
        readVector(archive);
        break;
    }
    CMC_VariableFactory::clearPool();
    return 0;
}
