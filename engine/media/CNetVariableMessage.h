#pragma once

#include "media/CNetMessage.h"

class CMC_Variable;

// A script value for the object of the same name on the other side: the name ending in NUL,
// then the value block, which starts with the value's kind id.
//
// Value block by kind: INTEGER (1) an int32, STRING (2) the text and its NUL, BOOL (3) one
// byte (1 true), DOUBLE (4) an IEEE double; all little-endian. A parsed frame whose block is
// of another kind, or does not fill the rest of the frame exactly, is ill-formed.
class CNetVariableMessage : public CNetMessage {
public:
    static constexpr int KIND_INTEGER = 1;
    static constexpr int KIND_STRING = 2;
    static constexpr int KIND_BOOL = 3;
    static constexpr int KIND_DOUBLE = 4;

    // The block as the value wrote it.
    CNetVariableMessage(CXSocket* socket, const CXString& name, const char* block, int blockSize);
    // The value under its own name, in its network form; a BOOL, DOUBLE, INTEGER or STRING.
    CNetVariableMessage(CXSocket* socket, CMC_Variable* value);
    CNetVariableMessage(const CXString& sender, const CNetMessage* raw);

    // A pooled value read from the block, to be given back with CMC_Object::flush; none for
    // an ill-formed frame.
    CMC_Variable* getVariable() const;

    const CXString& getName() const { return name_; }
    // The kind id at the start of the value block.
    int getVariableType() const { return isWellFormed() ? static_cast<int>(loadUInt32(getValueBlock())) : 0; }
    const char* getValueBlock() const { return getBuffer() + blockOffset_; }
    int getValueBlockSize() const { return getLength() - blockOffset_; }

    // The size that the block at `block` has by its kind, or 0 when the kind is unknown or the
    // block does not fit in `available` bytes.
    static int valueBlockSize(const char* block, int available);

private:
    // Allocates the frame for the name and a block of blockSize bytes; where the block goes.
    char* allocateFor(const CXString& name, int blockSize);

    CXString name_;
    int blockOffset_ = 0;
};
