#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <vector>

class FoundationWindow;

// A whole text file (or a block of text in memory) handed out line by line. Lines end at
// LF; a CR before the LF belongs to the line end, so CR LF and LF files read alike.
class CTextFileReader : public CXObject {
public:
    // Loads the file through the data-path rules; the error code is the file's
    // (CFile::ERROR_OPEN when it could not be opened).
    CTextFileReader(FoundationWindow* window, const CXString& fileName);
    // Reads a block that the caller keeps alive and unchanged while the reader is used.
    CTextFileReader(FoundationWindow* window, const char* text, int size);

    // The next line without its line end, cut at a zero byte; "" when nothing is held.
    CXString getLine();
    bool eof() const { return position_ >= size_; }
    void reset() { position_ = 0; }

private:
    std::vector<char> loaded_;
    const char* data_ = nullptr;
    int size_ = 0;
    int position_ = 0;
};
