// The alias list.
#include "ui/commands/AliasList.h"

#include "text/Cp1251.h"
#include "util/WildMatch.h"

namespace morva {

namespace {

std::string_view nameOf(std::string_view line)
{
    return line.substr(0, line.find('~'));
}

} // namespace

bool AliasList::IsValid(std::string_view line)
{
    return WildMatch(line, "?*~?*");
}

void AliasList::ParseAliasList()
{
    std::vector<std::string> all;
    all.swap(m_lines);
    for (std::string& line : all)
        if (IsValid(line))
            m_lines.push_back(std::move(line));
}

bool AliasList::IsAlias(std::string_view word) const
{
    if (word.empty())
        return false;
    const std::string w = text::upper(word);
    for (const std::string& line : m_lines)
        if (text::upper(nameOf(line)) == w)
            return true;
    return false;
}

std::string AliasList::GetAliasBody(std::string_view word) const
{
    if (word.empty())
        return {};
    const std::string w = text::upper(word);
    const std::string* found = nullptr;
    for (const std::string& line : m_lines)
        if (text::upper(nameOf(line)) == w)
            found = &line;
    if (!found)
        return {};
    const std::size_t tilde = found->find('~');
    return tilde == std::string::npos ? std::string() : found->substr(tilde + 1);
}

std::string AliasList::ExpandAlias(std::string_view body, std::string_view line)
{
    const std::size_t blank = line.find(' ');
    const std::string_view args = blank == std::string_view::npos ? line : line.substr(blank + 1);
    std::string out;
    out.reserve(body.size() + args.size());
    for (char c : body) {
        if (c == '$')
            out.append(args);
        else
            out.push_back(c);
    }
    return out;
}

} // namespace morva
