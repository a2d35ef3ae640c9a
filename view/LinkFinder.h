// Recognition of links in the stripped text of a line.
#pragma once

#include <string_view>
#include <vector>

namespace morva {

// Characters [start, end) of a line that form a link.
struct LinkRange
{
    int start = 0;
    int end = 0;
    friend bool operator==(const LinkRange&, const LinkRange&) = default;
};

// The links of a line of Windows-1251 text: a word that begins with http://, https://, ftp://, www., mailto: or
// irc:// (in any case) and goes on to the next blank, control character, quote or angle bracket; trailing
// punctuation that usually closes a sentence is not part of it. A prefix must stand at the start of the line or
// after a character that is not a letter or digit, and something must follow it.
void findLinks(std::string_view text, std::vector<LinkRange>& links);

} // namespace morva
