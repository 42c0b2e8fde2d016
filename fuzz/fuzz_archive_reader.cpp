// Bytes of any shape through the serialisation archive's readers. The first byte gives the
// number of read operations that follow it as codes; the rest is the archive's data, read
// with those operations in turn until the archive fails or the data runs out.
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "foundation/CXRect.h"
#include "foundation/CXString.h"

#include <cstddef>
#include <cstdint>

namespace {

void readOne(CXArchive& archive, uint8_t code)
{
    switch (code % 12) {
    case 0: { int32_t v = 0; archive >> &v; break; }
    case 1: { uint32_t v = 0; archive >> &v; break; }
    case 2: { int64_t v = 0; archive >> &v; break; }
    case 3: { bool v = false; archive >> &v; break; }
    case 4: { double v = 0; archive >> &v; break; }
    case 5: { char v = 0; archive >> &v; break; }
    case 6: { unsigned char v = 0; archive >> &v; break; }
    case 7: { char* v = nullptr; archive >> &v; delete[] v; break; }
    case 8: { CXString v; archive >> &v; break; }
    case 9: { CXRect v; archive >> &v; break; }
    case 10: { CXString v; archive.readShortString(&v); break; }
    default: { CXString v; archive.FRead(v); break; }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const size_t codes = 1 + data[0] % 32;
    if (size < 1 + codes)
        return 0;
    const uint8_t* program = data + 1;
    const char* bytes = reinterpret_cast<const char*>(data + 1 + codes);
    CFile_Stream file(bytes, static_cast<int>(size - 1 - codes));
    CXArchive archive(&file, false);
    for (size_t step = 0; !archive.failed() && !file.eof() && step < size; ++step)
        readOne(archive, program[step % codes]);
    return 0;
}
