#pragma once

#include "script/CMC_BasicValue.h"

// The DOUBLE script value, shown with five decimals. Division by 0.0 gives an infinity; MOD
// works on the values truncated to integers and gives 0 for a divisor that truncates to 0.
//
// Network form: type id 4 and the IEEE double, 12 bytes, exact. Archived form and compiled
// scenes keep thousandths only.
class CMC_Double : public CMC_BasicValue<double> {
public:
    explicit CMC_Double(const CXString& name);
    // A member of the value pools.
    CMC_Double(const CXString& name, int id);
    // A value named "temp" whose default is the value too.
    explicit CMC_Double(double value);
    // From a DOUBLE definition: "VALUE", and "DEFAULT" when it is given.
    CMC_Double(CMC_ObjectsContainer* container, CMElement* element);

    using CMC_Object::clone;
    CXObject* clone() override;
    CXString toString() override { return CXString::toString(value_); }

    void inc() override;
    void dec() override;
    CMC_Variable* convert(int type) override;
    CMC_Variable* calculate(CMC_Variable* v, int op) override;
    int getBufferLen() override { return 12; }
    void netstore(void* buffer) override;
    bool netrestore(const void* buffer, int length) override;
    void store(CXArchive* archive) override;
    void restore(CXArchive* archive) override;
    // The leading decimal number of the text (atof rules); no report.
    void fromString(const CXString& text) override { value_ = text.toDouble(); }
};
