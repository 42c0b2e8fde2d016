#pragma once

#include <string_view>

namespace platform {

// Windows wildcard match: '*' matches any run of characters, '?' exactly one;
// ASCII letters match ignoring case; "*.*" matches every name, with or without a dot.
bool wildcardMatch(std::string_view pattern, std::string_view name);

} // namespace platform
