#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

// The script value of type STRING: a named text.
class CMC_String : public CXObject {
public:
    explicit CMC_String(const CXString& name);
    CMC_String(const CXString& name, const CXString& text);

    const CXString& getName() const { return name_; }
    CXString getValue() const { return value_; }
    void setValue(const CXString& text) { value_ = text; }

private:
    CXString name_;
    CXString value_;
};
