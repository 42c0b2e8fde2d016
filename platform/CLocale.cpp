#include "platform/CLocale.h"

#include <algorithm>
#include <climits>
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

const char* skipBlanks(const char* text)
{
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    return text;
}

} // namespace

int parseIntC(const char* text)
{
    text = skipBlanks(text);
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            break;
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// Only the plain decimal form is a number (blanks, sign, digits, point, exponent):
// "info", "nan" or "0x10" read as 0 or stop where the decimal form does, as texts
// of the data expect, not as infinity, not-a-number or hexadecimal.
double parseDoubleC(const char* text)
{
    const char* end = skipBlanks(text);
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
