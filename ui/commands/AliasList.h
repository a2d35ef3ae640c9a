// The alias list: user-defined slash commands, each a template of one raw protocol line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morva {

// Lines of the form name "~" body, in order; "$" in a body stands for the command's arguments. Names compare
// without regard to case; when several lines share a name the last one counts. Owned by the main window, UI
// thread only.
class AliasList
{
public:
    std::vector<std::string>& Lines() { return m_lines; }
    const std::vector<std::string>& Lines() const { return m_lines; }

    // A "~" that is neither the first nor the last character.
    static bool IsValid(std::string_view line);
    // Keeps, in their order, only the valid lines.
    void ParseAliasList();
    // Names are compared case-blind. A line that starts with "~" has an empty name, and no word selects it: not
    // even the empty command word of a line typed as "/" alone or "/" and a blank.
    bool IsAlias(std::string_view word) const;
    // The body of the last line named word; empty when there is none (and for the empty word).
    std::string GetAliasBody(std::string_view word) const;
    // body with every "$" replaced by the arguments of line (the typed command without its "/"): the text after
    // its first blank, or the whole line when it has none.
    static std::string ExpandAlias(std::string_view body, std::string_view line);

private:
    std::vector<std::string> m_lines;
};

} // namespace morva
