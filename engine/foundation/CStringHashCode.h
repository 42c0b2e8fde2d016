#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <string>

// The key of the name tables: a text with its hash code, computed once when set.
// Keys compare with letter case; callers that want names without case upper-case them first.
class CStringHashCode final : public CXObject {
public:
    explicit CStringHashCode(const CXString& text);

    // A null text counts as the empty text.
    void set(const char* text);

    int getHashcode() override { return hashCode_; }
    bool equals(CXObject* other) override;
    CXString getString() const { return CXString(text_.c_str()); }
    const std::string& text() const { return text_; }

private:
    int32_t hashCode_ = 0;
    std::string text_;
};
