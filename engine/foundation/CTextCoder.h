#pragma once

#include "foundation/CTextFileReader.h"

#include <cstdint>
#include <memory>

// Reads definition text in its plain or its coded form and hands out plain lines either
// way, each followed by "\n". The coded form is recognised by its first line:
//   "{<C:n>}" (or "{<D:n>}", which also asks for a plain copy, name + ".decoded", to be
//   written whenever the file is opened without suppressing it), with n, the cycle, >= 1;
//   then physical lines each holding up to n coded lines, each ended by the marker "<E>".
// A coded line is the coded text of one plain line; the character coding is described
// where it is implemented, beside encode().
// A header whose cycle is not a positive number makes the file unreadable (ERROR_BAD_HEADER).
class CTextCoder : public CXObject {
public:
    static constexpr int ERROR_BAD_HEADER = 2001;

    // noPlainCopy suppresses the automatic ".decoded" copy of a "{<D:" file.
    CTextCoder(FoundationWindow* window, const CXString& fileName, bool noPlainCopy);
    // Takes the reader over; the file name stays empty, so no copy is ever written.
    CTextCoder(FoundationWindow* window, CTextFileReader* reader, bool noPlainCopy);
    ~CTextCoder() override;
    CTextCoder(const CTextCoder&) = delete;
    CTextCoder& operator=(const CTextCoder&) = delete;

    virtual bool _eof();
    // The next plain line followed by "\n". A coded file ends with one extra "\n".
    virtual CXString getLine();
    // The next physical line of the coded form, built from up to a cycle of plain lines
    // (tabs removed, trailing blanks dropped but never below two characters); "\n" for
    // a coded file or without a cycle.
    virtual CXString codeLine();
    virtual bool isCoded() { return coded_; }

    // Writes the coded form of a plain file; nothing for a coded or unreadable source or
    // a cycle below 1. The target replaces an older file only once it is complete.
    static void code(FoundationWindow* window, const CXString& source, const CXString& target, int cycle);
    // Writes the plain form of a coded file; nothing for a plain or unreadable source.
    static void decode(FoundationWindow* window, const CXString& source, const CXString& target);

private:
    void initialise(FoundationWindow* window, bool noPlainCopy);
    void setCycle(int cycle) { cycle_ = cycle; }
    // The key added to the n-th character of the file.
    int getOffset(int n) const;
    CXString encode(const CXString& plain);
    CXString decodeText(const char* coded, int length);

    CXString fileName_;
    std::unique_ptr<CTextFileReader> reader_;
    bool coded_ = false;
    int32_t cycle_ = 0;
    int32_t characterCounter_ = 0;
    bool endReached_ = false;
    int32_t markerPosition_ = 0;
    int32_t lineCounter_ = 0;
    CXString currentLine_;
};
