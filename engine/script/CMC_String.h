#pragma once

#include "script/CMC_BasicValue.h"

// The STRING script value: a text of Windows-1250 bytes. Equality ignores letter case (the
// Polish letters included); order does not.
//
// Network form: type id 2, the text and one zero byte. Archived form: type id 2 and the text.
class CMC_String : public CMC_BasicValue<CXString> {
public:
    explicit CMC_String(const CXString& name);
    // A member of the value pools.
    CMC_String(const CXString& name, int id);
    // The text is the default too.
    CMC_String(const CXString& name, const CXString& text);
    // From a STRING definition: "VALUE", and "DEFAULT" when it is given.
    CMC_String(CMC_ObjectsContainer* container, CMElement* element);

    using CMC_Object::clone;
    CXObject* clone() override;
    CXString toString() override { return value_; }

    // A text cannot be counted up or down: nothing happens.
    void inc() override {}
    void dec() override {}
    CMC_Variable* convert(int type) override;
    // Only OP_ADD joins the texts; every other operation gives this text.
    CMC_Variable* calculate(CMC_Variable* v, int op) override;
    int getBufferLen() override { return value_.GetLength() + 5; }
    void netstore(void* buffer) override;
    // Refuses a form whose text has no zero byte within the length.
    bool netrestore(const void* buffer, int length) override;
    void store(CXArchive* archive) override;
    void restore(CXArchive* archive) override;
    void fromString(const CXString& text) override { value_ = text; }
    // Upper-cases the text in place, without a report.
    virtual void upper() { value_.Upper(); }
};
