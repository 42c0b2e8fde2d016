#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "platform/ProfileFile.h"

#include <optional>
#include <string>

// One INI file, named the Windows way, read and written key by key with no cache: every
// read goes to the file, and so does every write, unless writes are gathered.
// Sections and keys are matched ignoring case; missing files, sections and keys read as
// 0 or the empty text, and a write creates whatever is missing.
class CConfig : public CXObject {
public:
    CConfig() = default;
    explicit CConfig(const CXString& fileName);
    // What was gathered and not yet written is written now.
    ~CConfig() override;

    const CXString& getFileName() const { return fileName_; }

    // The value's leading number (atoi rules); 0 when missing or not a number.
    int GetInt(const CXString& section, const CXString& key);
    // At most 10,239 characters of the value; "" when missing. Values gathered and not yet
    // written are read as the file will hold them.
    CXString GetString(const CXString& section, const CXString& key);
    // The writes replace the file as a whole; false when it could not be written,
    // and the old file then stays as it was. While writes are gathered, false only when
    // the file is there but cannot be read.
    bool PutInt(const CXString& section, const CXString& key, int value);
    bool PutString(const CXString& section, const CXString& key, const CXString& value);

    // From now on the writes wait in memory, however many, until Flush writes them to the
    // file in one replacement.
    void gatherWrites() { gathering_ = true; }
    // Writes what was gathered since the last Flush; false when it could not be written. What
    // could not be written stays gathered and is tried again with the next change, or at the end.
    bool Flush();

private:
    std::string diskPath() const;
    bool writeGathered();

    CXString fileName_;
    bool gathering_ = false;
    // The file as the changes gathered since the last write make it; none while nothing waits.
    std::optional<platform::ProfileDocument> gathered_;
    // The gathered changes were tried and could not be written; nothing changed since.
    bool refused_ = false;
};
