#include "media/CNetVariableMessage.h"

#include "script/CMC_Variable.h"
#include "script/CMC_VariableFactory.h"

#include <cstring>

CNetVariableMessage::CNetVariableMessage(CXSocket* socket, const CXString& name, const char* block, int blockSize)
    : CNetMessage(socket)
    , name_(name)
{
    char* target = allocateFor(name, blockSize);
    if (blockSize > 0)
        std::memcpy(target, block, static_cast<size_t>(blockSize));
}

CNetVariableMessage::CNetVariableMessage(CXSocket* socket, CMC_Variable* value)
    : CNetMessage(socket)
    , name_(value->getName())
{
    value->netstore(allocateFor(name_, value->getBufferLen()));
}

CNetVariableMessage::CNetVariableMessage(const CXString& sender, const CNetMessage* raw)
    : CNetMessage(sender, raw)
{
    blockOffset_ = stringAt(HEADER_SIZE, &name_);
    if (blockOffset_ < 0) {
        blockOffset_ = getLength();
        return;
    }
    const int available = getLength() - blockOffset_;
    if (available == 0 || valueBlockSize(getBuffer() + blockOffset_, available) != available)
        markIllFormed();
}

CMC_Variable* CNetVariableMessage::getVariable() const
{
    return isWellFormed() ? CMC_VariableFactory::netrestore(getValueBlock(), getValueBlockSize()) : nullptr;
}

char* CNetVariableMessage::allocateFor(const CXString& name, int blockSize)
{
    blockOffset_ = HEADER_SIZE + name.GetLength() + 1;
    allocate(TYPE_VARIABLE, blockOffset_ + blockSize);
    putString(HEADER_SIZE, name);
    return payloadAt(blockOffset_);
}

int CNetVariableMessage::valueBlockSize(const char* block, int available)
{
    if (available < 4)
        return 0;
    int size = 0;
    switch (loadUInt32(block)) {
    case KIND_INTEGER:
        size = 8;
        break;
    case KIND_STRING: {
        const void* end = std::memchr(block + 4, '\0', static_cast<size_t>(available - 4));
        size = end == nullptr ? 0 : static_cast<int>(static_cast<const char*>(end) - block) + 1;
        break;
    }
    case KIND_BOOL:
        size = 5;
        break;
    case KIND_DOUBLE:
        size = 12;
        break;
    default:
        return 0;
    }
    return size <= available ? size : 0;
}
