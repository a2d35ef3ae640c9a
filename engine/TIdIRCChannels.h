// The engine's collection of channel records.
#pragma once

#include "engine/TIdIRCChannel.h"

#include <memory>
#include <string_view>
#include <vector>

namespace morva {

// Channels in the order they were joined; a name at most once, lookups case-blind. UI thread only.
class TIdIRCChannels
{
public:
    explicit TIdIRCChannels(TIdIRC* owner) : m_owner(owner) {}

    int Count() const { return static_cast<int>(m_items.size()); }
    TIdIRCChannel* Items(int index) const { return m_items.at(static_cast<std::size_t>(index)).get(); }
    int Find(std::string_view name) const;
    TIdIRCChannel* Get(std::string_view name) const;
    // Replaces a record of the same name; the new record copies the engine's current OnChannelUpdate.
    TIdIRCChannel* Add(std::string_view name);
    void Remove(std::string_view name);
    void Clear() { m_items.clear(); }
    // The two walks over every channel.
    void ChangedNick(TIdIRCUser* user, std::string_view newNick);
    void Quit(TIdIRCUser* user);

private:
    TIdIRC* m_owner;
    std::vector<std::unique_ptr<TIdIRCChannel>> m_items;
};

} // namespace morva
