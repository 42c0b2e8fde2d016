#include "script/CMC_String.h"

#include "script/CMC_VariableFactory.h"
#include "script/CMElement.h"

#include <algorithm>
#include <cstring>

template <>
bool CMC_BasicValue<CXString>::sameValue(const CXString& a, const CXString& b)
{
    return a.equalsIgnoreCase(b);
}

template <>
int CMC_BasicValue<CXString>::order(const CXString& a, const CXString& b)
{
    const int common = std::min(a.GetLength(), b.GetLength());
    const int bytes = std::memcmp(a.c_str(), b.c_str(), static_cast<size_t>(common));
    if (bytes != 0)
        return bytes < 0 ? -1 : 1;
    if (a.GetLength() == b.GetLength())
        return 0;
    return a.GetLength() < b.GetLength() ? -1 : 1;
}

CMC_String::CMC_String(const CXString& name)
    : CMC_BasicValue(name, TYPE_STRING, -1, CXString())
{
}

CMC_String::CMC_String(const CXString& name, int id)
    : CMC_BasicValue(name, TYPE_STRING, id, CXString())
{
}

CMC_String::CMC_String(const CXString& name, const CXString& text)
    : CMC_BasicValue(name, TYPE_STRING, -1, text)
{
}

CMC_String::CMC_String(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_BasicValue(container, element, TYPE_STRING, element->getPropertyValue("VALUE"),
                     element->getPropertyValue("DEFAULT"))
{
}

CXObject* CMC_String::clone()
{
    auto* copy = new CMC_String(getName(), value_);
    copy->markAsClone();
    return copy;
}

CMC_Variable* CMC_String::convert(int type)
{
    switch (type) {
    case TYPE_STRING:
        return this;
    case TYPE_INTEGER:
        return allocInteger(value_.toNumber());
    case TYPE_BOOL:
        return allocBool(CXString::toBool(value_));
    case TYPE_DOUBLE:
        return allocDouble(value_.toDouble());
    default:
        return nullptr;
    }
}

// The result is built in the pooled value's own storage, which keeps what it has grown to.
CMC_Variable* CMC_String::calculate(CMC_Variable* v, int op)
{
    CMC_String* result = CMC_VariableFactory::allocString();
    CMC_Variable* w = converted(v, TYPE_STRING);
    result->value_ = value_.c_str();
    if (op == OP_ADD && w != nullptr)
        result->value_ += static_cast<CMC_String*>(w)->value_;
    result->onChange(false);
    flush(w, false);
    return result;
}

void CMC_String::netstore(void* buffer)
{
    netstoreType(buffer);
    auto* text = static_cast<char*>(buffer) + 4;
    std::memcpy(text, value_.c_str(), static_cast<size_t>(value_.GetLength()));
    text[value_.GetLength()] = '\0';
}

bool CMC_String::netrestore(const void* buffer, int length)
{
    if (buffer == nullptr || length < 5)
        return false;
    const char* text = static_cast<const char*>(buffer) + 4;
    if (std::memchr(text, '\0', static_cast<size_t>(length - 4)) == nullptr)
        return false;
    value_ = text;
    return true;
}

void CMC_String::store(CXArchive* archive)
{
    *archive << static_cast<int32_t>(TYPE_STRING) << value_;
}

void CMC_String::restore(CXArchive* archive)
{
    *archive >> &value_;
}
