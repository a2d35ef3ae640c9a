// The wildcard matcher: greedy matching with a single resumable star.
#include "util/WildMatch.h"

#include <cstddef>

namespace morva {

bool WildMatch(std::string_view text, std::string_view pattern)
{
    constexpr std::size_t none = std::string_view::npos;
    std::size_t t = 0;
    std::size_t p = 0;
    // Where to resume after the last star seen: the pattern position just past it, and the text position
    // that star currently absorbs up to. Only the last star ever needs to be retried: whatever an earlier
    // star could absorb, the later one can absorb as well, so retrying earlier stars finds nothing new.
    std::size_t starP = none;
    std::size_t starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starT = t;
        } else if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == text[t])) {
            ++p;
            ++t;
        } else if (starP != none) {
            p = starP;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace morva
