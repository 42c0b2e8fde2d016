#include "graphics/CPlane.h"

CPlane::Block::~Block()
{
    if (owned)
        delete[] bytes;
}

CPlane CPlane::allocate(size_t bytes)
{
    return bytes == 0 ? CPlane() : take(new char[bytes], true);
}

CPlane CPlane::take(char* bytes, bool owned)
{
    CPlane plane;
    if (bytes != nullptr)
        plane.block_ = std::make_shared<Block>(bytes, owned);
    return plane;
}

void CPlane::handOver()
{
    if (block_)
        block_->owned = false;
    block_.reset();
}
