#pragma once

#include "foundation/CXArchive.h"
#include "script/CMC_Variable.h"

// What INTEGER, STRING, BOOL and DOUBLE share: a current value and the default that RESETINI
// restores, both of one plain type. Another value given to one of them is first converted
// to its type (the left value decides); when that fails, assignments change nothing.
template <typename Value>
class CMC_BasicValue : public CMC_Variable {
public:
    using CMC_Variable::compare;
    using CMC_Variable::equals;

    const Value& getValue() const { return value_; }
    // Stores the value and reports it as no change.
    void setValue(const Value& value)
    {
        storeValue(value);
        onChange(false);
    }

    // Stores the value and reports whether it changed.
    void assign(const Value& value)
    {
        const bool changed = !(value == value_);
        storeValue(value);
        onChange(changed);
    }

    void set(CMC_Variable* v) override
    {
        CMC_Variable* w = converted(v, getType());
        bool changed = false;
        if (w != nullptr) {
            const Value& given = static_cast<CMC_BasicValue*>(w)->value_;
            changed = !(given == value_);
            if (changed)
                storeValue(given);
        }
        releaseConverted(v, w);
        onChange(changed);
    }
    void clear() override { assign(Value()); }
    // SWITCH: takes b's value when a's equals the current one exactly, else a's.
    void swap(CMC_Variable* a, CMC_Variable* b) override
    {
        Value x;
        Value y;
        if (readFrom(a, &x) && readFrom(b, &y))
            assign(x == value_ ? y : x);
    }
    bool equals(CMC_Variable* v) override
    {
        Value other;
        return readFrom(v, &other) && sameValue(value_, other);
    }
    // Below 0, 0 or above 0 as this value comes before, with or after v's.
    int compare(CMC_Variable* v) override
    {
        Value other;
        return readFrom(v, &other) ? order(value_, other) : orderWithoutOther();
    }
    void setDefault(CMC_Variable* v) override { readFrom(v, &default_); }
    void resetINI() override
    {
        if (!isToIni())
            return;
        storeValue(default_);
        onChange(true);
    }
    // The variable's record, then the value and the default.
    void serialize(CXArchive* archive) override
    {
        CMC_Variable::serialize(archive);
        if (archive->isStoring())
            *archive << value_ << default_;
        else
            *archive >> &value_ >> &default_;
    }

protected:
    CMC_BasicValue(const CXString& name, int type, int id, const Value& value)
        : CMC_Variable(name, type, id)
        , value_(value)
        , default_(value)
    {
    }
    // From a definition: the value read from "VALUE", and the one read from "DEFAULT" when
    // that property is given, else the value again.
    CMC_BasicValue(CMC_ObjectsContainer* container, CMElement* element, int type, const Value& value,
                   const Value& givenDefault)
        : CMC_Variable(container, element, type)
        , value_(value)
        , default_(definesDefault(element) ? givenDefault : value)
    {
    }

    // v's value converted to this type; false, with out unchanged, when that is impossible.
    bool readFrom(CMC_Variable* v, Value* out)
    {
        CMC_Variable* w = converted(v, getType());
        if (w != nullptr)
            *out = static_cast<CMC_BasicValue*>(w)->value_;
        releaseConverted(v, w);
        return w != nullptr;
    }
    // Takes the value; a text reuses the storage it has.
    void storeValue(const Value& value) { value_ = value; }
    // The order that compare gives when the other value cannot be converted.
    virtual int orderWithoutOther() { return -1; }

    // Equality and order as scripts see them.
    static bool sameValue(const Value& a, const Value& b) { return a == b; }
    static int order(const Value& a, const Value& b) { return a == b ? 0 : (a < b ? -1 : 1); }

    Value value_;
    Value default_;
};

template <>
inline void CMC_BasicValue<CXString>::storeValue(const CXString& value)
{
    value_ = value.c_str();
}

// Texts are equal ignoring letter case, and ordered by their bytes as unsigned numbers with
// letter case counting, a text coming before its continuations.
template <>
bool CMC_BasicValue<CXString>::sameValue(const CXString& a, const CXString& b);
template <>
int CMC_BasicValue<CXString>::order(const CXString& a, const CXString& b);
