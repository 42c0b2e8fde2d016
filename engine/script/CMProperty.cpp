#include "script/CMProperty.h"

#include "foundation/CXArray.h"

#include <array>
#include <cstddef>

namespace {

// The first `count` items of the value's list, by the integer rule; missing items are 0.
template <size_t count>
std::array<int, count> leadingNumbers(const CMProperty& property)
{
    std::array<int, count> numbers{};
    CXArray* items = property.getListValue();
    for (int i = 0; i < items->getCount() && i < static_cast<int>(count); ++i)
        numbers[static_cast<size_t>(i)] = static_cast<CXString*>(items->at(i))->toNumber();
    CXString::releaseToVector(items);
    return numbers;
}

} // namespace

CMProperty::CMProperty(const CXString& name)
    : name_(name)
{
}

CMProperty::CMProperty(const CXString& name, const CXString& value)
    : name_(name)
    , value_(value)
{
}

bool CMProperty::equals(CXObject* other)
{
    auto* property = dynamic_cast<CMProperty*>(other);
    return property != nullptr && property->name_ == name_;
}

int CMProperty::getIntValue() const
{
    return value_.toNumber();
}

bool CMProperty::getBoolValue() const
{
    return value_.toBool();
}

double CMProperty::getDoubleValue() const
{
    return value_.toDouble();
}

CXArray* CMProperty::getListValue() const
{
    return value_.toVector();
}

CXSize CMProperty::getSizeValue() const
{
    auto [width, height] = leadingNumbers<2>(*this);
    return CXSize(width, height);
}

CXPoint CMProperty::getPointValue() const
{
    auto [x, y] = leadingNumbers<2>(*this);
    return CXPoint(x, y);
}

CXRect CMProperty::getRectValue() const
{
    auto [left, top, right, bottom] = leadingNumbers<4>(*this);
    return CXRect(left, top, right, bottom);
}
