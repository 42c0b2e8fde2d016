#pragma once

#include <cstdarg>
#include <cstddef>

namespace platform {

// Number texts read and written by the "C" rules whatever locale the user has.
double parseDoubleC(const char* text);
int formatC(char* buffer, size_t size, const char* format, va_list args);

} // namespace platform
