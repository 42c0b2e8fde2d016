#include "script/CMC_VariableFactory.h"

#include "foundation/CXArchive.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_String.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

template <typename Value>
class ValuePool {
public:
    void initialize()
    {
        done();
        cursor_ = 0;
        grow(CMC_VariableFactory::kInitialPoolSize);
    }

    void done()
    {
        for (Value* member : members_)
            delete member;
        members_.clear();
        taken_.clear();
    }

    Value* alloc()
    {
        const int size = static_cast<int>(members_.size());
        for (int step = 0; step < size; ++step) {
            advance();
            if (!taken_[static_cast<size_t>(cursor_)])
                return take(cursor_);
        }
        // Every member is lent out: the next slot in order is the first new one.
        grow(size > 0 ? size * 2 : CMC_VariableFactory::kInitialPoolSize);
        cursor_ = size;
        return take(cursor_);
    }

    void free(CMC_Variable* value)
    {
        const int id = value->getId();
        if (id >= 0 && id < static_cast<int>(members_.size()) && members_[static_cast<size_t>(id)] == value)
            taken_[static_cast<size_t>(id)] = 0;
    }

    void clear() { taken_.assign(taken_.size(), 0); }

private:
    void advance()
    {
        const int size = static_cast<int>(members_.size());
        cursor_ = cursor_ < size - 1 ? cursor_ + 1 : 0;
    }

    Value* take(int slot)
    {
        taken_[static_cast<size_t>(slot)] = 1;
        return members_[static_cast<size_t>(slot)];
    }

    void grow(int size)
    {
        for (int id = static_cast<int>(members_.size()); id < size; ++id) {
            members_.push_back(new Value(CXString("f"), id));
            taken_.push_back(0);
        }
    }

    std::vector<Value*> members_;
    std::vector<unsigned char> taken_;
    int cursor_ = 0;
};

// A member of the pool set to the value, which has the pool's type.
template <typename Value>
CMC_Variable* copied(ValuePool<Value>& pool, CMC_Variable* value)
{
    Value* copy = pool.alloc();
    copy->setValue(static_cast<Value*>(value)->getValue());
    return copy;
}

ValuePool<CMC_Bool> bools;
ValuePool<CMC_Double> doubles;
ValuePool<CMC_Integer> integers;
ValuePool<CMC_String> strings;

} // namespace

void CMC_VariableFactory::initialize()
{
    bools.initialize();
    doubles.initialize();
    integers.initialize();
    strings.initialize();
}

void CMC_VariableFactory::done()
{
    bools.done();
    doubles.done();
    integers.done();
    strings.done();
}

CMC_Bool* CMC_VariableFactory::allocBool()
{
    return bools.alloc();
}

CMC_Double* CMC_VariableFactory::allocDouble()
{
    return doubles.alloc();
}

CMC_Integer* CMC_VariableFactory::allocInteger()
{
    return integers.alloc();
}

CMC_String* CMC_VariableFactory::allocString()
{
    return strings.alloc();
}

namespace {

template <typename Value, typename Held>
Value* holding(Value* value, const Held& held)
{
    value->setValue(held);
    return value;
}

} // namespace

CMC_Bool* CMC_VariableFactory::allocBool(bool value)
{
    return holding(allocBool(), value);
}

CMC_Double* CMC_VariableFactory::allocDouble(double value)
{
    return holding(allocDouble(), value);
}

CMC_Integer* CMC_VariableFactory::allocInteger(int32_t value)
{
    return holding(allocInteger(), value);
}

CMC_String* CMC_VariableFactory::allocString(const CXString& value)
{
    return holding(allocString(), value);
}

CMC_Variable* CMC_VariableFactory::alloc(int type)
{
    switch (type) {
    case CMC_Object::TYPE_INTEGER:
        return allocInteger();
    case CMC_Object::TYPE_STRING:
        return allocString();
    case CMC_Object::TYPE_BOOL:
        return allocBool();
    case CMC_Object::TYPE_DOUBLE:
        return allocDouble();
    default:
        return nullptr;
    }
}

CMC_Variable* CMC_VariableFactory::makeNamed(int type, const CXString& name)
{
    switch (type) {
    case CMC_Object::TYPE_INTEGER:
        return new CMC_Integer(name);
    case CMC_Object::TYPE_STRING:
        return new CMC_String(name);
    case CMC_Object::TYPE_BOOL:
        return new CMC_Bool(name);
    case CMC_Object::TYPE_DOUBLE:
        return new CMC_Double(name);
    default:
        return nullptr;
    }
}

void CMC_VariableFactory::free(CMC_Variable* value)
{
    if (value == nullptr)
        return;
    switch (value->getType()) {
    case CMC_Object::TYPE_INTEGER:
        integers.free(value);
        break;
    case CMC_Object::TYPE_STRING:
        strings.free(value);
        break;
    case CMC_Object::TYPE_BOOL:
        bools.free(value);
        break;
    case CMC_Object::TYPE_DOUBLE:
        doubles.free(value);
        break;
    default:
        break;
    }
}

void CMC_VariableFactory::clearPool()
{
    bools.clear();
    doubles.clear();
    integers.clear();
    strings.clear();
}

CMC_Variable* CMC_VariableFactory::copyVariable(CMC_Variable* value)
{
    if (value == nullptr)
        return nullptr;
    switch (value->getType()) {
    case CMC_Object::TYPE_INTEGER:
        return copied(integers, value);
    case CMC_Object::TYPE_STRING:
        return copied(strings, value);
    case CMC_Object::TYPE_BOOL:
        return copied(bools, value);
    case CMC_Object::TYPE_DOUBLE:
        return copied(doubles, value);
    default:
        return nullptr;
    }
}

std::unique_ptr<CMC_Variable> CMC_VariableFactory::ownedCopy(CMC_Variable* value)
{
    std::unique_ptr<CXObject> copy(value != nullptr ? value->clone() : nullptr);
    auto* variable = dynamic_cast<CMC_Variable*>(copy.get());
    if (variable != nullptr)
        copy.release();
    return std::unique_ptr<CMC_Variable>(variable);
}

bool CMC_VariableFactory::isBasicType(int type)
{
    return type >= CMC_Object::TYPE_INTEGER && type <= CMC_Object::TYPE_DOUBLE;
}

CMC_Variable* CMC_VariableFactory::netrestore(const void* buffer, int length)
{
    if (buffer == nullptr || length < 4)
        return nullptr;
    CMC_Variable* value = alloc(CMC_Variable::getInt32(buffer, 0));
    if (value != nullptr && !value->netrestore(buffer, length)) {
        free(value);
        return nullptr;
    }
    return value;
}

CMC_Variable* CMC_VariableFactory::restore(CXArchive* archive)
{
    int32_t type = 0;
    *archive >> &type;
    CMC_Variable* value = archive->failed() ? nullptr : alloc(type);
    if (value == nullptr)
        return nullptr;
    value->restore(archive);
    if (archive->failed()) {
        free(value);
        return nullptr;
    }
    return value;
}
