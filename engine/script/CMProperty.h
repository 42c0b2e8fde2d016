#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXPoint.h"
#include "foundation/CXRect.h"
#include "foundation/CXSize.h"
#include "foundation/CXString.h"
#include "script/CMNamedList.h"

class CXArray;

// One name/value pair of a definition element. Typed readings are made from the text
// on every request; nothing is cached.
class CMProperty : public CXObject {
public:
    CMProperty() = default;
    explicit CMProperty(const CXString& name);
    CMProperty(const CXString& name, const CXString& value);

    CXString getName() const { return name_; }
    CXString getValue() const { return value_; }
    void setName(const CXString& name) { name_ = name; }
    void setValue(const CXString& value) { value_ = value; }

    // Same name, compared exactly.
    bool equals(CXObject* other) override;

    // Leading number by atoi rules, 0 when none.
    int getIntValue() const;
    // True only for "TRUE" in any letter case.
    bool getBoolValue() const;
    double getDoubleValue() const;
    // The items between commas, blanks and line breaks, as new CXStrings in a new
    // array; the caller releases both (CXString::releaseToVector).
    CXArray* getListValue() const;
    // The first two list items; a missing item reads as 0.
    CXSize getSizeValue() const;
    CXPoint getPointValue() const;
    // The first four list items as left, top, right, bottom; a missing item reads as 0.
    CXRect getRectValue() const;

private:
    CXString name_;
    CXString value_;
};

// The properties of one element in the order they were added; it owns them.
class CMProperties : public CMNamedList<CMProperty> {
public:
    CMProperties()
        : CMNamedList(true)
    {
    }
};
