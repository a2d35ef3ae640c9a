// One user the engine knows of.
#pragma once

#include <cstdint>
#include <string>

namespace morva {

class TIdIRC;
class TIdIRCUsers;

// A user record, owned by the engine's user collection. Touched on the UI thread only. A record handed to an event
// is valid while the event runs; it may be released right after the line has been handled, so hosts copy what
// they need.
class TIdIRCUser
{
public:
    TIdIRC* Owner() const { return m_owner; }
    const std::string& Nick() const { return m_nick; }
    const std::string& Address() const { return m_address; }
    const std::string& Reason() const { return m_reason; }
    void SetReason(std::string reason) { m_reason = std::move(reason); }
    int RefCount() const { return m_refCount; }

private:
    friend class TIdIRCUsers;
    TIdIRCUser(TIdIRC* owner, std::string nick, std::string address, std::uint64_t seq)
        : m_owner(owner), m_nick(std::move(nick)), m_address(std::move(address)), m_seq(seq)
    {}

    TIdIRC* m_owner;
    std::string m_nick;
    std::string m_address;
    std::string m_reason;
    int m_refCount = 1;
    std::uint64_t m_seq; // creation order, so that the first match of a nick is the oldest record
};

} // namespace morva
