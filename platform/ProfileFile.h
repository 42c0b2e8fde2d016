#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Private-profile ("INI") files with the behaviour applications expect from Windows:
// "[section]" headers and "key=value" lines, names matched ignoring case (Windows-1250
// letters), blanks around names and values ignored, a value wrapped in matching quotes
// read without them, ";" lines kept as comments. Every call reads or rewrites the file
// itself; nothing is cached. Texts are bytes, passed through unchanged.

// The value of key in section, or nothing when the file, the section or the key is missing.
std::optional<std::string> readProfileString(const std::string& path, std::string_view section,
                                             std::string_view key);

// Sets key in section to value, creating the file, the section or the key as needed and
// keeping every other line byte for byte. The new file replaces the old one only once it
// is complete on disk, so a failed write returns false and leaves the old file as it was.
bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

} // namespace platform
