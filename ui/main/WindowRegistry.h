// WindowRegistry: the text view, tab and nick list of every window, found by window name.
#pragma once

#include "ui/main/NickList.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <QPointer>
#include <QWidget>

namespace morva {

class TIRCMemo;

// Three adjacent entries per window N, windows in creation order: (text view, N), (tab, N + "_Tabs"),
// (nick list, N + "_List"). Names compare without regard to case (Windows-1251 rules).
//
// Every entry also knows its kind, and a lookup names the kind it wants. That keeps suffixed names apart: the
// private window of a nick "bob_List" has a text view entry named "bob_List", the window "bob" a nick list entry
// of the same name, and neither is ever handed out for the other.
//
// The registry owns the nick lists; the text views and tabs belong to the widgets and are only watched here
// (an entry whose widget is gone yields null). UI thread only.
class WindowRegistry
{
public:
    enum class Kind
    {
        View,
        Tab,
        List
    };

    static constexpr std::string_view kTabsSuffix = "_Tabs";
    static constexpr std::string_view kListSuffix = "_List";

    int Count() const { return static_cast<int>(m_entries.size()); }
    const std::string& nameAt(int i) const { return m_entries[static_cast<std::size_t>(i)].name; }
    Kind kindAt(int i) const { return m_entries[static_cast<std::size_t>(i)].kind; }

    // Position of the first entry of that kind and name, or -1.
    int IndexOf(std::string_view name, Kind kind) const;
    // Position of the entry holding that object, or -1.
    int IndexOfObject(const void* object) const;

    // The object at i when it is of that kind, otherwise (or when i is out of range) null.
    TIRCMemo* viewAt(int i) const;
    QWidget* tabAt(int i) const;
    NickList* listAt(int i) const;

    // Appends the three entries of a new window with an empty nick list; returns the text view's position.
    int Add(const std::string& name, TIRCMemo* view, QWidget* tab);
    // Gives the entry at i another name (nothing when i is out of range).
    void setNameAt(int i, std::string name);
    // Removes the entry at i (a nick list entry frees its list).
    void RemoveAt(int i);
    void Clear() { m_entries.clear(); }

private:
    struct Entry
    {
        Kind kind;
        std::string name;
        QPointer<QWidget> widget;
        std::unique_ptr<NickList> list;
    };
    const Entry* entryAt(int i) const;

    std::vector<Entry> m_entries;
};

} // namespace morva
