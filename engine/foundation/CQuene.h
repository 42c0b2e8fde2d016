#pragma once

#include "foundation/CXArray.h"
#include "foundation/CXVector.h"

// Queues over the pointer lists; they never own their elements. pop() on an empty
// queue gives nullptr.
class CQuene : public CXArray {
public:
    CQuene();
    virtual void push(void* p);
    virtual void* pop() = 0;
};

class CFifoQuene : public CQuene {
public:
    void* pop() override;
};

class CLifoQuene : public CQuene {
public:
    void* pop() override;
};

class CXQuene : public CXVector {
public:
    CXQuene();
    virtual void push(CXObject* o);
    virtual CXObject* pop() = 0;
};

class CXFifoQuene : public CXQuene {
public:
    CXObject* pop() override;
};

class CXLifoQuene : public CXQuene {
public:
    CXObject* pop() override;
};
