#include "foundation/CMemStorage.h"

#include <algorithm>
#include <cstring>

CMemStorage::CMemStorage(int blockSize)
    : blockSize_(blockSize == -1 ? kDefaultBlockSize : std::max(blockSize, 1))
{
    blocks_.push_back(Block{ std::vector<char>(static_cast<size_t>(blockSize_)), 0 });
}

void CMemStorage::put(const void* data, int n)
{
    if (n <= 0)
        return;
    Block* last = &blocks_.back();
    if (static_cast<long>(last->used) + n > static_cast<long>(last->bytes.size())) {
        blocks_.push_back(Block{ std::vector<char>(static_cast<size_t>(std::max(blockSize_, n))), 0 });
        last = &blocks_.back();
    }
    std::memcpy(last->bytes.data() + last->used, data, static_cast<size_t>(n));
    last->used += n;
    total_ += n;
}

void CMemStorage::copy(void* destination) const
{
    auto* out = static_cast<char*>(destination);
    for (const Block& block : blocks_) {
        std::memcpy(out, block.bytes.data(), static_cast<size_t>(block.used));
        out += block.used;
    }
}
