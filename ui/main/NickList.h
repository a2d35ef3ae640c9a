// NickList: the nick list of one window, an unsorted list of entries looked up without regard to case.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morva {

// The members of a channel as the main window knows them: entries "nick" or prefix + "nick" (NickPrefix.h),
// in the order they were added, duplicates allowed. Owned by the window registry, one per window; UI thread
// only. Entries are Windows-1251.
class NickList
{
public:
    int Count() const { return static_cast<int>(m_entries.size()); }
    const std::string& operator[](int i) const { return m_entries[static_cast<std::size_t>(i)]; }
    const std::vector<std::string>& entries() const { return m_entries; }

    // Position of the first entry equal to entry, case ignored (Windows-1251 rules); -1 when none is.
    int IndexOf(std::string_view entry) const;
    // Position of the first present form of nick, tried bare first and then with each prefix by ascending
    // rank; -1 when no form is present.
    int IndexOfNick(std::string_view nick) const;

    void Add(std::string entry) { m_entries.push_back(std::move(entry)); }
    void Delete(int i);
    void Replace(int i, std::string entry);
    void Clear() { m_entries.clear(); }

private:
    std::vector<std::string> m_entries;
};

} // namespace morva
