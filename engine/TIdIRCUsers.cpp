// The engine's collection of user records.
#include "engine/TIdIRCUsers.h"

#include <algorithm>

namespace morva {

void TIdIRCUsers::indexAdd(TIdIRCUser* u)
{
    m_index[u->m_nick].insert(u);
}

void TIdIRCUsers::indexRemove(TIdIRCUser* u)
{
    auto it = m_index.find(u->m_nick);
    if (it == m_index.end())
        return;
    it->second.erase(u);
    if (it->second.empty())
        m_index.erase(it);
}

TIdIRCUser* TIdIRCUsers::FindUser(std::string_view nick) const
{
    auto it = m_index.find(nick);
    return it == m_index.end() ? nullptr : it->second.front();
}

int TIdIRCUsers::Find(std::string_view nick) const
{
    const TIdIRCUser* u = FindUser(nick);
    if (!u)
        return -1;
    for (std::size_t i = m_items.size(); i-- > 0;)
        if (m_items[i].get() == u)
            return static_cast<int>(i);
    return -1;
}

TIdIRCUser* TIdIRCUsers::Add(std::string_view nick, std::string_view address)
{
    // One lookup finds the record or makes the place for a new one (a names reply adds thousands in a row).
    auto [it, fresh] = m_index.try_emplace(std::string(nick));
    if (!fresh) {
        TIdIRCUser* u = it->second.front();
        if (!address.empty() && u->m_address != address)
            u->m_address = std::string(address);
        ++u->m_refCount;
        return u;
    }
    try {
        m_items.push_back(
            std::unique_ptr<TIdIRCUser>(new TIdIRCUser(m_owner, it->first, std::string(address), m_nextSeq++)));
    } catch (...) {
        m_index.erase(it);
        throw;
    }
    TIdIRCUser* u = m_items.back().get();
    it->second.insert(u);
    return u;
}

void TIdIRCUsers::Release(TIdIRCUser* user)
{
    if (!user)
        return;
    if (--user->m_refCount > 0)
        return;
    if (FindUser(user->m_nick) != user)
        return;
    indexRemove(user);
    // Transient records (a line's sender) are the newest, so search from the back.
    for (std::size_t i = m_items.size(); i-- > 0;) {
        if (m_items[i].get() == user) {
            m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

void TIdIRCUsers::Clear()
{
    ++m_generation;
    m_index.clear();
    m_items.clear();
}

void TIdIRCUsers::Rename(TIdIRCUser* user, std::string_view newNick)
{
    if (!user || user->m_nick == newNick)
        return;
    indexRemove(user);
    user->m_nick = std::string(newNick);
    indexAdd(user);
}

} // namespace morva
