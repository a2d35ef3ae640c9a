// The engine's collection of channel records.
#include "engine/TIdIRCChannels.h"

#include "engine/TIdIRC.h"

namespace morva {

int TIdIRCChannels::Find(std::string_view name) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (text::sameText(m_items[i]->Name(), name))
            return static_cast<int>(i);
    return -1;
}

TIdIRCChannel* TIdIRCChannels::Get(std::string_view name) const
{
    const int i = Find(name);
    return i < 0 ? nullptr : m_items[static_cast<std::size_t>(i)].get();
}

TIdIRCChannel* TIdIRCChannels::Add(std::string_view name)
{
    Remove(name);
    m_items.push_back(std::make_unique<TIdIRCChannel>(m_owner, std::string(name), m_owner->OnChannelUpdate));
    return m_items.back().get();
}

void TIdIRCChannels::Remove(std::string_view name)
{
    const int i = Find(name);
    if (i >= 0)
        m_items.erase(m_items.begin() + i);
}

void TIdIRCChannels::ChangedNick(TIdIRCUser* user, std::string_view newNick)
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->ChangedNick(user, newNick);
}

void TIdIRCChannels::Quit(TIdIRCUser* user)
{
    for (std::size_t i = 0; i < m_items.size(); ++i)
        m_items[i]->Quit(user);
}

} // namespace morva
