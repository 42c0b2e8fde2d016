#include "foundation/CStringHashCode.h"

#include <cstdint>
#include <typeinfo>

namespace {
// The sum of 2^(i mod 16) + (i + 1) * c over the characters c at positions i,
// each taken as a signed byte whatever the platform's char, wrapping in 32 bits.
int hashOf(const char* text)
{
    uint32_t sum = 0;
    for (uint32_t i = 0; text[i] != '\0'; ++i) {
        const auto c = static_cast<int8_t>(text[i]);
        sum += (1u << (i % 16)) + (i + 1) * static_cast<uint32_t>(static_cast<int32_t>(c));
    }
    return static_cast<int>(sum);
}
} // namespace

CStringHashCode::CStringHashCode(const CXString& text)
{
    set(text.c_str());
}

void CStringHashCode::set(const char* text)
{
    if (text == nullptr)
        text = "";
    text_ = text;
    hashCode_ = hashOf(text);
}

bool CStringHashCode::equals(CXObject* other)
{
    if (other == nullptr || typeid(*other) != typeid(CStringHashCode))
        return false;
    const auto* key = static_cast<const CStringHashCode*>(other);
    return key->hashCode_ == hashCode_ && key->text_ == text_;
}
