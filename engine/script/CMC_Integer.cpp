#include "script/CMC_Integer.h"

#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"

CMC_Integer::CMC_Integer(const CXString& name)
    : CMC_BasicValue(name, TYPE_INTEGER, -1, 0)
{
}

CMC_Integer::CMC_Integer(const CXString& name, int id)
    : CMC_BasicValue(name, TYPE_INTEGER, id, 0)
{
}

CMC_Integer::CMC_Integer(int value)
    : CMC_BasicValue(CXString("temp"), TYPE_INTEGER, -1, value)
{
}

CMC_Integer::CMC_Integer(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_BasicValue(container, element, TYPE_INTEGER, element->getPropertyIntValue("VALUE"),
                     element->getPropertyIntValue("DEFAULT"))
{
}

CXObject* CMC_Integer::clone()
{
    auto* copy = new CMC_Integer(getName());
    copy->markAsClone();
    copy->setValue(value_);
    return copy;
}

void CMC_Integer::inc()
{
    value_ = arithmetic(value_, 1, OP_ADD);
    onChange(true);
}

void CMC_Integer::dec()
{
    value_ = arithmetic(value_, 1, OP_SUB);
    onChange(true);
}

CMC_Variable* CMC_Integer::convert(int type)
{
    switch (type) {
    case TYPE_INTEGER:
        return this;
    case TYPE_STRING:
        return allocString(toString());
    case TYPE_BOOL:
        return allocBool(value_ != 0);
    case TYPE_DOUBLE:
        return allocDouble(value_);
    default:
        return nullptr;
    }
}

CMC_Variable* CMC_Integer::calculate(CMC_Variable* v, int op)
{
    CMC_Integer* result = CMC_VariableFactory::allocInteger();
    CMC_Variable* w = converted(v, TYPE_INTEGER);
    const int32_t operand = w != nullptr ? static_cast<CMC_Integer*>(w)->value_ : 0;
    result->setValue(arithmetic(value_, operand, op));
    flush(w, false);
    return result;
}

void CMC_Integer::netstore(void* buffer)
{
    netstoreType(buffer);
    putInt32(buffer, 4, value_);
}

bool CMC_Integer::netrestore(const void* buffer, int length)
{
    if (buffer == nullptr || length < getBufferLen())
        return false;
    value_ = getInt32(buffer, 4);
    return true;
}

void CMC_Integer::store(CXArchive* archive)
{
    *archive << static_cast<int32_t>(TYPE_INTEGER) << value_;
}

void CMC_Integer::restore(CXArchive* archive)
{
    *archive >> &value_;
}
