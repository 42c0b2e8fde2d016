// Network forms of script values of any shape, read with their length. A value that was read
// must give the same form again after one more trip through the network form.
#include "script/CMC_Variable.h"
#include "script/CMC_VariableFactory.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

std::vector<unsigned char> netForm(CMC_Variable* value)
{
    std::vector<unsigned char> bytes(static_cast<size_t>(value->getBufferLen()));
    value->netstore(bytes.data());
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool pools = (CMC_VariableFactory::initialize(), true);
    (void)pools;
    CMC_Variable* value = CMC_VariableFactory::netrestore(data, static_cast<int>(size));
    if (value != nullptr) {
        const std::vector<unsigned char> first = netForm(value);
        CMC_Variable* again = CMC_VariableFactory::netrestore(first.data(), static_cast<int>(first.size()));
        if (again == nullptr || netForm(again) != first)
            __builtin_trap();
    }
    CMC_VariableFactory::clearPool();
    return 0;
}
