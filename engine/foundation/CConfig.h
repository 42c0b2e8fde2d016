#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

// One INI file, named the Windows way, read and written key by key with no cache: every
// call goes to the file.
// Sections and keys are matched ignoring case; missing files, sections and keys read as
// 0 or the empty text, and a write creates whatever is missing.
class CConfig : public CXObject {
public:
    CConfig() = default;
    explicit CConfig(const CXString& fileName);

    const CXString& getFileName() const { return fileName_; }

    // The value's leading number (atoi rules); 0 when missing or not a number.
    int GetInt(const CXString& section, const CXString& key);
    // At most 10,239 characters of the value; "" when missing.
    CXString GetString(const CXString& section, const CXString& key);
    // The writes replace the file as a whole; false when it could not be written,
    // and the old file then stays as it was.
    bool PutInt(const CXString& section, const CXString& key, int value);
    bool PutString(const CXString& section, const CXString& key, const CXString& value);

private:
    CXString fileName_;
};
