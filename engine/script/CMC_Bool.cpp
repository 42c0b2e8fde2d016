#include "script/CMC_Bool.h"

#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"

CMC_Bool::CMC_Bool(const CXString& name)
    : CMC_BasicValue(name, TYPE_BOOL, -1, false)
{
}

CMC_Bool::CMC_Bool(const CXString& name, int id)
    : CMC_BasicValue(name, TYPE_BOOL, id, false)
{
}

CMC_Bool::CMC_Bool(bool value)
    : CMC_BasicValue(CXString("temp"), TYPE_BOOL, -1, value)
{
}

CMC_Bool::CMC_Bool(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_BasicValue(container, element, TYPE_BOOL, element->getPropertyBoolValue("VALUE"),
                     element->getPropertyBoolValue("DEFAULT"))
{
}

CXObject* CMC_Bool::clone()
{
    auto* copy = new CMC_Bool(getName());
    copy->markAsClone();
    copy->setValue(value_);
    return copy;
}

void CMC_Bool::negate()
{
    value_ = !value_;
    onChange(true);
}

void CMC_Bool::swap(CMC_Variable*, CMC_Variable*)
{
    negate();
}

void CMC_Bool::inc()
{
    negate();
}

void CMC_Bool::dec()
{
    negate();
}

CMC_Variable* CMC_Bool::convert(int type)
{
    switch (type) {
    case TYPE_BOOL:
        return this;
    case TYPE_INTEGER:
        return allocInteger(value_ ? 1 : 0);
    case TYPE_STRING:
        return allocString(toString());
    case TYPE_DOUBLE:
        return allocDouble(value_ ? 1.0 : 0.0);
    default:
        return nullptr;
    }
}

// SUB, DIV and MOD keep this value; any other operation gives false.
CMC_Variable* CMC_Bool::calculate(CMC_Variable* v, int op)
{
    CMC_Bool* result = CMC_VariableFactory::allocBool();
    CMC_Variable* w = converted(v, TYPE_BOOL);
    const bool operand = w != nullptr && static_cast<CMC_Bool*>(w)->value_;
    switch (op) {
    case OP_ADD:
        result->setValue(value_ && operand);
        break;
    case OP_MUL:
        result->setValue(value_ || operand);
        break;
    case OP_SUB:
    case OP_DIV:
    case OP_MOD:
        result->setValue(value_);
        break;
    default:
        result->setValue(false);
        break;
    }
    flush(w, false);
    return result;
}

void CMC_Bool::netstore(void* buffer)
{
    netstoreType(buffer);
    static_cast<unsigned char*>(buffer)[4] = value_ ? 1 : 0;
}

bool CMC_Bool::netrestore(const void* buffer, int length)
{
    if (buffer == nullptr || length < getBufferLen())
        return false;
    value_ = static_cast<const unsigned char*>(buffer)[4] == 1;
    return true;
}

void CMC_Bool::store(CXArchive* archive)
{
    *archive << static_cast<int32_t>(TYPE_BOOL) << static_cast<int32_t>(value_ ? 1 : 0);
}

void CMC_Bool::restore(CXArchive* archive)
{
    int32_t stored = value_ ? 1 : 0;
    *archive >> &stored;
    value_ = stored != 0;
}
