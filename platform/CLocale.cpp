#include "platform/CLocale.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace platform {
namespace {

locale_t cLocale()
{
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

} // namespace

// Only the plain decimal form is a number (blanks, sign, digits, point, exponent):
// "info", "nan" or "0x10" read as 0 or stop where the decimal form does, as texts
// of the data expect, not as infinity, not-a-number or hexadecimal.
double parseDoubleC(const char* text)
{
    const char* end = text;
    while (*end == ' ' || (*end >= '\t' && *end <= '\r'))
        ++end;
    if (*end == '+' || *end == '-')
        ++end;
    const auto skipDigits = [&end] {
        const char* start = end;
        while (*end >= '0' && *end <= '9')
            ++end;
        return end != start;
    };
    bool digits = skipDigits();
    if (*end == '.') {
        ++end;
        digits = skipDigits() || digits;
    }
    if (!digits)
        return 0.0;
    if (*end == 'e' || *end == 'E') {
        const char* mantissaEnd = end++;
        if (*end == '+' || *end == '-')
            ++end;
        if (!skipDigits())
            end = mantissaEnd;
    }
    const std::string number(text, end);
    return strtod_l(number.c_str(), nullptr, cLocale());
}

int formatC(char* buffer, size_t size, const char* format, va_list args)
{
    locale_t previous = uselocale(cLocale());
    int written = std::vsnprintf(buffer, size, format, args);
    uselocale(previous);
    return written;
}

} // namespace platform
