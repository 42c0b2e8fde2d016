#pragma once

#include <string_view>

namespace platform {

// Windows wildcard match: '*' matches any run of characters, '?' exactly one;
// ASCII letters match ignoring case; a final ".*" also fits a name without an extension,
// so "*.*" matches every name and "C.*" matches "C".
bool wildcardMatch(std::string_view pattern, std::string_view name);

} // namespace platform
