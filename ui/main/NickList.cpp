// The nick list of one window.
#include "ui/main/NickList.h"

#include "text/Cp1251.h"
#include "ui/main/NickPrefix.h"

namespace morva {

int NickList::IndexOf(std::string_view entry) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        if (text::sameText(m_entries[i], entry))
            return static_cast<int>(i);
    return -1;
}

int NickList::IndexOfNick(std::string_view nick) const
{
    std::string form;
    form.reserve(nick.size() + 1);
    for (int rank = 0; rank <= static_cast<int>(kStatusPrefixes.size()); ++rank) {
        form.clear();
        if (rank > 0)
            form += kStatusPrefixes[static_cast<std::size_t>(rank - 1)];
        form += nick;
        const int i = IndexOf(form);
        if (i >= 0)
            return i;
    }
    return -1;
}

void NickList::Delete(int i)
{
    if (i >= 0 && i < Count())
        m_entries.erase(m_entries.begin() + i);
}

void NickList::Replace(int i, std::string entry)
{
    if (i >= 0 && i < Count())
        m_entries[static_cast<std::size_t>(i)] = std::move(entry);
}

} // namespace morva
