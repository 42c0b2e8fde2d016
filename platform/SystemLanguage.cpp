#include "platform/SystemLanguage.h"

#include <cstdlib>

namespace platform {

std::string languageIdOfLocale(std::string_view locale)
{
    struct Language {
        std::string_view code;
        const char* id;
    };
    static constexpr Language kLanguages[] = {
        {"pl", "0415"}, {"cs", "0405"}, {"bg", "0402"}, {"ro", "0418"},
        {"ru", "0419"}, {"hu", "040e"}, {"sk", "041b"},
    };
    const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
    for (const Language& entry : kLanguages) {
        if (language == entry.code)
            return entry.id;
    }
    return "";
}

std::string systemLanguageId()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return languageIdOfLocale(value);
    }
    return "";
}

} // namespace platform
