#include "script/CMC_Double.h"

#include "foundation/DoubleToInt.h"
#include "script/CMC_Integer.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"

#include <cstring>

CMC_Double::CMC_Double(const CXString& name)
    : CMC_BasicValue(name, TYPE_DOUBLE, -1, 0.0)
{
}

CMC_Double::CMC_Double(const CXString& name, int id)
    : CMC_BasicValue(name, TYPE_DOUBLE, id, 0.0)
{
}

CMC_Double::CMC_Double(double value)
    : CMC_BasicValue(CXString("temp"), TYPE_DOUBLE, -1, value)
{
}

CMC_Double::CMC_Double(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_BasicValue(container, element, TYPE_DOUBLE, element->getPropertyDoubleValue("VALUE"),
                     element->getPropertyDoubleValue("DEFAULT"))
{
}

CXObject* CMC_Double::clone()
{
    auto* copy = new CMC_Double(getName());
    copy->markAsClone();
    copy->setValue(value_);
    return copy;
}

void CMC_Double::inc()
{
    value_ += 1.0;
    onChange(true);
}

void CMC_Double::dec()
{
    value_ -= 1.0;
    onChange(true);
}

CMC_Variable* CMC_Double::convert(int type)
{
    switch (type) {
    case TYPE_DOUBLE:
        return this;
    case TYPE_INTEGER:
        return allocInteger(truncateToInt(value_));
    case TYPE_STRING:
        return allocString(toString());
    case TYPE_BOOL:
        return allocBool(value_ != 0.0);
    default:
        return nullptr;
    }
}

CMC_Variable* CMC_Double::calculate(CMC_Variable* v, int op)
{
    CMC_Double* result = CMC_VariableFactory::allocDouble();
    CMC_Variable* w = converted(v, TYPE_DOUBLE);
    const double operand = w != nullptr ? static_cast<CMC_Double*>(w)->value_ : 0.0;
    switch (op) {
    case OP_ADD:
        result->setValue(value_ + operand);
        break;
    case OP_SUB:
        result->setValue(value_ - operand);
        break;
    case OP_MUL:
        result->setValue(value_ * operand);
        break;
    case OP_DIV:
        result->setValue(value_ / operand);
        break;
    case OP_MOD:
        result->setValue(CMC_Integer::arithmetic(truncateToInt(value_), truncateToInt(operand), OP_MOD));
        break;
    default:
        result->setValue(0.0);
        break;
    }
    flush(w, false);
    return result;
}

void CMC_Double::netstore(void* buffer)
{
    netstoreType(buffer);
    uint64_t bits = 0;
    std::memcpy(&bits, &value_, sizeof bits);
    putInt32(buffer, 4, static_cast<int32_t>(bits & 0xFFFFFFFFu));
    putInt32(buffer, 8, static_cast<int32_t>(bits >> 32));
}

bool CMC_Double::netrestore(const void* buffer, int length)
{
    if (buffer == nullptr || length < getBufferLen())
        return false;
    const uint64_t low = static_cast<uint32_t>(getInt32(buffer, 4));
    const uint64_t high = static_cast<uint32_t>(getInt32(buffer, 8));
    const uint64_t bits = low | (high << 32);
    std::memcpy(&value_, &bits, sizeof value_);
    return true;
}

void CMC_Double::store(CXArchive* archive)
{
    *archive << static_cast<int32_t>(TYPE_DOUBLE) << value_;
}

void CMC_Double::restore(CXArchive* archive)
{
    *archive >> &value_;
}
