#include "platform/Wildcard.h"

namespace platform {
namespace {

char foldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool wildcardMatch(std::string_view pattern, std::string_view name)
{
    // A final ".*" also stands for no extension at all, so "*.*" fits every name and
    // "C.*" fits "C".
    if (pattern.ends_with(".*") && wildcardMatch(pattern.substr(0, pattern.size() - 2), name))
        return true;

    // Greedy scan with one backtrack point: linear in practice, never exponential.
    size_t p = 0, n = 0;
    size_t starPattern = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starPattern = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || foldAscii(pattern[p]) == foldAscii(name[n]))) {
            ++p;
            ++n;
        } else if (starPattern != std::string_view::npos) {
            p = starPattern + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace platform
