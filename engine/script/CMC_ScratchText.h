#pragma once

#include "foundation/CXString.h"

// A text lent for the span of one call and kept for the next: the texts that running code
// copies or builds (signal names, condition operands, substituted parameters) reuse the
// storage of earlier ones, so a run does not allocate once the buffers have grown. Leases
// nest freely; each holds its own buffer until it ends.
class CMC_ScratchText {
public:
    CMC_ScratchText();
    explicit CMC_ScratchText(const char* text);
    ~CMC_ScratchText();
    CMC_ScratchText(const CMC_ScratchText&) = delete;
    CMC_ScratchText& operator=(const CMC_ScratchText&) = delete;

    CXString& text() { return *text_; }
    const char* c_str() const { return text_->c_str(); }
    // Replaces the text, keeping the storage when it is large enough.
    CXString& operator=(const char* text);

private:
    CXString* text_;
};
