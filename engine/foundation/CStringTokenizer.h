#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

// Splits a text at any of a set of separator characters. Runs of separators count
// as one, so no token is ever empty; the empty token marks the end.
class CStringTokenizer : public CXObject {
public:
    CStringTokenizer(const CXString& text, const CXString& separators);

    bool hasMoreTokens() const { return next_.IsString(); }
    // The empty text once the text is used up.
    CXString nextToken();

private:
    CXString readToken();
    bool isSeparator(char c) const;

    CXString text_;
    CXString separators_;
    CXString next_;
    int position_ = 0;
};
