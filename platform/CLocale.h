#pragma once

#include <cstdarg>
#include <cstddef>

namespace platform {

// Number texts read and written by the "C" rules whatever locale the user has.
// The atoi reading: blanks, a sign, decimal digits; values beyond the int range saturate.
int parseIntC(const char* text);
double parseDoubleC(const char* text);
int formatC(char* buffer, size_t size, const char* format, va_list args);

} // namespace platform
