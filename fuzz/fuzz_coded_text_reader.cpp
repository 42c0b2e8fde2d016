// Text of any shape through the reader of plain and coded definition text, line by line
// until the end.
#include "foundation/CTextCoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto* reader = new CTextFileReader(nullptr, reinterpret_cast<const char*>(data), static_cast<int>(size));
    CTextCoder coder(nullptr, reader, true);
    while (!coder._eof())
        coder.getLine();
    return 0;
}
