// Link recognition.
#include "view/LinkFinder.h"

#include <array>

namespace morva {

namespace {

constexpr std::array<std::string_view, 6> kPrefixes = {"http://", "https://", "ftp://", "www.", "mailto:", "irc://"};

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isAlnumAscii(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool endsLink(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x20 || u == 0x7F || c == '"' || c == '<' || c == '>';
}

bool isTrailingPunctuation(char c)
{
    return c == '.' || c == ',' || c == ';' || c == ':' || c == '!' || c == '?' || c == ')' || c == ']' || c == '}' ||
           c == '\'';
}

std::size_t prefixAt(std::string_view text, std::size_t i)
{
    for (std::string_view p : kPrefixes) {
        if (text.size() - i < p.size())
            continue;
        std::size_t k = 0;
        while (k < p.size() && lowerAscii(text[i + k]) == p[k])
            ++k;
        if (k == p.size())
            return p.size();
    }
    return 0;
}

} // namespace

void findLinks(std::string_view text, std::vector<LinkRange>& links)
{
    links.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = lowerAscii(text[i]);
        const bool candidate = (c == 'h' || c == 'f' || c == 'w' || c == 'm' || c == 'i') &&
                               (i == 0 || (!isAlnumAscii(text[i - 1]) && text[i - 1] != '.'));
        const std::size_t prefix = candidate ? prefixAt(text, i) : 0;
        if (prefix == 0) {
            ++i;
            continue;
        }
        std::size_t end = i + prefix;
        while (end < text.size() && !endsLink(text[end]))
            ++end;
        while (end > i + prefix && isTrailingPunctuation(text[end - 1]))
            --end;
        if (end > i + prefix)
            links.push_back(LinkRange{static_cast<int>(i), static_cast<int>(end)});
        i = end > i + prefix ? end : i + prefix;
    }
}

} // namespace morva
