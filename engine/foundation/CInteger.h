#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

// A boxed int: a hash-table key or value whose hash code and equality are its value.
class CInteger final : public CXObject {
public:
    CInteger() = default;
    explicit CInteger(int value)
        : value_(value)
    {
    }
    // The text read as a decimal whole number.
    explicit CInteger(const CXString& text);

    int toInt() const { return value_; }
    void increment() { ++value_; }
    void decrement() { --value_; }
    void parse(const CXString& text);

    int getHashcode() override { return value_; }
    bool equals(CXObject* other) override;

    static CXString toString(int v) { return CXString::toString(v); }

private:
    int32_t value_ = 0;
};
