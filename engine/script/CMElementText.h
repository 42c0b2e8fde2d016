#pragma once

#include "foundation/CXString.h"

class CMElement;
class CMElements;

// Elements as one text, for keeping them where only a text fits: each element is a line
// "OBJECT=name" followed by a line "PROPERTY=VALUE" per property, in order. Definition lines
// hold no line breaks, so none of the parts does.
class CMElementText {
public:
    static CXString write(const CMElement& element);
    // The elements of texts that write made, one after the other; a new list that owns them.
    static CMElements* read(const CXString& text);
};
