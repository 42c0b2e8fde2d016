#pragma once

#include <cstdint>
#include <memory>

class CXString;

class CMC_Bool;
class CMC_Double;
class CMC_Integer;
class CMC_String;
class CMC_Variable;
class CXArchive;
class CXString;

// The value pools: short-lived values (method results, converted arguments, arithmetic
// steps) are lent from one pool per basic type instead of being made and deleted. Each pool
// starts with 500 members named "f" whose id is their slot. Lending is round-robin from the
// slot lent last, so a slot just given back is lent again only after every other free slot;
// the first loan of a fresh pool is slot 1. A full pool grows, and the order goes on through
// the new slots. Every loan is given back at the end of the frame (clearPool).
//
// A member keeps the value it held last: whoever takes one sets it.
class CMC_VariableFactory {
public:
    static constexpr int kInitialPoolSize = 500;

    static void initialize();
    static void done();

    static CMC_Bool* allocBool();
    static CMC_Double* allocDouble();
    static CMC_Integer* allocInteger();
    static CMC_String* allocString();
    // A loan already holding the value.
    static CMC_Bool* allocBool(bool value);
    static CMC_Double* allocDouble(double value);
    static CMC_Integer* allocInteger(int32_t value);
    static CMC_String* allocString(const CXString& value);
    // A pooled value of a BOOL, DOUBLE, INTEGER or STRING type id; none for other ids.
    static CMC_Variable* alloc(int type);
    // A new value of its own, outside the pools, with that name and its type's empty value;
    // none for ids other than BOOL, DOUBLE, INTEGER and STRING.
    static CMC_Variable* makeNamed(int type, const CXString& name);
    // Marks a member of a pool free again; anything else is ignored.
    static void free(CMC_Variable* value);
    static void clearPool();

    // A pooled copy of a BOOL, DOUBLE, INTEGER or STRING value; none for other types.
    static CMC_Variable* copyVariable(CMC_Variable* value);
    // A copy of any value that its owner keeps beyond the frame (the value's clone); none
    // for no value and for values that cannot be copied.
    static std::unique_ptr<CMC_Variable> ownedCopy(CMC_Variable* value);
    // Whether the type is one that the pools lend, copy and restore: BOOL, DOUBLE, INTEGER or
    // STRING.
    static bool isBasicType(int type);
    // A pooled value read from a network form of that many bytes: its type id, then the
    // value. None for an unknown type or a form too short for its value.
    static CMC_Variable* netrestore(const void* buffer, int length);
    // A pooled value read from an archive: an int type id, then the value. None for an
    // unknown type or a damaged archive.
    static CMC_Variable* restore(CXArchive* archive);
};
