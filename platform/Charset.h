#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The engine's text is Windows-1250; the disk, the window title and the terminal speak UTF-8.
// Every one of the 256 bytes has a code point (the five bytes the code page leaves undefined
// keep their C1 control code points), so cp1250 -> UTF-8 -> cp1250 gives back the same bytes.
std::string cp1250ToUtf8(std::string_view text);

// Null when the text is not valid UTF-8 or holds a character the code page lacks.
std::optional<std::string> utf8ToCp1250(std::string_view text);

// Upper-case letters of the code page (ASCII and accented) to their lower-case partners;
// every other byte is returned as it is.
unsigned char cp1250ToLower(unsigned char c);

// Byte-wise equality after cp1250ToLower on both sides.
bool cp1250EqualIgnoringCase(std::string_view a, std::string_view b);

// The text after cp1250ToLower on every byte: two texts are equal ignoring case exactly
// when their folded forms are equal, so the folded form can key a hash table.
std::string cp1250Folded(std::string_view text);

// A file name from the disk (UTF-8) as the engine spells it: Windows-1250, or its own
// UTF-8 bytes where the code page cannot hold it.
std::string engineNameOfDiskName(std::string_view diskName);

} // namespace platform
