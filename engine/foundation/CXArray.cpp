#include "foundation/CXArray.h"

#include "foundation/CXString.h"

#include <algorithm>
#include <utility>

CXArray::CXArray(int initialSize, float growth)
    : growth_(growth)
    , slots_(std::max(initialSize, 1), nullptr)
{
}

CXArray* CXArray::clone()
{
    auto* copy = new CXArray(getCapacity(), growth_);
    copy->add(this);
    return copy;
}

void CXArray::doubleSize()
{
    slots_.resize(slots_.size() * 2, nullptr);
}

void CXArray::growToHold(int total)
{
    while (getCapacity() < total || getCapacity() * growth_ < total)
        doubleSize();
}

void CXArray::add(void* p)
{
    growToHold(count_ + 1);
    slots_[count_++] = p;
}

void CXArray::add(const CXArray* other)
{
    const int otherCount = other->count_;
    growToHold(count_ + otherCount);
    std::copy_n(other->slots_.begin(), otherCount, slots_.begin() + count_);
    count_ += otherCount;
}

bool CXArray::replace(void* old, void* replacement)
{
    const int i = find(old);
    if (i == -1)
        return false;
    slots_[i] = replacement;
    return true;
}

void* CXArray::setAtGrowing(int i, void* p)
{
    if (i < 0)
        return nullptr;
    growToHold(i);
    if (i >= getCapacity())
        return nullptr;
    return std::exchange(slots_[i], p);
}

void CXArray::insertAt(int i, void* p)
{
    if (i < 0 || i > count_)
        return;
    growToHold(count_ + 1);
    std::copy_backward(slots_.begin() + i, slots_.begin() + count_, slots_.begin() + count_ + 1);
    slots_[i] = p;
    ++count_;
}

void CXArray::remove(void* p)
{
    removeAt(find(p));
}

void CXArray::removeAt(int i)
{
    if (i < 0 || i >= count_)
        return;
    std::copy(slots_.begin() + i + 1, slots_.begin() + count_, slots_.begin() + i);
    --count_;
}

int CXArray::find(void* p) const
{
    const auto end = slots_.begin() + count_;
    const auto it = std::find(slots_.begin(), end, p);
    return it == end ? -1 : static_cast<int>(it - slots_.begin());
}

bool CXArray::containsString(const CXString& s) const
{
    return std::any_of(slots_.begin(), slots_.begin() + count_, [&s](void* element) {
        return element != nullptr && static_cast<CXObject*>(element)->toString().equalsIgnoreCase(s);
    });
}

CXString* CXArray::stringAt(int i) const
{
    return i >= 0 && i < count_ ? static_cast<CXString*>(slots_[i]) : nullptr;
}
