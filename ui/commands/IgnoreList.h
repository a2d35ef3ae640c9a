// The ignore list: wildcard masks over a sender's nick "!" address.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morva {

// Masks in order; duplicates and empty masks allowed (an empty mask matches no one). Owned by the main window,
// UI thread only.
class IgnoreList
{
public:
    std::vector<std::string>& Masks() { return m_masks; }
    const std::vector<std::string>& Masks() const { return m_masks; }

    // True when nick "!" address matches some mask, case ignored on both sides (Cyrillic included).
    bool InIgnore(std::string_view nick, std::string_view address) const;

private:
    std::vector<std::string> m_masks;
};

} // namespace morva
