// The window registry's entries.
#include "ui/main/WindowRegistry.h"

#include "text/Cp1251.h"
#include "view/TIRCMemo.h"

namespace morva {

int WindowRegistry::IndexOf(std::string_view name, Kind kind) const
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries[i];
        if (e.kind == kind && e.name.size() == name.size() && text::sameText(e.name, name))
            return static_cast<int>(i);
    }
    return -1;
}

int WindowRegistry::IndexOfObject(const void* object) const
{
    if (!object)
        return -1;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries[i];
        if (e.list.get() == object || (e.widget && e.widget.data() == object))
            return static_cast<int>(i);
    }
    return -1;
}

const WindowRegistry::Entry* WindowRegistry::entryAt(int i) const
{
    if (i < 0 || i >= Count())
        return nullptr;
    return &m_entries[static_cast<std::size_t>(i)];
}

TIRCMemo* WindowRegistry::viewAt(int i) const
{
    const Entry* e = entryAt(i);
    return e && e->kind == Kind::View ? static_cast<TIRCMemo*>(e->widget.data()) : nullptr;
}

QWidget* WindowRegistry::tabAt(int i) const
{
    const Entry* e = entryAt(i);
    return e && e->kind == Kind::Tab ? e->widget.data() : nullptr;
}

NickList* WindowRegistry::listAt(int i) const
{
    const Entry* e = entryAt(i);
    return e && e->kind == Kind::List ? e->list.get() : nullptr;
}

int WindowRegistry::Add(const std::string& name, TIRCMemo* view, QWidget* tab)
{
    const int at = Count();
    m_entries.push_back({Kind::View, name, view, nullptr});
    m_entries.push_back({Kind::Tab, name + std::string(kTabsSuffix), tab, nullptr});
    m_entries.push_back({Kind::List, name + std::string(kListSuffix), nullptr, std::make_unique<NickList>()});
    return at;
}

void WindowRegistry::setNameAt(int i, std::string name)
{
    if (i >= 0 && i < Count())
        m_entries[static_cast<std::size_t>(i)].name = std::move(name);
}

void WindowRegistry::RemoveAt(int i)
{
    if (i >= 0 && i < Count())
        m_entries.erase(m_entries.begin() + i);
}

} // namespace morva
