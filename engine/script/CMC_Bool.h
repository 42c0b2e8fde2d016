#pragma once

#include "script/CMC_BasicValue.h"

// The BOOL script value. Counting it up or down, or switching it, negates it; ADD is AND and
// MUL is OR; FALSE comes before TRUE.
//
// Network form: type id 3 and one byte, 1 for true. Archived form: type id 3 and the value
// as a 32-bit integer; a compiled scene holds value and default as archive bools.
class CMC_Bool : public CMC_BasicValue<bool> {
public:
    explicit CMC_Bool(const CXString& name);
    // A member of the value pools.
    CMC_Bool(const CXString& name, int id);
    // A value named "temp" whose default is the value too.
    explicit CMC_Bool(bool value);
    // From a BOOL definition: "VALUE", and "DEFAULT" when it is given.
    CMC_Bool(CMC_ObjectsContainer* container, CMElement* element);

    using CMC_Object::clone;
    CXObject* clone() override;
    // "TRUE" or "FALSE".
    CXString toString() override { return CXString::toString(value_); }

    // Negates the value whatever the arguments.
    void swap(CMC_Variable* a, CMC_Variable* b) override;
    void inc() override;
    void dec() override;
    CMC_Variable* convert(int type) override;
    CMC_Variable* calculate(CMC_Variable* v, int op) override;
    int getBufferLen() override { return 5; }
    void netstore(void* buffer) override;
    bool netrestore(const void* buffer, int length) override;
    void store(CXArchive* archive) override;
    void restore(CXArchive* archive) override;
    // True only for "TRUE" in any letter case; no report.
    void fromString(const CXString& text) override { value_ = CXString::toBool(text); }

private:
    void negate();
};
