// The ignore list.
#include "ui/commands/IgnoreList.h"

#include "text/Cp1251.h"
#include "util/WildMatch.h"

namespace morva {

bool IgnoreList::InIgnore(std::string_view nick, std::string_view address) const
{
    if (m_masks.empty())
        return false;
    std::string subject(nick);
    subject += '!';
    subject.append(address);
    subject = text::lower(subject);
    for (const std::string& mask : m_masks)
        if (WildMatch(subject, text::lower(mask)))
            return true;
    return false;
}

} // namespace morva
