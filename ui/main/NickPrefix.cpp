// Status prefixes and their ranks.
#include "ui/main/NickPrefix.h"

namespace morva {

char ModePrefix(char letter)
{
    switch (letter) {
    case 'q': return '~';
    case 'a': return '&';
    case 'o': return '@';
    case 'h': return '%';
    case 'v': return '+';
    default: return '\0';
    }
}

int PrefixRank(char c)
{
    if (c == '\0')
        return 0;
    const std::size_t i = kStatusPrefixes.find(c);
    return i == std::string_view::npos ? 0 : static_cast<int>(i) + 1;
}

bool PrefixGrantReplaces(char current, char granted)
{
    if (PrefixRank(granted) == 0)
        return false;
    return PrefixRank(granted) > PrefixRank(current);
}

std::string GetClearNick(std::string_view entry)
{
    if (!entry.empty() && PrefixRank(entry.front()) > 0)
        entry.remove_prefix(1);
    return std::string(entry);
}

std::string ClearName(std::string_view entry)
{
    return GetClearNick(entry);
}

} // namespace morva
