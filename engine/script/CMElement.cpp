#include "script/CMElement.h"

namespace {

// The reading of the first property of that name, or the default when there is none.
template <typename Result>
Result readFirst(const CMProperties& properties, const CXString& name, Result (CMProperty::*reading)() const, Result absent)
{
    CMProperty* property = properties.get(name);
    return property ? (property->*reading)() : absent;
}

} // namespace

CMElement::CMElement(const CXString& name)
    : name_(name)
    , properties_(std::make_unique<CMProperties>())
    , children_(std::make_unique<CMElements>(false))
{
}

CMElement::~CMElement() = default;

void CMElement::addChild(CMElement* child)
{
    children_->add(child);
}

void CMElement::addProperty(const CXString& name)
{
    if (!properties_->contains(name))
        properties_->add(new CMProperty(name));
}

void CMElement::addProperty(const CXString& name, const CXString& value)
{
    properties_->add(new CMProperty(name, value));
}

void CMElement::setProperty(const CXString& name, const CXString& value)
{
    if (CMProperty* property = properties_->get(name))
        property->setValue(value);
}

void CMElement::removeProperty(const CXString& name)
{
    properties_->remove(properties_->get(name));
}

void CMElement::removeAll()
{
    while (properties_->getCount() > 0)
        properties_->remove(properties_->getAt(0));
}

bool CMElement::isPropertyAvailable(const CXString& name) const
{
    return properties_->contains(name);
}

bool CMElement::hasProperty(const CXString& name) const
{
    CXString upper(name);
    return properties_->contains(upper.Upper());
}

CXString CMElement::getPropertyValue(const CXString& name) const
{
    return readFirst(*properties_, name, &CMProperty::getValue, CXString());
}

int CMElement::getPropertyIntValue(const CXString& name) const
{
    return readFirst(*properties_, name, &CMProperty::getIntValue, 0);
}

bool CMElement::getPropertyBoolValue(const CXString& name) const
{
    return readFirst(*properties_, name, &CMProperty::getBoolValue, false);
}

double CMElement::getPropertyDoubleValue(const CXString& name) const
{
    return readFirst(*properties_, name, &CMProperty::getDoubleValue, 0.0);
}

CXArray* CMElement::getPropertyListValue(const CXString& name) const
{
    return readFirst(*properties_, name, &CMProperty::getListValue, static_cast<CXArray*>(nullptr));
}

CXSize CMElement::getPropertySizeValue(const CXString& name) const
{
    return readFirst(*properties_, name, &CMProperty::getSizeValue, CXSize(0, 0));
}

CXPoint CMElement::getPropertyPointValue(const CXString& name) const
{
    return readFirst(*properties_, name, &CMProperty::getPointValue, CXPoint(0, 0));
}

CXRect CMElement::getPropertyRectValue(const CXString& name) const
{
    return readFirst(*properties_, name, &CMProperty::getRectValue, CXRect(0, 0, 0, 0));
}
