#include "platform/CLocale.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace platform {
namespace {

locale_t cLocale()
{
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

} // namespace

double parseDoubleC(const char* text)
{
    return strtod_l(text, nullptr, cLocale());
}

int formatC(char* buffer, size_t size, const char* format, va_list args)
{
    locale_t previous = uselocale(cLocale());
    int written = std::vsnprintf(buffer, size, format, args);
    uselocale(previous);
    return written;
}

} // namespace platform
