#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Private-profile ("INI") files with the behaviour applications expect from Windows:
// "[section]" headers and "key=value" lines, names matched ignoring case (Windows-1250
// letters), blanks around names and values ignored, a value wrapped in matching quotes
// read without them, ";" lines kept as comments. Texts are bytes, passed through unchanged.

// One line of a profile file: its text without the line break, and the break as found, so
// that lines nobody changes are written back exactly.
struct ProfileLine {
    std::string text;
    std::string lineBreak;
};

// A profile file's lines held in memory: a value read here is what the file gives, or would
// give once saved, and any number of values set here reach the disk in one replacement.
class ProfileDocument {
public:
    // The file's lines, or an empty document where there is no file; none when the file is
    // there but cannot be read, since saving would replace it by the few keys set since.
    static std::optional<ProfileDocument> load(const std::string& path);

    // The value of key in section; none when the section or the key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    // Sets key in section, creating the section or the key as needed and keeping every other
    // line byte for byte.
    void set(std::string_view section, std::string_view key, std::string_view value);
    // The file becomes the document. The new file replaces the old one only once it is
    // complete on disk, so a failed save returns false and leaves the old file as it was.
    bool save(const std::string& path) const;

private:
    std::vector<ProfileLine> lines_;
};

// The value of key in section, or nothing when the file, the section or the key is missing.
// The file is read anew by every call.
std::optional<std::string> readProfileString(const std::string& path, std::string_view section,
                                             std::string_view key);

// Sets key in section in the file at once, as ProfileDocument's load, set and save do.
bool writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

} // namespace platform
