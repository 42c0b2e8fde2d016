#pragma once

#include <cstdint>

class CXString;
class CMessage;

// Kinds of error record; only the default is used so far.
enum _errtype {
    ERRTYPE_NONE = 0,
    ERRTYPE_DEFAULT = 1,
};

// Root of nearly every engine class: an error code, a deferred-delete mark and
// ten virtual operations that subclasses may replace.
class CXObject {
public:
    CXObject() = default;
    CXObject(const CXObject& other) = default;
    CXObject& operator=(const CXObject& other) = default;
    virtual ~CXObject() = default;

    virtual bool isToDelete();
    // The object is deleted later, at a frame boundary, by the window's deferred-delete bin.
    virtual void setToDelete();
    virtual int getHashcode();
    virtual bool equals(CXObject* other);
    virtual int compare(CXObject* other);
    virtual CXObject* clone();
    virtual CXString toString();
    virtual void notifyMessageReceive(CMessage* message);
    virtual int processMessage(CMessage* message);

    void setErrorCode(int code) { errorCode_ = code; }
    int LastError() const { return errorCode_; }

    short swap_word(short v);
    int swap_dword(int v);

    void log(const char* text, bool flag);

    // One-slot stopwatch: a name starts it, a null name prints
    // "Time spend in <name>: <ms> ms." to the debugger output and stops it.
    static void profile(const char* name, bool toLog);

private:
    int32_t reserved_ = 0;
    int errorCode_ = 0;
    bool toDelete_ = false;
};

int absolute(int v);

// A plain error record: a code and its kind.
class CError {
public:
    int LastError() const { return code_; }
    int operator<<(int code);
    int operator<<(const char* text);
    void Type(_errtype type) { type_ = type; }
    int GetType() const { return type_; }

private:
    int code_ = 0;
    _errtype type_ = ERRTYPE_DEFAULT;
};
