#pragma once

#include <string>
#include <string_view>

namespace platform {

// The language identifier of the user's locale as four lower-case hexadecimal digits, the
// way Windows reports it ("0415" for Polish, "040e" for Hungarian); "" for a language the
// engine has no folder for. Taken from LC_ALL, else LC_MESSAGES, else LANG.
std::string systemLanguageId();

// The same for one locale name such as "pl_PL.UTF-8" or "hu".
std::string languageIdOfLocale(std::string_view locale);

} // namespace platform
