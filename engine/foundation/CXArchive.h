#pragma once

#include "foundation/CXObject.h"

#include <cstdint>

class CFile;
class CXRect;
class CXString;

// The binary encoding of every persistent object: primitives written and read little-endian
// over an open CFile, with no header, tag or length of the whole. Reader and writer call the
// same operations in the same order.
//
// Stored data may be damaged: a read that comes up short, or a stored length that the rest of
// the file cannot hold, marks the archive failed. From then on reads leave numbers as they
// were and give empty texts, so loaders check failed() once at the end.
class CXArchive : public CXObject {
public:
    CXArchive(CFile* file, bool storing);

    bool isStoring() const { return storing_; }
    CFile* GetFileHandle() const { return file_; }
    // Closes the file; the archive object stays.
    void Close();
    bool failed() const { return failed_; }
    // A loader that finds a stored value impossible ends the reading as a short read does.
    void setFailed() { failed_ = true; }

    CXArchive& operator<<(int32_t value);
    CXArchive& operator<<(uint32_t value);
    CXArchive& operator<<(int64_t value);
    CXArchive& operator<<(bool value);
    // Thousandths, truncated toward zero, in 32 bits (saturated beyond about +-2147483.647).
    CXArchive& operator<<(double value);
    // A 32-bit length, then the bytes without terminator.
    CXArchive& operator<<(const char* text);
    CXArchive& operator<<(const CXString& text);
    CXArchive& operator<<(const CXRect& rect);
    // One count byte and that many bytes. A reader takes counts above 127 as negative, so
    // such texts are cut to 127 bytes.
    void writeShortString(const CXString& text);
    // The bytes of the text alone.
    CXArchive& FWrite(const CXString& text);
    // The whole contents of a file, appended as they are.
    CXArchive& CopyFileA(const CXString& name);

    CXArchive& operator>>(int32_t* value);
    CXArchive& operator>>(uint32_t* value);
    CXArchive& operator>>(int64_t* value);
    CXArchive& operator>>(bool* value);
    CXArchive& operator>>(double* value);
    // Exactly one byte.
    CXArchive& operator>>(char* value);
    CXArchive& operator>>(unsigned char* value);
    // A new buffer of length + 1 bytes, zero-terminated; the caller frees it with delete[].
    CXArchive& operator>>(char** text);
    // A length below 1 gives "".
    CXArchive& operator>>(CXString* text);
    CXArchive& operator>>(CXRect* rect);
    void readShortString(CXString* text);
    // One word of at most 1023 characters after skipping white space; the rest of a longer
    // word is left for the next read.
    CXArchive& FRead(CXString& word);

    // Kept, never written: no reader looks at it.
    void Separator(unsigned char value) { separator_ = value; }

private:
    template <typename T>
    CXArchive& writeNumber(T value);
    template <typename T>
    CXArchive& readNumber(T* value);
    void writeBytes(const void* bytes, int count);
    bool readBytes(void* bytes, int count);
    // Whether count more bytes are stored; marks the archive failed when not.
    bool holds(int64_t count);
    // Reads count stored bytes as a text; "" (and failed) when the file cannot hold them.
    CXString readText(int64_t count);

    CFile* file_;
    uint8_t separator_ = 0;
    bool storing_;
    bool failed_ = false;
    int64_t length_ = 0; // of the file being read
};
