#pragma once

#include "script/CMC_BasicValue.h"

// The INTEGER script value: a signed 32-bit number whose arithmetic wraps around. Division
// and remainder by 0 give 0.
//
// Network form: type id 1 and the value, 8 bytes. Archived form: type id 1 and the value.
class CMC_Integer : public CMC_BasicValue<int32_t> {
public:
    explicit CMC_Integer(const CXString& name);
    // A member of the value pools.
    CMC_Integer(const CXString& name, int id);
    // A value named "temp" whose default is the value too.
    explicit CMC_Integer(int value);
    // From an INTEGER definition: "VALUE", and "DEFAULT" when it is given.
    CMC_Integer(CMC_ObjectsContainer* container, CMElement* element);

    using CMC_Object::clone;
    CXObject* clone() override;
    CXString toString() override { return CXString::toString(value_); }

    void inc() override;
    void dec() override;
    CMC_Variable* convert(int type) override;
    CMC_Variable* calculate(CMC_Variable* v, int op) override;
    int getBufferLen() override { return 8; }
    void netstore(void* buffer) override;
    bool netrestore(const void* buffer, int length) override;
    void store(CXArchive* archive) override;
    void restore(CXArchive* archive) override;
    // The leading decimal number of the text (atoi rules); no report.
    void fromString(const CXString& text) override { value_ = text.toNumber(); }

    // The wrap-around arithmetic of INTEGER values (OP_ADD to OP_MOD): x / 0 and x % 0 give 0,
    // INT_MIN / -1 gives INT_MIN; any other operation gives 0.
    static int32_t arithmetic(int32_t a, int32_t b, int op)
    {
        const auto x = static_cast<uint32_t>(a);
        const auto y = static_cast<uint32_t>(b);
        switch (op) {
        case OP_ADD:
            return static_cast<int32_t>(x + y);
        case OP_SUB:
            return static_cast<int32_t>(x - y);
        case OP_MUL:
            return static_cast<int32_t>(x * y);
        case OP_DIV:
            if (b == 0)
                return 0;
            return a == INT32_MIN && b == -1 ? INT32_MIN : a / b;
        case OP_MOD:
            // Every remainder by -1 is 0, and INT_MIN % -1 would trap.
            return b == 0 || b == -1 ? 0 : a % b;
        default:
            return 0;
        }
    }

protected:
    int orderWithoutOther() override { return 1; }
};
