#pragma once

#include "script/CMC_Object.h"

// Base of every script value. A value lent by the value pools carries its slot number as id;
// every other value has id -1.
//
// Every assignment reports through onChange: "ONBRUTALCHANGED" each time, and only on a real
// change "ONCHANGED", the write of a TOINI value to the application INI (section: the owning
// container's name, key: the value's name) and the announcement of a NETNOTIFY value to the
// other players. Each signal goes first with "^" and the new text, and plainly when nothing
// is bound to that form.
//
// Network form: the 32-bit little-endian type id, then the type's payload; getBufferLen gives
// the whole size. Archived form: the type id as an archive int, then the value.
class CMC_Variable : public CMC_Object {
public:
    static constexpr int SIGNAL_ONSIGNAL = 2;
    static constexpr int SIGNAL_ONCHANGED = 3;
    static constexpr int SIGNAL_ONBRUTALCHANGED = 4;
    static constexpr int SIGNAL_ONNETCHANGE = 5;

    // Operation codes of calculate.
    static constexpr int OP_ADD = 1;
    static constexpr int OP_SUB = 2;
    static constexpr int OP_MUL = 3;
    static constexpr int OP_DIV = 4;
    static constexpr int OP_MOD = 5;

    CMC_Variable(const CXString& name, int type);
    CMC_Variable(const CXString& name, int type, int id);
    // Reads "TOINI" and "NETNOTIFY" (a TOINI value is always announced) and binds the
    // element's signal properties.
    CMC_Variable(CMC_ObjectsContainer* container, CMElement* element, int type);

    using CMC_Object::equals;
    CMC_Variable* asVariable() override { return this; }
    // Compares with a value; anything else counts as a value that cannot be converted.
    int compare(CXObject* other) override;
    // A TOINI value takes its text from the application INI, or writes it there on its first
    // run; then "ONINIT".
    void init() override;
    const CMC_SignalList* getBehavioursList() override;
    // The object's record, then the TOINI and NETNOTIFY flags.
    void serialize(CXArchive* archive) override;

    // Takes v's value converted to this type; nothing changes when it cannot be converted.
    virtual void set(CMC_Variable* v);
    virtual void clear() = 0;
    virtual void swap(CMC_Variable* a, CMC_Variable* b) = 0;
    virtual void inc() = 0;
    virtual void dec() = 0;
    // Equality and order with v converted to this type: the left value decides.
    virtual bool equals(CMC_Variable* v) = 0;
    virtual int compare(CMC_Variable* v) = 0;
    // A pooled temporary of that type holding this value, this value itself for its own type,
    // or none. A pooled temporary gives itself back before it makes the new one.
    virtual CMC_Variable* convert(int type) = 0;
    // A pooled temporary of this type holding this value combined with v (OP_ADD to OP_MOD);
    // this value stays as it is.
    virtual CMC_Variable* calculate(CMC_Variable* v, int op) = 0;
    // Reports an assignment; a value that nothing listens to returns at once.
    void onChange(bool changed)
    {
        if (isSignalBound(SIGNAL_ONBRUTALCHANGED) ||
            (changed && (isSignalBound(SIGNAL_ONCHANGED) || toIni_ || netNotify_)))
            report(changed);
    }
    // A value received from the network: "ONNETCHANGE", then the assignment with every report
    // but the announcement, which would only send the value back.
    virtual void onNetChange(CMC_Variable* v);
    virtual void setDefault(CMC_Variable* v) = 0;
    // A TOINI value goes back to its default, reported as a change.
    virtual void resetINI() = 0;
    virtual int getBufferLen() = 0;
    // Writes getBufferLen bytes.
    virtual void netstore(void* buffer) = 0;
    // Reads the value from a whole network form of that many bytes; false, with the value
    // unchanged, when the bytes are too few for it.
    virtual bool netrestore(const void* buffer, int length) = 0;
    virtual void store(CXArchive* archive) = 0;
    // Reads the value that follows the type id.
    virtual void restore(CXArchive* archive) = 0;
    virtual void fromString(const CXString& text);
    // A STRUCTURE's field of that name; none for every other value.
    virtual CMC_Variable* getField(const CXString&) { return nullptr; }

    int getId() const { return id_; }
    bool isToIni() const { return toIni_; }
    bool isNetNotify() const { return netNotify_; }

    // A pooled temporary for a literal of behaviour code: "..." a STRING without the quotes,
    // a leading '-' or digit an INTEGER (a DOUBLE when there is a '.'), TRUE or FALSE a BOOL,
    // any other text a STRING.
    static CMC_Variable* resolve(const CXString& text);

    // The field of that name of the object when it is a STRUCTURE (STRUCT|FIELD in code);
    // none otherwise.
    static CMC_Variable* fieldOf(CMC_Object* structure, const CXString& field);

    // The 32-bit little-endian words of the network forms.
    static void putInt32(void* buffer, int offset, int32_t value);
    static int32_t getInt32(const void* buffer, int offset);

protected:
    // The type id that opens every network form.
    void netstoreType(void* buffer);
    // v converted to the type, or none; give it back with releaseConverted.
    static CMC_Variable* converted(CMC_Variable* v, int type);
    static void releaseConverted(CMC_Variable* original, CMC_Variable* converted);
    // Whether a definition gives a non-empty "DEFAULT".
    static bool definesDefault(CMElement* element);
    // The pooled results of convert: this value, if pooled, is given back first.
    CMC_Variable* allocInteger(int32_t value);
    CMC_Variable* allocString(const CXString& value);
    CMC_Variable* allocBool(bool value);
    CMC_Variable* allocDouble(double value);

private:
    void report(bool changed);
    void raiseWithValue(const char* name);
    void announce();

    int32_t id_ = -1;
    bool toIni_ = false;
    bool netNotify_ = false;
};
