// The main window's window registry, the nick list box refresh and the nick list operations.
#include "engine/Host.h"
#include "text/Cp1251.h"
#include "text/QtText.h"
#include "ui/main/ChatLog.h"
#include "ui/main/NickPrefix.h"
#include "ui/main/TForm1.h"
#include "view/TIRCMemo.h"

#include <algorithm>

#include <QCollator>
#include <QListWidget>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace morva {

int TForm1::FindMemo(const std::string& name)
{
    if (!m_registryOpen)
        return -1;
    const int found = m_registry.IndexOf(name, WindowRegistry::Kind::View);
    if (found >= 0)
        return found;

    auto* tab = new QWidget(sPageControl1);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* view = new TIRCMemo(tab);
    view->Clear();
    view->setFont(m_font.font);
    view->setReadOnly(true);
    // A window that appears because a line arrived must not take the typing away from the input line.
    view->setFocusPolicy(Qt::ClickFocus);
    if (m_log)
        view->setLineObserver([this, name](std::string_view line) {
            if (m_log)
                m_log->write(name, line);
        });
    layout->addWidget(view);
    // The page is registered before it is added: adding the first page makes it current, and the refresh that
    // follows looks the new window up.
    const int at = m_registry.Add(name, view, tab);
    sPageControl1->addTab(tab, text::toQString(name));
    return at;
}

int TForm1::FindUserList(const std::string& name) const
{
    if (!m_registryOpen)
        return -1;
    return m_registry.IndexOf(name + std::string(WindowRegistry::kListSuffix), WindowRegistry::Kind::List);
}

bool TForm1::DeleteTabs(const std::string& name)
{
    if (!m_registryOpen)
        return false;
    const int i = m_registry.IndexOf(name, WindowRegistry::Kind::View);
    if (i < 0)
        return false;
    // Other work runs between the steps and may add or remove windows; the tab and the nick list are found
    // again by identity, never by a position that may have moved.
    TIRCMemo* view = m_registry.viewAt(i);
    const QPointer<QWidget> tab = m_registry.tabAt(i + 1);
    const NickList* list = m_registry.listAt(i + 2);

    m_registry.RemoveAt(i);
    delete view;
    if (m_log)
        m_log->close(name);
    m_host.processPendingMessages();

    if (tab) {
        const int t = m_registry.IndexOfObject(tab.data());
        if (t >= 0)
            m_registry.RemoveAt(t);
        delete tab.data();
    }
    m_host.processPendingMessages();

    if (m_registryOpen) {
        const int l = m_registry.IndexOfObject(list);
        if (l >= 0)
            m_registry.RemoveAt(l);
    }
    m_host.processPendingMessages();
    return true;
}

std::string TForm1::activeWindowName() const
{
    const int i = sPageControl1->currentIndex();
    if (i < 0)
        return {};
    return text::fromQString(sPageControl1->tabText(i));
}

void TForm1::sPageControl1Change(QObject* /*Sender*/)
{
    // A refresh of the list already shown (a join, a part, a mode, a nick change) keeps what the user is looking
    // at: the selected member, whatever its prefix has become, and the place in the box (held by its top entry
    // while that is unchanged, else by the scroll position). A tab change starts at the top with nothing selected.
    const std::string owner = sPageControl1->currentIndex() < 0 ? std::string() : activeWindowName();
    const bool refresh = !owner.empty() && owner == m_boxOwner;
    std::string selected;
    QString top;
    int scroll = 0;
    if (refresh) {
        if (const QListWidgetItem* it = sListBox1->currentItem(); it && it->isSelected())
            selected = GetClearNick(text::fromQString(it->text()));
        scroll = sListBox1->verticalScrollBar()->value();
        if (scroll > 0)
            if (const QListWidgetItem* it = sListBox1->itemAt(1, 1))
                top = it->text();
    }
    sListBox1->clear();
    m_boxOwner.clear();
    if (owner.empty())
        return;
    const NickList* list = userListAt(FindUserList(owner));
    if (!list)
        return;
    QStringList items;
    items.reserve(list->Count());
    for (const std::string& e : list->entries())
        items << text::toQString(e);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(items.begin(), items.end(),
                     [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    sListBox1->addItems(items);
    m_boxOwner = owner;
    if (!refresh) {
        sListBox1->scrollToTop();
        return;
    }
    // The rows are laid out now (cheap: they are of one height) so that the places below are the new ones.
    if (scroll > 0 || !selected.empty())
        sListBox1->doItemsLayout();
    if (scroll > 0) {
        const int row = top.isEmpty() ? -1 : static_cast<int>(items.indexOf(top));
        if (row >= 0)
            sListBox1->scrollToItem(sListBox1->item(row), QAbstractItemView::PositionAtTop);
        else
            sListBox1->verticalScrollBar()->setValue(scroll);
    }
    if (!selected.empty()) {
        for (int i = 0; i < sListBox1->count(); ++i) {
            if (!text::sameText(GetClearNick(text::fromQString(items[i])), selected))
                continue;
            // Selecting must not scroll: the entry may be out of sight.
            const int value = sListBox1->verticalScrollBar()->value();
            sListBox1->setCurrentRow(i);
            sListBox1->verticalScrollBar()->setValue(value);
            break;
        }
    }
}

void TForm1::Timer1Timer(QObject* /*Sender*/)
{
    Timer1.stop();
    sPageControl1Change(&Timer1);
}

void TForm1::startTimer1()
{
    if (!Timer1.isActive())
        Timer1.start();
}

int TForm1::FindNickEntry(const std::string& nick, const std::string& channel) const
{
    const NickList* list = userListAt(FindUserList(text::upper(channel)));
    return list ? list->IndexOfNick(nick) : -1;
}

void TForm1::AddNick(const std::string& channel, const std::string& entry)
{
    if (NickList* list = userListAt(FindUserList(text::upper(channel))))
        list->Add(entry);
}

void TForm1::DelNick(const std::string& channel, const std::string& nick)
{
    NickList* list = userListAt(FindUserList(text::upper(channel)));
    if (!list)
        return;
    list->Delete(list->IndexOfNick(GetClearNick(nick)));
}

} // namespace morva
