// One channel the client has joined: its modes, topic and members.
#include "engine/TIdIRCChannel.h"

#include "engine/TIdIRC.h"

#include <algorithm>

namespace morva {

const char* updateTypeName(TIdIRCChannelUpdateType t)
{
    static const char* const names[] = {"cuMode", "cuTopic", "cuUser", "cuNames", "cuNick",
                                        "cuJoin", "cuPart",  "cuKick", "cuQuit"};
    return names[static_cast<int>(t)];
}

TIdIRCChannel::TIdIRCChannel(TIdIRC* owner, std::string name, TIdIRCOnChannelUpdate onUpdate)
    : m_owner(owner), m_name(std::move(name)), m_onUpdate(std::move(onUpdate))
{}

void TIdIRCChannel::notify(TIdIRCChannelUpdateType t, TIdIRCUser* user, int info)
{
    if (m_onUpdate)
        m_onUpdate(this, t, user, info);
}

int TIdIRCChannel::indexOfId(std::uint64_t id) const
{
    auto it =
        std::lower_bound(m_names.begin(), m_names.end(), id, [](const Entry& e, std::uint64_t v) { return e.id < v; });
    return it != m_names.end() && it->id == id ? static_cast<int>(it - m_names.begin()) : -1;
}

int TIdIRCChannel::Find(std::string_view nick) const
{
    auto it = m_index.find(nick);
    return it == m_index.end() ? -1 : indexOfId(it->second.front());
}

void TIdIRCChannel::append(std::string_view nick, int flags)
{
    const std::uint64_t id = m_nextId;
    m_names.push_back(Entry{std::string(nick), flags, id});
    try {
        m_index[m_names.back().nick].insert(id);
    } catch (...) {
        m_names.pop_back();
        throw;
    }
    ++m_nextId;
}

void TIdIRCChannel::unindex(const Entry& e)
{
    auto it = m_index.find(e.nick);
    if (it != m_index.end()) {
        it->second.erase(e.id);
        if (it->second.empty())
            m_index.erase(it);
    }
}

void TIdIRCChannel::removeAt(int index)
{
    unindex(m_names[static_cast<std::size_t>(index)]);
    m_names.erase(m_names.begin() + index);
}

void TIdIRCChannel::SetTopic(std::string_view topic)
{
    if (m_topic != topic)
        m_topic = std::string(topic);
    notify(TIdIRCChannelUpdateType::cuTopic, nullptr, 0);
}

void TIdIRCChannel::SetMode(std::uint8_t mode)
{
    if (m_mode != mode) {
        m_mode = mode;
        notify(TIdIRCChannelUpdateType::cuMode, nullptr, 0);
    }
}

void TIdIRCChannel::SetLimit(int limit)
{
    m_limit = limit;
    notify(TIdIRCChannelUpdateType::cuMode, nullptr, 0);
}

void TIdIRCChannel::SetKey(std::string_view key)
{
    if (m_key != key)
        m_key = std::string(key);
    notify(TIdIRCChannelUpdateType::cuMode, nullptr, 0);
}

void TIdIRCChannel::AddMember(std::string_view name, std::string_view address)
{
    int flags = 0;
    if (!name.empty() && name.front() == '@') {
        name.remove_prefix(1);
        flags = mfOperator;
        if (!name.empty() && name.back() == '+') {
            name.remove_suffix(1);
            flags = mfOperator | mfVoice;
        }
    } else if (!name.empty() && name.front() == '+') {
        name.remove_prefix(1);
        flags = mfVoice;
    }
    // One lookup tells a member already listed and makes the place of a new one.
    auto [it, fresh] = m_index.try_emplace(std::string(name));
    if (!fresh)
        return;
    const std::uint64_t id = m_nextId;
    try {
        m_names.push_back(Entry{it->first, flags, id});
        m_owner->Users().Add(name, address);
    } catch (...) {
        if (!m_names.empty() && m_names.back().id == id)
            m_names.pop_back();
        m_index.erase(it);
        throw;
    }
    it->second.insert(id);
    ++m_nextId;
}

void TIdIRCChannel::Joined(TIdIRCUser* user)
{
    if (!user || Find(user->Nick()) >= 0)
        return;
    append(user->Nick(), 0);
    notify(TIdIRCChannelUpdateType::cuJoin, user, NamesCount() - 1);
}

void TIdIRCChannel::removeMember(TIdIRCUser* user, TIdIRCChannelUpdateType t)
{
    if (!user)
        return;
    const int i = Find(user->Nick());
    if (i < 0)
        return;
    notify(t, user, i);
    // The handler may have changed the list; look the entry up again before deleting it.
    const int j = Find(user->Nick());
    if (j >= 0)
        removeAt(j);
}

void TIdIRCChannel::Parted(TIdIRCUser* user)
{
    removeMember(user, TIdIRCChannelUpdateType::cuPart);
}

void TIdIRCChannel::Kicked(TIdIRCUser* user)
{
    removeMember(user, TIdIRCChannelUpdateType::cuKick);
}

void TIdIRCChannel::Quit(TIdIRCUser* user)
{
    removeMember(user, TIdIRCChannelUpdateType::cuQuit);
}

void TIdIRCChannel::ChangedNick(TIdIRCUser* user, std::string_view newNick)
{
    if (!user)
        return;
    const int i = Find(user->Nick());
    if (i < 0)
        return;
    Entry& e = m_names[static_cast<std::size_t>(i)];
    unindex(e);
    e.nick = std::string(newNick);
    m_index[e.nick].insert(e.id);
    notify(TIdIRCChannelUpdateType::cuNick, user, i);
}

void TIdIRCChannel::setFlag(TIdIRCUser* user, int flag, bool on)
{
    if (!user)
        return;
    const int i = Find(user->Nick());
    if (i < 0)
        return;
    Entry& e = m_names[static_cast<std::size_t>(i)];
    e.flags = on ? (e.flags | flag) : (e.flags & ~flag);
    notify(TIdIRCChannelUpdateType::cuUser, user, e.flags);
}

} // namespace morva
