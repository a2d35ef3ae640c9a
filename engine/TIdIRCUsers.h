// The engine's collection of user records.
#pragma once

#include "engine/OrderedBucket.h"
#include "engine/TIdIRCUser.h"
#include "text/Cp1251.h"

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace morva {

// Users in creation order; lookups by nick are case-blind and the first (oldest) match wins. A hash index keeps
// lookups constant-time without changing that rule. UI thread only.
class TIdIRCUsers
{
public:
    explicit TIdIRCUsers(TIdIRC* owner) : m_owner(owner) {}
    TIdIRCUsers(const TIdIRCUsers&) = delete;
    TIdIRCUsers& operator=(const TIdIRCUsers&) = delete;

    int Count() const { return static_cast<int>(m_items.size()); }
    TIdIRCUser* Items(int index) const { return m_items.at(static_cast<std::size_t>(index)).get(); }
    // Index of the first record of nick, or -1.
    int Find(std::string_view nick) const;
    TIdIRCUser* FindUser(std::string_view nick) const;
    // Finds the record of nick (taking over a non-empty, different address) or creates it; takes one reference.
    TIdIRCUser* Add(std::string_view nick, std::string_view address);
    // Drops one reference; at none the record goes, when it is the record its nick finds.
    void Release(TIdIRCUser* user);
    void Clear();
    // Grows with every Clear, so that a holder of a record can tell that it is gone.
    std::uint64_t Generation() const { return m_generation; }
    // Changes the nick of a record, keeping the index right.
    void Rename(TIdIRCUser* user, std::string_view newNick);

private:
    static bool olderThan(const TIdIRCUser* a, const TIdIRCUser* b) { return a->m_seq < b->m_seq; }
    struct Older
    {
        bool operator()(const TIdIRCUser* a, const TIdIRCUser* b) const { return olderThan(a, b); }
    };
    using Bucket = OrderedBucket<TIdIRCUser*, nullptr, Older>;
    void indexAdd(TIdIRCUser* u);
    void indexRemove(TIdIRCUser* u);

    TIdIRC* m_owner;
    std::vector<std::unique_ptr<TIdIRCUser>> m_items;
    std::unordered_map<std::string, Bucket, text::CaseBlindHash, text::CaseBlindEqual> m_index;
    std::uint64_t m_nextSeq = 0;
    std::uint64_t m_generation = 0;
};

} // namespace morva
