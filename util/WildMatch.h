// The "*" and "?" wildcard matcher used by the ignore list, the action test and the alias filter.
#pragma once

#include <string_view>

namespace morva {

// True when the whole text matches the whole pattern: "*" stands for any run of bytes (also none), "?" for
// exactly one byte, every other pattern byte for itself. Bytes are compared exactly, so callers that want a
// case-blind match lower-case both sides first. There is no escape character.
//
// The text side is often chosen by a remote party (a nick and address matched against ignore masks), so the
// matcher never backtracks more than once per text position: its cost is at most text length times pattern
// length, whatever the number of stars.
bool WildMatch(std::string_view text, std::string_view pattern);

} // namespace morva
