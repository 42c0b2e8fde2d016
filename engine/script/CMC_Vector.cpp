#include "script/CMC_Vector.h"

#include "foundation/CXArchive.h"
#include "foundation/CXArray.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"

#include <algorithm>
#include <cmath>
#include <memory>

CMC_Vector::CMC_Vector(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Object(container, element, TYPE_VECTOR)
    , values_(static_cast<size_t>(std::max(element->getPropertyIntValue("SIZE"), 0)), 0.0)
{
    std::unique_ptr<CXArray, void (*)(CXArray*)> list(element->getPropertyListValue("VALUE"), CXString::releaseToVector);
    for (int i = 0; list && i < list->getCount() && i < getSize(); ++i)
        values_[static_cast<size_t>(i)] = list->stringAt(i)->toDouble();
    initializeBehaviours(container, element);
}

CMC_Vector::CMC_Vector(CMC_Vector* source)
    : CMC_Object(CXString("clone"), TYPE_VECTOR)
{
    if (source == nullptr)
        return;
    setScene(source->getScene());
    values_ = source->values_;
}

CMC_Vector::~CMC_Vector() = default;

CXString CMC_Vector::toString()
{
    CXString text;
    for (size_t i = 0; i < values_.size(); ++i) {
        if (i > 0)
            text += ',';
        text += CXString::toString(values_[i]);
    }
    return text;
}

const CMC_SignalList* CMC_Vector::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
    return &signals;
}

// Read element by element, so that a damaged size cannot make a large allocation.
void CMC_Vector::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        *archive << static_cast<int32_t>(values_.size());
        for (double value : values_)
            *archive << value;
        return;
    }
    int32_t size = 0;
    *archive >> &size;
    if (archive->failed())
        return;
    if (size < 0) {
        archive->setFailed();
        return;
    }
    std::vector<double> read;
    for (int32_t i = 0; i < size && !archive->failed(); ++i) {
        double value = 0.0;
        *archive >> &value;
        read.push_back(value);
    }
    if (!archive->failed())
        values_ = std::move(read);
}

double CMC_Vector::get(int i) const
{
    return i >= 0 && i < getSize() ? values_[static_cast<size_t>(i)] : 0.0;
}

void CMC_Vector::set(int i, double value)
{
    if (i >= 0 && i < getSize())
        values_[static_cast<size_t>(i)] = value;
}

void CMC_Vector::assign(const CMC_Vector* other)
{
    const size_t common = std::min(values_.size(), other->values_.size());
    std::copy_n(other->values_.begin(), common, values_.begin());
}

void CMC_Vector::add(const CMC_Vector* other)
{
    if (other->values_.size() != values_.size())
        return;
    for (size_t i = 0; i < values_.size(); ++i)
        values_[i] += other->values_[i];
}

void CMC_Vector::sub(const CMC_Vector* other)
{
    if (other->values_.size() != values_.size())
        return;
    for (size_t i = 0; i < values_.size(); ++i)
        values_[i] -= other->values_[i];
}

void CMC_Vector::neg()
{
    for (double& value : values_)
        value = -value;
}

double CMC_Vector::dot(const CMC_Vector* other) const
{
    if (other->values_.size() != values_.size())
        return 0.0;
    double sum = 0.0;
    for (size_t i = 0; i < values_.size(); ++i)
        sum += values_[i] * other->values_[i];
    return sum;
}

void CMC_Vector::mul(double factor)
{
    for (double& value : values_)
        value *= factor;
}

double CMC_Vector::length() const
{
    return std::sqrt(dot(this));
}

void CMC_Vector::normalize()
{
    const double by = length();
    for (double& value : values_)
        value /= by;
}

void CMC_Vector::reflect(const CMC_Vector* normal, CMC_Vector* result) const
{
    const double d = dot(normal);
    const size_t common = std::min({values_.size(), normal->values_.size(), result->values_.size()});
    for (size_t i = 0; i < common; ++i)
        result->values_[i] = 2.0 * d * normal->values_[i] - values_[i];
}

void CMC_Vector::expand(int size)
{
    if (size <= getSize())
        return;
    values_.insert(values_.begin(), static_cast<size_t>(size - getSize()), 0.0);
}
