// One channel the client has joined.
#pragma once

#include "engine/OrderedBucket.h"
#include "text/Cp1251.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace morva {

class TIdIRC;
class TIdIRCUser;
class TIdIRCChannel;

enum class TIdIRCChannelUpdateType
{
    cuMode,
    cuTopic,
    cuUser,
    cuNames,
    cuNick,
    cuJoin,
    cuPart,
    cuKick,
    cuQuit
};
const char* updateTypeName(TIdIRCChannelUpdateType t);

using TIdIRCOnChannelUpdate =
    std::function<void(TIdIRCChannel* Sender, TIdIRCChannelUpdateType AUpdateType, TIdIRCUser* AUser, int AInfo)>;

// Channel mode bits of the mode set.
enum : std::uint8_t
{
    cmPrivate = 1,
    cmSecret = 2,
    cmInviteOnly = 4,
    cmTopicOps = 8,
    cmNoExternal = 16,
    cmModerated = 32,
    cmLimit = 64,
    cmKey = 128
};
// Member flags of a Names entry.
enum : int
{
    mfOperator = 1,
    mfVoice = 2
};

// A channel record, owned by the engine's channel collection, UI thread only. Its member list keeps the order in
// which members were added; lookups are case-blind and the first match wins, through a hash index of the entries.
class TIdIRCChannel
{
public:
    TIdIRCChannel(TIdIRC* owner, std::string name, TIdIRCOnChannelUpdate onUpdate);
    TIdIRCChannel(const TIdIRCChannel&) = delete;
    TIdIRCChannel& operator=(const TIdIRCChannel&) = delete;

    TIdIRC* Owner() const { return m_owner; }
    const std::string& Name() const { return m_name; }
    const std::string& Topic() const { return m_topic; }
    std::uint8_t Mode() const { return m_mode; }
    int Limit() const { return m_limit; }
    const std::string& Key() const { return m_key; }
    bool Active() const { return m_active; }
    void SetActive(bool a) { m_active = a; }
    int CloseReason() const { return m_closeReason; }
    void SetCloseReason(int r) { m_closeReason = r; }

    // Members.
    int NamesCount() const { return static_cast<int>(m_names.size()); }
    const std::string& NameAt(int i) const { return m_names.at(static_cast<std::size_t>(i)).nick; }
    int FlagsAt(int i) const { return m_names.at(static_cast<std::size_t>(i)).flags; }
    // Index of the first entry of nick, or -1.
    int Find(std::string_view nick) const;

    void SetTopic(std::string_view topic);
    void SetMode(std::uint8_t mode);
    void SetLimit(int limit);
    void SetKey(std::string_view key);

    // A word of a names reply: "@" operator, "@...+" both, "+" voice; takes a user reference when it adds.
    void AddMember(std::string_view name, std::string_view address);
    // The one notification after the last word of a names reply.
    void NotifyNames() { notify(TIdIRCChannelUpdateType::cuNames, nullptr, 0); }
    void Joined(TIdIRCUser* user);
    void Parted(TIdIRCUser* user);
    void Kicked(TIdIRCUser* user);
    void Quit(TIdIRCUser* user);
    void ChangedNick(TIdIRCUser* user, std::string_view newNick);
    void GiveOp(TIdIRCUser* user) { setFlag(user, mfOperator, true); }
    void TakeOp(TIdIRCUser* user) { setFlag(user, mfOperator, false); }
    void GiveVoice(TIdIRCUser* user) { setFlag(user, mfVoice, true); }
    void TakeVoice(TIdIRCUser* user) { setFlag(user, mfVoice, false); }

private:
    struct Entry
    {
        std::string nick;
        int flags;
        std::uint64_t id; // increasing with the position, so an entry's index is a binary search away
    };
    using Bucket = OrderedBucket<std::uint64_t, ~std::uint64_t{0}>; // no id is ever all ones

    void notify(TIdIRCChannelUpdateType t, TIdIRCUser* user, int info);
    void append(std::string_view nick, int flags);
    int indexOfId(std::uint64_t id) const;
    void unindex(const Entry& e);
    void removeAt(int index);
    void removeMember(TIdIRCUser* user, TIdIRCChannelUpdateType t);
    void setFlag(TIdIRCUser* user, int flag, bool on);

    TIdIRC* m_owner;
    std::string m_name;
    std::string m_topic;
    std::uint8_t m_mode = 0;
    int m_limit = 0;
    std::string m_key;
    bool m_active = false;
    int m_closeReason = 0;
    TIdIRCOnChannelUpdate m_onUpdate;
    std::vector<Entry> m_names;
    std::unordered_map<std::string, Bucket, text::CaseBlindHash, text::CaseBlindEqual> m_index;
    std::uint64_t m_nextId = 0;
};

} // namespace morva
