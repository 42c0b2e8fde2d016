#pragma once

#include "foundation/CXString.h"

#include <string>
#include <vector>

class CXArray;

// How behaviour code is cut up and how the parameter references "$1" to "$9" are filled in.
// Only round brackets nest; quotes, braces and square brackets protect nothing.
class CMC_CodeText {
public:
    // The statements of code: cut at each ";" outside round brackets, blanks (character 32)
    // dropped everywhere, quotes included. What follows the last such ";" is dropped, and
    // statements left empty are skipped.
    static std::vector<CXString> statements(const CXString& code);
    // The pieces of an argument list: cut at each "," outside round brackets; empty pieces
    // take no place.
    static std::vector<CXString> arguments(const CXString& text);
    // The text with each "$" followed by a digit n of an existing parameter replaced by the
    // n-th parameter text (CXString items); any other "$" stays. Written into out.
    static void fillParams(const char* text, CXArray* params, std::string* out);

    // A piece that runs as a statement rather than standing for a value: it begins with "@",
    // or holds "$" or "^" anywhere.
    static bool isCode(const char* piece);
    // Such a piece in braces ("{...}", or quoted "\"{...}\""): a block of code.
    static bool isBlock(const char* piece);
    // The code inside the braces of a block (and its quotes).
    static CXString blockCode(const CXString& piece);
};
