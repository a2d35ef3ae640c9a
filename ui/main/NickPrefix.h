// Status prefixes of nick list entries: the mode letters they stand for, their ranks, and stripping them.
#pragma once

#include <string>
#include <string_view>

namespace morva {

// The prefixes by ascending rank: voice, half-operator, operator, protected, owner.
inline constexpr std::string_view kStatusPrefixes = "+%@&~";

// The prefix of a channel mode letter: q "~", a "&", o "@", h "%", v "+"; '\0' for any other letter.
char ModePrefix(char letter);
// The rank of a prefix character: "~" 5, "&" 4, "@" 3, "%" 2, "+" 1; 0 for any other character.
int PrefixRank(char c);
// Whether a member whose entry carries the prefix current (or '\0' for none) shows granted after a mode change
// grants it. The higher privilege is the one a member list shows, so a grant replaces the prefix only when it
// ranks higher; an entry without a prefix always takes the grant.
bool PrefixGrantReplaces(char current, char granted);

// The entry without its one leading status prefix; an empty entry stays empty. Only one character goes: "@+bob"
// gives "+bob".
std::string GetClearNick(std::string_view entry);
// The same as GetClearNick, under the name the menu actions use.
std::string ClearName(std::string_view entry);

} // namespace morva
